// The snapshots folder: names, what they hold, the newest 200 kept, and a folder that fails.
#include "keeping/snapshot_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/recording_dialogs.h"
#include "common/temp_dir.h"
#include "document/setup_file.h"
#include "keeping/setup_name.h"

namespace {

namespace fs = std::filesystem;
using Time = std::chrono::system_clock::time_point;
using Strings = std::vector<std::string>;

// 2025-03-14 14:09:12.123 UTC, moving on by a second at each snapshot.
struct StepClock {
  Time now = Time(std::chrono::seconds(1741961352)) + std::chrono::milliseconds(123);
  std::chrono::milliseconds step{1000};
  Time operator()() {
    const Time t = now;
    now += step;
    return t;
  }
};

class SnapshotStoreTest : public ::testing::Test {
 protected:
  TempDir dir;
  StepClock clock;
  SnapshotStore store{dir.path(), [this] { return clock(); }};
};

TEST_F(SnapshotStoreTest, EachSnapshotIsAnOrdinarySetupFileNamedByTimeTriggerAndSetup) {
  SetupDocument doc;
  doc.channelDelay[3] = 4.5;
  doc.profile.city = "Bremen";
  struct SnapshotCase {
    SnapshotTrigger trigger;
    const char* title;
    const char* name;
  };
  const SnapshotCase cases[] = {
      {SnapshotTrigger::Connect(), "Golf.tvn", "20250314T140912.123Z_connect_Golf.tvn"},
      {SnapshotTrigger::Store(3), "Golf.tvn", "20250314T140913.123Z_store-3_Golf.tvn"},
      {SnapshotTrigger::Aeq(), "Untitled", "20250314T140914.123Z_aeq_Untitled.tvn"},
      {SnapshotTrigger::Tcr(), "van_2024.TVN", "20250314T140915.123Z_tcr_van_2024.tvn"},
  };
  for (const SnapshotCase& c : cases) EXPECT_EQ(store.Keep(c.trigger, doc, c.title), "");

  const std::vector<SnapshotEntry> entries = store.List();
  ASSERT_EQ(entries.size(), 4u);
  const Strings expectedOrder = {cases[3].name, cases[2].name, cases[1].name, cases[0].name};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(fs::path(entries[i].path).filename(), expectedOrder[i]);
    EXPECT_EQ(fs::path(entries[i].path).parent_path(), fs::path(dir.path()) / "snapshots");
  }
  EXPECT_EQ(entries[3].time, Time(std::chrono::seconds(1741961352)) + std::chrono::milliseconds(123));
  EXPECT_EQ((std::pair(entries[1].trigger, entries[1].setupName)),
            (std::pair<std::string, std::string>("aeq", "Untitled")));
  EXPECT_EQ(entries[0].setupName, "van_2024");

  // Opened as a setup file, a snapshot holds the setup as it was sent.
  SetupDocument loaded;
  RecordingDialogs quiet;
  ASSERT_EQ(SetupFile::Load(entries[2].path, loaded, quiet), SetupFile::LoadOutcome::Loaded);
  EXPECT_EQ(SetupFile::Serialize(loaded), SetupFile::Serialize(doc));
}

TEST_F(SnapshotStoreTest, TheNewest200AreKeptAndOtherFilesAreLeftAlone) {
  SetupDocument doc;
  fs::create_directories(store.Folder());
  WriteFileBytes(store.Folder() + "/notes.txt", "mine");
  clock.step = std::chrono::milliseconds(0);  // all in one millisecond: each still gets a name
  for (int i = 0; i < 205; ++i) ASSERT_EQ(store.Keep(SnapshotTrigger::Connect(), doc, "Golf.tvn"), "");

  const std::vector<SnapshotEntry> entries = store.List();
  ASSERT_EQ(entries.size(), SnapshotStore::kKept);
  // The five oldest went: the oldest left is the sixth written.
  EXPECT_EQ(entries.back().time, clock.now + std::chrono::milliseconds(5));
  EXPECT_EQ(entries.front().time, clock.now + std::chrono::milliseconds(204));
  EXPECT_TRUE(fs::exists(store.Folder() + "/notes.txt"));
  EXPECT_EQ(std::distance(fs::directory_iterator(store.Folder()), fs::directory_iterator()), 201);
}

TEST_F(SnapshotStoreTest, AFolderThatCannotBeWrittenGivesANoteAndNoFile) {
  // Where the data folder should be stands a file.
  const std::string blocked = dir.File("blocked");
  WriteFileBytes(blocked, "x");
  SnapshotStore failing(blocked);
  const std::string note = failing.Keep(SnapshotTrigger::Connect(), SetupDocument(), "Golf.tvn");
  EXPECT_EQ(note.rfind("Snapshot not written to " + blocked + "/snapshots: ", 0), 0u) << note;
  EXPECT_TRUE(failing.List().empty());
  EXPECT_EQ(ReadFileBytes(blocked), "x");
}

TEST(SnapshotNames, OnlyTheStoresOwnNamesAreSnapshots) {
  SnapshotEntry e;
  EXPECT_TRUE(SnapshotStore::ParseName("20250314T140912.123Z_store-6_a_b.tvn", e));
  EXPECT_EQ((std::tuple(e.trigger, e.setupName)), (std::tuple<std::string, std::string>("store-6", "a_b")));
  for (const char* name : {"20250314T140912.123Z_store-7_Golf.tvn", "20250314T140912.123Z_upload_Golf.tvn",
                           "20250314T140912.123_connect_Golf.tvn", "20251314T140912.123Z_connect_Golf.tvn",
                           "20250314T140912.123Z_connect_.tvn", "20250314T140912.123Z_connect_Golf.txt",
                           "Golf.tvn", ".krv5200-saving-1-abc"}) {
    EXPECT_FALSE(SnapshotStore::ParseName(name, e)) << name;
  }
}

TEST(SnapshotNames, ASetupNameBecomesAFileNamePart) {
  const std::string longName(150, 'x');
  const std::string umlauts = std::string(99, 'a') + "\xC3\xBC\xC3\xBC";  // "ü" across byte 100
  const std::pair<std::string, std::string> cases[] = {
      {"Golf.tvn", "Golf"},
      {"Golf.TvN", "Golf"},
      {"Golf", "Golf"},
      {"", "Untitled"},
      {".tvn", "Untitled"},
      {"a\tb\nc.tvn", "a_b_c"},
      {longName, longName.substr(0, 100)},
      {umlauts, std::string(99, 'a')},
  };
  for (const auto& [title, stem] : cases) EXPECT_EQ(SetupName::Stem(title), stem) << title;
}

}  // namespace
