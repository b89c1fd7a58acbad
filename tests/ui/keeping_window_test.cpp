// Snapshots, comparison and the recovery file in the program: the File menu's two items and their
// windows, the recovery file following the document, and the offer at start.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QMenu>
#include <QtTest/QTest>
#include <filesystem>

#include "common/temp_dir.h"
#include "document/setup_file.h"
#include "keeping/recovery_prompt.h"
#include "keeping/ui/setup_diff_dialog.h"
#include "keeping/ui/setup_keeping.h"
#include "keeping/ui/snapshots_dialog.h"
#include "ui/app_harness.h"

namespace {

namespace fs = std::filesystem;

std::string SaveSetup(const TempDir& dir, const std::string& name, double centerDelay) {
  SetupDocument doc;
  doc.channelDelay[Index(OutputChannel::Center)] = centerDelay;
  RecordingDialogs quiet;
  EXPECT_TRUE(SetupFile::Save(dir.File(name), doc, quiet));
  return dir.File(name);
}

class AnsweringPrompt : public RecoveryPrompt {
 public:
  Answer Ask(const std::string& question) override {
    questions.push_back(question);
    return Answer::Restore;
  }
  std::vector<std::string> questions;
};

struct KeepingApp : AppHarness {
  explicit KeepingApp(const TempDir& dir) { dataFolder = dir.File("data"); }
  SetupKeeping& Keeping() { return *app->Keeping(); }
  double CenterDelay() { return app->Doc().Document().channelDelay[Index(OutputChannel::Center)]; }
};

TEST(KeepingMenu, CompareWithAndSnapshotsFollowDataOutAndTheOtherItemsKeepTheirPlaces) {
  TempDir dir;
  KeepingApp h(dir);
  h.Start();
  QStringList items;
  for (const QAction* a : h.Frame().FileMenu()->actions())
    items << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(items, (QStringList{"&Open...", "&Save", "Save &As...", "-", "Recent File", "", "", "", "", "-",
                                "Data Out", "-", "Compare With...", "Snapshots...", "-", "E&xit"}));
}

TEST(KeepingWindows, AConnectIsKeptAndItsSnapshotComparesAndOpensAsANewSetup) {
  TempDir dir;
  KeepingApp h(dir);
  h.Start(SaveSetup(dir, "coupe.tvn", 2.5));
  AppHarness::Settle();
  ASSERT_TRUE(h.ConnectCom1());
  const std::vector<SnapshotEntry> kept = h.Keeping().Snapshots().List();
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(std::tie(kept[0].trigger, kept[0].setupName), std::tuple("connect", "coupe"));

  QTest::mouseClick(h.View().SpeakerButton(OutputChannel::RearL), Qt::LeftButton);
  AppHarness::Settle();
  h.Frame().Command(QStringLiteral("snapshots"))->trigger();
  SnapshotsDialog& list = *h.Keeping().SnapshotList();
  ASSERT_TRUE(list.isVisible());
  ASSERT_EQ(list.List()->topLevelItemCount(), 1);
  EXPECT_EQ(list.List()->topLevelItem(0)->text(1), QStringLiteral("connect"));
  EXPECT_EQ(list.List()->topLevelItem(0)->text(2), QStringLiteral("coupe"));

  QTest::mouseClick(list.CompareButton(), Qt::LeftButton);
  SetupDiffDialog& diff = *h.Keeping().DiffDialog();
  ASSERT_TRUE(diff.isVisible());
  ASSERT_EQ(diff.Rows()->count(), 1);
  EXPECT_EQ(diff.Rows()->item(0)->text(), QStringLiteral("Speaker, Rear Left: switch OFF -> ON"));
  EXPECT_TRUE(diff.Heading()->text().startsWith(
      QStringLiteral("Current setup -> the snapshot connect of coupe at ")));

  // "Open": the unsaved edit is offered for saving first, then the snapshot stands as a new setup.
  h.prompts.answer = DocumentPrompts::SaveAnswer::No;
  QTest::mouseClick(list.OpenButton(), Qt::LeftButton);
  AppHarness::Settle();
  EXPECT_EQ(h.prompts.asked.size(), 1u);
  EXPECT_EQ(h.Title(), QStringLiteral("Untitled* - KRV5200"));
  EXPECT_TRUE(h.Form().SpeakerOn(OutputChannel::RearL));
  EXPECT_DOUBLE_EQ(h.CenterDelay(), 2.5);
}

TEST(KeepingWindows, CompareWithListsTheDifferencesToAChosenFileAndReportsADamagedOne) {
  TempDir dir;
  KeepingApp h(dir);
  h.Start(SaveSetup(dir, "coupe.tvn", 2.5));
  AppHarness::Settle();
  h.prompts.openFile = SaveSetup(dir, "van.tvn", 4.0);
  h.Frame().Command(QStringLiteral("compareWith"))->trigger();
  SetupDiffDialog& diff = *h.Keeping().DiffDialog();
  ASSERT_TRUE(diff.isVisible());
  EXPECT_EQ(diff.Heading()->text(), QStringLiteral("Current setup -> van.tvn: 1 difference"));
  ASSERT_EQ(diff.Rows()->count(), 1);
  EXPECT_EQ(diff.Rows()->item(0)->text(), QStringLiteral("Time Correction, Center: delay 2.5 ms -> 4 ms"));

  diff.hide();
  WriteFileBytes(h.prompts.openFile, "");
  h.Frame().Command(QStringLiteral("compareWith"))->trigger();
  EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{"Unexpected file format."});
  EXPECT_FALSE(diff.isVisible());
}

