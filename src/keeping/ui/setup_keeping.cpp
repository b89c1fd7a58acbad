#include "keeping/ui/setup_keeping.h"

#include <QAction>
#include <QMenu>
#include <filesystem>

#include "app/cq5_doc.h"
#include "app/document_prompts.h"
#include "app/main_frame.h"
#include "common/clock.h"
#include "common/dialogs.h"
#include "document/setup_file.h"
#include "form/ui/cq5_view.h"
#include "keeping/setup_diff.h"
#include "keeping/time_stamp.h"
#include "keeping/ui/setup_diff_dialog.h"
#include "keeping/ui/snapshots_dialog.h"

namespace {

// An open asked for during a transfer tries again this much later.
constexpr int kLinkBusyRetryMs = 100;

// What the form keeps its snapshots in once the keeping has gone.
NoSnapshots noSnapshotsAfterKeeping;

}  // namespace

SetupKeeping::SetupKeeping(const std::string& dataFolder, CQ5Doc& doc, CMainFrame& frame, Dialogs& dialogs,
                           DocumentPrompts& prompts, Clock& clock)
    : doc_(doc),
      frame_(frame),
      dialogs_(dialogs),
      prompts_(prompts),
      clock_(clock),
      snapshots_(dataFolder),
      recovery_(dataFolder),
      keeper_(recovery_, doc.Session()),
      messageBox_(&frame) {
  frame_.View().Form().SetSnapshots(snapshots_);
  diffDialog_ = new SetupDiffDialog(&frame_);
  snapshotsDialog_ = new SnapshotsDialog(&frame_);
  snapshotsDialog_->onOpen = [this](const SnapshotEntry& e) {
    const std::string path = e.path;
    WhenLinkFree([this, path] { doc_.OpenCopy(path, {}); });
  };
  snapshotsDialog_->onCompare = [this](const SnapshotEntry& e) {
    Compare(e.path,
            "the snapshot " + e.trigger + " of " + e.setupName + " at " + TimeStamp::LocalText(e.time));
  };
  InstallMenuItems();
  recoveryTimer_.setInterval(RecoveryKeeper::kCheckIntervalMs);
  connect(&recoveryTimer_, &QTimer::timeout, this, &SetupKeeping::CheckRecovery);
  recoveryTimer_.start();
}

SetupKeeping::~SetupKeeping() {
  keeper_.End();
  frame_.View().Form().SetSnapshots(noSnapshotsAfterKeeping);
}

void SetupKeeping::InstallMenuItems() {
  // After "Data Out", before the separator above "E&xit": the existing items keep their order.
  QMenu* file = frame_.FileMenu();
  const QList<QAction*> items = file->actions();
  const qsizetype exitAt = items.indexOf(frame_.Command(QStringLiteral("exit")));
  QAction* before = exitAt > 0 ? items[exitAt - 1] : nullptr;

  auto* separator = new QAction(&frame_);
  separator->setSeparator(true);
  auto* compare = new QAction(QStringLiteral("Compare With..."), &frame_);
  compare->setObjectName(QStringLiteral("compareWith"));
  compare->setStatusTip(QStringLiteral("List the differences between the current setup and a setup file"));
  connect(compare, &QAction::triggered, this, &SetupKeeping::CompareWith);
  auto* snapshots = new QAction(QStringLiteral("Snapshots..."), &frame_);
  snapshots->setObjectName(QStringLiteral("snapshots"));
  snapshots->setStatusTip(
      QStringLiteral("The setups kept at each connect, memory store and automatic measurement"));
  connect(snapshots, &QAction::triggered, this, &SetupKeeping::ShowSnapshots);
  file->insertActions(before, {separator, compare, snapshots});
}

void SetupKeeping::OfferRecovery() {
  WhenLinkFree([this] {
    keeper_.Offer(*prompt_,
                  [this](const RecoveryFile& left) { return doc_.OpenCopy(left.file, left.documentPath); });
  });
}

void SetupKeeping::CheckRecovery() {
  const std::string note = keeper_.Check(clock_.NowMs());
  if (!note.empty()) frame_.View().ShowStatusMessage(note);
}

void SetupKeeping::CompareWith() {
  const std::string path = prompts_.ChooseOpenFile(doc_.StartFolder());
  if (!path.empty()) Compare(path, std::filesystem::path(path).filename().string());
}

void SetupKeeping::ShowSnapshots() {
  snapshotsDialog_->ShowEntries(snapshots_.List(), snapshots_.Folder());
  snapshotsDialog_->show();
  snapshotsDialog_->raise();
  snapshotsDialog_->activateWindow();
}

void SetupKeeping::Compare(const std::string& file, const std::string& name) {
  // The other setup as its file holds it: a value out of range shows as it stands.
  SetupDocument other;
  if (!SetupFile::Succeeded(SetupFile::Load(file, other, dialogs_))) return;
  diffDialog_->ShowRows(name, SetupDiff::Compare(doc_.Document(), other));
  diffDialog_->show();
  diffDialog_->raise();
  diffDialog_->activateWindow();
}

void SetupKeeping::WhenLinkFree(const std::function<void()>& action) {
  if (!frame_.View().Form().LinkBusy()) {
    action();
    return;
  }
  QTimer::singleShot(kLinkBusyRetryMs, this, [this, action] { WhenLinkFree(action); });
}
