#pragma once

#include <QAction>
#include <QObject>
#include <QUndoStack>
#include <functional>
#include <string>

#include "history/change_recorder.h"

class DocumentSession;
class StepTarget;

// The setup's undo history: Qt's undo stack with one command per step the form's recorder hands
// over, the Edit menu's "Undo <what>" and "Redo <what>" (Ctrl+Z; Ctrl+Shift+Z and Ctrl+Y), and the
// modified mark, which follows the stack's clean step. A mouse press and its release make one
// gesture: everything a drag or a trace changes in between is one step.
class UndoHistory : public QObject, public HistorySink {
 public:
  // Steps kept; older ones are forgotten.
  static constexpr int kLimit = 500;

  UndoHistory(ChangeRecorder& recorder, StepTarget& target, DocumentSession& session,
              QObject* parent = nullptr);
  ~UndoHistory() override;

  void Push(SetupStep step, int mergeKey) override;
  void Clear() override;
  // The setup was saved: the step it stands at now is the clean one.
  void MarkClean();

  QAction* UndoAction() { return &undo_; }
  QAction* RedoAction() { return &redo_; }
  QUndoStack& Stack() { return stack_; }

  // Undo and Redo as the actions run them: refused with a status note while the link is busy.
  void Undo();
  void Redo();

  // A passing note in the main window's status bar (why a step was not applied).
  std::function<void(const std::string&)> onNote;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Blocked();
  void UpdateActions();
  void EndGesture();

  ChangeRecorder& recorder_;
  StepTarget& target_;
  DocumentSession& session_;
  QUndoStack stack_;
  QAction undo_;
  QAction redo_;
  bool gesture_ = false;
};
