#include "history/ui/undo_history.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QUndoCommand>
#include <utility>

#include "document/document_session.h"
#include "history/step_target.h"
#include "platform/qt_text.h"

namespace {

// One step: it was applied when it was made, so the stack's first redo does nothing.
class StepCommand : public QUndoCommand {
 public:
  StepCommand(SetupStep step, int mergeKey, StepTarget& target)
      : step_(std::move(step)), mergeKey_(mergeKey), target_(target) {
    setText(QtText(StepText(step_)));
  }

  void undo() override { target_.RestoreStep(step_.parts, *step_.before, step_.switchesBefore); }
  void redo() override {
    if (pushed_) {
      pushed_ = false;
      return;
    }
    target_.RestoreStep(step_.parts, *step_.after, step_.switchesAfter);
  }
  int id() const override { return mergeKey_ != 0 ? mergeKey_ : -1; }
  bool mergeWith(const QUndoCommand* other) override {
    step_ = MergeSteps(step_, static_cast<const StepCommand*>(other)->step_);
    setText(QtText(StepText(step_)));
    // A gesture that ends where it began leaves nothing to undo.
    setObsolete(step_.Empty());
    return true;
  }

 private:
  SetupStep step_;
  int mergeKey_;
  StepTarget& target_;
  bool pushed_ = true;
};

bool IsUndoOrRedo(const QKeyEvent* key) {
  return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
         key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

}  // namespace

UndoHistory::UndoHistory(ChangeRecorder& recorder, StepTarget& target, DocumentSession& session,
                         QObject* parent)
    : QObject(parent), recorder_(recorder), target_(target), session_(session) {
  stack_.setUndoLimit(kLimit);
  recorder_.SetSink(this);
  undo_.setShortcut(QKeySequence::Undo);
  redo_.setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  // The function windows are windows of their own: the keys work from every one of them.
  undo_.setShortcutContext(Qt::ApplicationShortcut);
  redo_.setShortcutContext(Qt::ApplicationShortcut);
  connect(&undo_, &QAction::triggered, this, [this] { Undo(); });
  connect(&redo_, &QAction::triggered, this, [this] { Redo(); });
  connect(&stack_, &QUndoStack::indexChanged, this, [this] { UpdateActions(); });
  connect(&stack_, &QUndoStack::cleanChanged, this,
          [this](bool clean) { session_.SetHistoryModified(!clean); });
  session_.onSaved = [this] { MarkClean(); };
  UpdateActions();
  qApp->installEventFilter(this);
}

UndoHistory::~UndoHistory() {
  // The stack empties itself as it goes, after the actions it would update.
  disconnect(&stack_, nullptr, this, nullptr);
  qApp->removeEventFilter(this);
  session_.onSaved = nullptr;
  recorder_.SetSink(nullptr);
}

void UndoHistory::Push(SetupStep step, int mergeKey) {
  stack_.push(new StepCommand(std::move(step), mergeKey, target_));
  UpdateActions();
}

void UndoHistory::Clear() {
  stack_.clear();
  session_.SetHistoryModified(false);
  UpdateActions();
}

void UndoHistory::MarkClean() {
  stack_.setClean();
  session_.SetHistoryModified(false);
}

bool UndoHistory::Blocked() {
  const std::string why = target_.StepBlocked();
  if (why.empty()) return false;
  if (onNote) onNote(why);
  return true;
}

void UndoHistory::Undo() {
  if (stack_.canUndo() && !Blocked()) stack_.undo();
}

void UndoHistory::Redo() {
  if (stack_.canRedo() && !Blocked()) stack_.redo();
}

void UndoHistory::UpdateActions() {
  undo_.setEnabled(stack_.canUndo());
  redo_.setEnabled(stack_.canRedo());
  undo_.setText(stack_.canUndo() ? tr("Undo %1").arg(stack_.undoText()) : tr("Undo"));
  redo_.setText(stack_.canRedo() ? tr("Redo %1").arg(stack_.redoText()) : tr("Redo"));
}

void UndoHistory::EndGesture() {
  if (!gesture_) return;
  gesture_ = false;
  recorder_.EndGroup();
}

bool UndoHistory::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      // A press reaches every widget up the parent chain; one gesture is begun once.
      if (!gesture_) {
        gesture_ = true;
        recorder_.BeginGroup();
      }
      break;
    case QEvent::MouseButtonRelease:
      // After the requests the release itself posts have been handled.
      if (gesture_ && QGuiApplication::mouseButtons() == Qt::NoButton) {
        QTimer::singleShot(0, this, [this] { EndGesture(); });
      }
      break;
    case QEvent::ShortcutOverride: {
      // An edit box with no typing of its own to take back lets the keys undo the setup.
      const auto* key = static_cast<QKeyEvent*>(event);
      const auto* line = qobject_cast<QLineEdit*>(watched);
      if (const auto* spin = qobject_cast<QAbstractSpinBox*>(watched)) line = spin->findChild<QLineEdit*>();
      if (line != nullptr && IsUndoOrRedo(key) && !line->isUndoAvailable() && !line->isRedoAvailable())
        return true;
      break;
    }
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}
