#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

#include "keeping/recovery_keeper.h"
#include "keeping/recovery_store.h"
#include "keeping/snapshot_store.h"
#include "keeping/ui/qt_recovery_prompt.h"

class Clock;
class CMainFrame;
class CQ5Doc;
class Dialogs;
class DocumentPrompts;
class QAction;
class SetupDiffDialog;
class SnapshotsDialog;

// The program's snapshots, recovery file and comparisons over one data folder: the form keeps a
// snapshot of each whole setup it sends, the recovery file follows the document every second,
// "File" > "Compare With..." and "File" > "Snapshots..." open their windows, and at start the
// setups ended programs left unsaved are offered. Ending normally (destroying it) removes the
// recovery file.
class SetupKeeping : public QObject {
 public:
  SetupKeeping(const std::string& dataFolder, CQ5Doc& doc, CMainFrame& frame, Dialogs& dialogs,
               DocumentPrompts& prompts, Clock& clock);
  ~SetupKeeping() override;
  SetupKeeping(const SetupKeeping&) = delete;
  SetupKeeping& operator=(const SetupKeeping&) = delete;

  // The question at start; the message box unless another is given (tests answer it).
  void SetPrompt(RecoveryPrompt& prompt) { prompt_ = &prompt; }
  // Offers the setups left unsaved by programs that have ended.
  void OfferRecovery();
  // Writes or removes the recovery file as the document now asks (the timer's tick).
  void CheckRecovery();

  // "Compare With...": the differences from the current setup to a chosen file.
  void CompareWith();
  // "Snapshots...".
  void ShowSnapshots();

  SnapshotStore& Snapshots() { return snapshots_; }
  RecoveryStore& Recovery() { return recovery_; }
  SetupDiffDialog* DiffDialog() const { return diffDialog_; }
  SnapshotsDialog* SnapshotList() const { return snapshotsDialog_; }

 private:
  void InstallMenuItems();
  void Compare(const std::string& file, const std::string& name);
  // Runs `action` once no transfer is running: opening a setup re-runs the form.
  void WhenLinkFree(const std::function<void()>& action);

  CQ5Doc& doc_;
  CMainFrame& frame_;
  Dialogs& dialogs_;
  DocumentPrompts& prompts_;
  Clock& clock_;
  SnapshotStore snapshots_;
  RecoveryStore recovery_;
  RecoveryKeeper keeper_;
  QtRecoveryPrompt messageBox_;
  RecoveryPrompt* prompt_ = &messageBox_;
  QTimer recoveryTimer_;
  // Owned by the frame, whose windows they are.
  SetupDiffDialog* diffDialog_ = nullptr;
  SnapshotsDialog* snapshotsDialog_ = nullptr;
};