TEST(KeepingRecovery, AnUnsavedEditIsWrittenAndASaveTakesTheFileAway) {
  TempDir dir;
  KeepingApp h(dir);
  h.Start(SaveSetup(dir, "coupe.tvn", 2.5));
  AppHarness::Settle();
  QTest::mouseClick(h.View().SpeakerButton(OutputChannel::RearL), Qt::LeftButton);
  AppHarness::Settle();
  h.Keeping().CheckRecovery();
  h.clock.SleepMs(RecoveryKeeper::kQuietMs);
  h.Keeping().CheckRecovery();
  const std::string file = h.Keeping().Recovery().Own();
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(fs::path(file).filename(), "coupe." + std::to_string(getpid()) + ".tvn");

  h.Frame().Command(QStringLiteral("save"))->trigger();
  EXPECT_FALSE(h.app->Doc().IsModified());
  EXPECT_FALSE(fs::exists(file));
}

// A program that ended without saving; its record names a process that has gone.
void LeaveRecoveryFile(const TempDir& dir, const std::string& setupPath, double centerDelay) {
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  ProcessMark mark = ProcessMark::Current();
  mark.pid = gone;
  mark.start.clear();
  SetupDocument doc;
  doc.channelDelay[Index(OutputChannel::Center)] = centerDelay;
  RecoveryStore store(dir.File("data"), mark);
  ASSERT_EQ(store.Write(doc, setupPath, fs::path(setupPath).filename().string()), "");
}

TEST(KeepingRecovery, ASetupLeftUnsavedIsOfferedAfterTheCommandLinesFileAndRestoredUnderItsName) {
  TempDir dir;
  const std::string golf = SaveSetup(dir, "golf.tvn", 1.0);
  LeaveRecoveryFile(dir, golf, 6.5);
  KeepingApp h(dir);
  AnsweringPrompt prompt;
  h.Start(SaveSetup(dir, "coupe.tvn", 2.5));
  h.Keeping().SetPrompt(prompt);
  EXPECT_TRUE(prompt.questions.empty());  // not before the window stands
  AppHarness::Settle();

  ASSERT_EQ(prompt.questions.size(), 1u);
  EXPECT_EQ(prompt.questions[0].rfind("The setup golf.tvn was not saved when the program ended on ", 0), 0u);
  EXPECT_TRUE(h.prompts.asked.empty());  // the command line's file had no unsaved changes
  EXPECT_EQ(h.Title(), QStringLiteral("golf.tvn* - KRV5200"));
  EXPECT_DOUBLE_EQ(h.CenterDelay(), 6.5);

  // The next save goes to the setup's own file, without asking for a name.
  h.Frame().Command(QStringLiteral("save"))->trigger();
  EXPECT_TRUE(h.prompts.saveSuggestions.empty());
  SetupDocument saved;
  RecordingDialogs quiet;
  ASSERT_TRUE(SetupFile::Succeeded(SetupFile::Load(golf, saved, quiet)));
  EXPECT_DOUBLE_EQ(saved.channelDelay[Index(OutputChannel::Center)], 6.5);
  EXPECT_TRUE(fs::is_empty(dir.File("data/recovery")));
}

}  // namespace
