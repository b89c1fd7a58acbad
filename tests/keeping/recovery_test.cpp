// The recovery file: who owns it, when it is written and removed, and what a start offers.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>

#include "common/recording_dialogs.h"
#include "common/temp_dir.h"
#include "document/document_session.h"
#include "document/setup_file.h"
#include "keeping/recovery_keeper.h"
#include "keeping/recovery_prompt.h"
#include "keeping/recovery_store.h"

namespace {

namespace fs = std::filesystem;
using Time = std::chrono::system_clock::time_point;
using Strings = std::vector<std::string>;

// 2025-03-14 14:09:12 UTC.
const Time kWritten = Time(std::chrono::seconds(1741961352));

ProcessMark Mark(long pid) { return ProcessMark{pid, "100", "boot", "host"}; }

// Which of the test's programs still run.
struct Programs {
  std::map<long, bool> running;
  RecoveryStore::Liveness Liveness() {
    return [this](const ProcessMark& m) { return running[m.pid]; };
  }
};

Strings FilesIn(const std::string& folder) {
  Strings names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class ScriptedPrompt : public RecoveryPrompt {
 public:
  Answer Ask(const std::string& question) override {
    questions.push_back(question);
    return answer;
  }
  Answer answer = Answer::Restore;
  Strings questions;
};

class RecoveryFiles : public ::testing::Test {
 protected:
  RecoveryStore Store(long pid) {
    return RecoveryStore(dir.path(), Mark(pid), programs.Liveness(), [] { return kWritten; });
  }
  std::string Folder() const { return dir.File("recovery"); }

  TempDir dir;
  Programs programs;
  SetupDocument doc;
};

TEST_F(RecoveryFiles, OnlyFilesOfProgramsThatHaveEndedAreOffered) {
  programs.running = {{1, true}, {2, true}, {3, false}};
  RecoveryStore self = Store(1), other = Store(2), ended = Store(3);
  ASSERT_EQ(self.Write(doc, "/cars/Golf.tvn", "Golf.tvn"), "");
  ASSERT_EQ(other.Write(doc, "", "Untitled"), "");
  doc.channelDelay[2] = 7.5;
  ASSERT_EQ(ended.Write(doc, "/cars/line\nbreak/Polo.tvn", "Polo.tvn"), "");
  EXPECT_EQ(FilesIn(Folder()), (Strings{"Golf.1.owner", "Golf.1.tvn", "Polo.3.owner", "Polo.3.tvn",
                                        "Untitled.2.owner", "Untitled.2.tvn"}));

  const std::vector<RecoveryFile> left = self.LeftBehind();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].owner, Mark(3));
  EXPECT_EQ(left[0].title, "Polo.tvn");
  EXPECT_EQ(left[0].documentPath, "/cars/line\nbreak/Polo.tvn");
  EXPECT_EQ(left[0].written, kWritten);
  SetupDocument kept;
  RecordingDialogs quiet;
  ASSERT_TRUE(SetupFile::Succeeded(SetupFile::Load(left[0].file, kept, quiet)));
  EXPECT_DOUBLE_EQ(kept.channelDelay[2], 7.5);

  const char* zone = std::getenv("TZ");
  const std::string savedZone = zone ? zone : "";
  setenv("TZ", "UTC", 1);
  tzset();
  EXPECT_EQ(RecoveryStore::Question(left[0]),
            "The setup Polo.tvn was not saved when the program ended on 2025-03-14 14:09:12. Restore it?");
  zone ? setenv("TZ", savedZone.c_str(), 1) : unsetenv("TZ");
  tzset();
}

TEST_F(RecoveryFiles, TwoProgramsRunningAtOnceNeverTakeEachOthersFiles) {
  programs.running = {{1, true}, {2, true}, {3, false}};
  RecoveryStore a = Store(1), b = Store(2);
  ASSERT_EQ(a.Write(doc, "/cars/Golf.tvn", "Golf.tvn"), "");
  ASSERT_EQ(b.Write(doc, "/cars/Golf.tvn", "Golf.tvn"), "");
  EXPECT_TRUE(a.LeftBehind().empty());
  EXPECT_TRUE(b.LeftBehind().empty());
  a.Remove();
  EXPECT_EQ(FilesIn(Folder()), (Strings{"Golf.2.owner", "Golf.2.tvn"}));

  // A file both see as left behind goes to one of them only.
  ASSERT_EQ(Store(3).Write(doc, "", "Untitled"), "");
  std::vector<RecoveryFile> seenByA = a.LeftBehind();
  std::vector<RecoveryFile> seenByB = b.LeftBehind();
  ASSERT_EQ(seenByA.size(), 1u);
  ASSERT_EQ(seenByB.size(), 1u);
  EXPECT_TRUE(a.Take(seenByA[0]));
  EXPECT_FALSE(b.Take(seenByB[0]));
  EXPECT_TRUE(b.LeftBehind().empty());
  RecoveryStore::Delete(seenByA[0]);
  EXPECT_EQ(FilesIn(Folder()), (Strings{"Golf.2.owner", "Golf.2.tvn"}));
}

TEST_F(RecoveryFiles, ARenamedSetupReplacesItsEarlierFile) {
  RecoveryStore self = Store(1);
  ASSERT_EQ(self.Write(doc, "/cars/Golf.tvn", "Golf.tvn"), "");
  ASSERT_EQ(self.Write(doc, "", "Untitled"), "");
  EXPECT_EQ(FilesIn(Folder()), (Strings{"Untitled.1.owner", "Untitled.1.tvn"}));
  EXPECT_EQ(fs::path(self.Own()).filename(), "Untitled.1.tvn");
  self.Remove();
  EXPECT_TRUE(FilesIn(Folder()).empty());
}

// A real program, killed: its record tells the next one that it has ended.
TEST(RecoveryOwners, AFileLeftByAKilledProgramIsOfferedAndARunningOnesIsNot) {
  TempDir dir;
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  if (child == 0) {
    RecoveryStore store(dir.path());
    const bool written = store.Write(SetupDocument(), "/cars/Golf.tvn", "Golf.tvn").empty();
    const char byte = written ? '1' : '0';
    (void)!write(ready[1], &byte, 1);
    pause();
    _exit(0);
  }
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  ASSERT_EQ(byte, '1');
  RecoveryStore self(dir.path());
  EXPECT_TRUE(self.LeftBehind().empty());

  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  const std::vector<RecoveryFile> left = self.LeftBehind();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].owner.pid, child);
  EXPECT_EQ(left[0].documentPath, "/cars/Golf.tvn");
  EXPECT_FALSE(ProcessMark::Running(left[0].owner));
  EXPECT_TRUE(ProcessMark::Running(ProcessMark::Current()));
  close(ready[0]);
  close(ready[1]);
}

// The keeper over a document session, in virtual milliseconds.
class RecoveryKeeping : public ::testing::Test {
 protected:
  RecoveryKeeping() { programs.running = {{1, true}, {9, false}}; }

  // An edit as the form makes it: the value, then the modified flag.
  void Edit(double delay) {
    session.document.channelDelay[0] = delay;
    session.SetModified();
  }
  // The delay the recovery file holds, or -1 without one.
  double Kept() {
    if (store.Own().empty() || !fs::exists(store.Own())) return -1;
    SetupDocument kept;
    RecordingDialogs quiet;
    if (!SetupFile::Succeeded(SetupFile::Load(store.Own(), kept, quiet))) return -2;
    return kept.channelDelay[0];
  }

  TempDir dir;
  Programs programs;
  RecoveryStore store{dir.path(), Mark(1), programs.Liveness(), [] { return kWritten; }};
  DocumentSession session;
  RecoveryKeeper keeper{store, session};
  RecordingDialogs dialogs;
};

TEST_F(RecoveryKeeping, AChangeIsInTheFileWithinTenSecondsWhileTheSetupIsModified) {
  keeper.Check(0);
  EXPECT_EQ(Kept(), -1);  // nothing unsaved, nothing written
  Edit(1.0);
  keeper.Check(0);
  keeper.Check(1000);
  EXPECT_EQ(Kept(), -1);  // still changing, perhaps
  keeper.Check(2000);
  EXPECT_EQ(Kept(), 1.0);

  // Edits every half second for half a minute: the file never lags more than ten seconds.
  for (std::int64_t t = 3000; t <= 33000; t += 500) {
    Edit(static_cast<double>(t));
    if (t % 1000 == 0) {
      keeper.Check(t);
      EXPECT_GE(Kept(), static_cast<double>(t - 10000)) << t;
    }
  }
  keeper.Check(34000);
  keeper.Check(35000);
  EXPECT_EQ(Kept(), 33000.0);
}

TEST_F(RecoveryKeeping, TheFileGoesOnceTheSetupIsSavedUndoneOrDiscardedOrTheProgramEnds) {
  const std::pair<const char*, std::function<void()>> endings[] = {
      {"saved", [&] { ASSERT_TRUE(session.Save(dir.File("Golf.tvn"), dialogs)); }},
      {"undone", [&] { session.SetModified(false); }},
      {"discarded (Ctrl+N, No)", [&] { session.New(); }},
      {"ended", [&] { keeper.End(); }},
  };
  std::int64_t t = 0;
  for (const auto& [ending, act] : endings) {
    Edit(2.5);
    keeper.Check(t += 1000);
    keeper.Check(t += RecoveryKeeper::kQuietMs);
    ASSERT_EQ(Kept(), 2.5) << ending;
    const std::string file = store.Own();
    act();
    keeper.Check(t += 1000);
    EXPECT_FALSE(fs::exists(file)) << ending;
    EXPECT_TRUE(FilesIn(dir.File("recovery")).empty()) << ending;
  }
}

TEST_F(RecoveryKeeping, AFailedWriteIsNotedOnceAndTriedAgain) {
  const std::string blocked = dir.File("blocked");
  WriteFileBytes(blocked, "x");
  RecoveryStore failing(blocked, Mark(1), programs.Liveness());
  RecoveryKeeper failingKeeper(failing, session);
  Edit(1.0);
  EXPECT_EQ(failingKeeper.Check(10000), "");
  const std::string note = failingKeeper.Check(12000);
  EXPECT_EQ(note.rfind("Recovery file not written to " + blocked + "/recovery: ", 0), 0u) << note;
  EXPECT_EQ(failingKeeper.Check(13000), "");
  fs::remove(blocked);
  EXPECT_EQ(failingKeeper.Check(14000), "");
  EXPECT_FALSE(failing.Own().empty());
}

class RecoveryOffer : public RecoveryKeeping {
 protected:
  // A setup the ended program 9 left unsaved.
  void LeaveBehind(const std::string& path, double delay) {
    SetupDocument left;
    left.channelDelay[0] = delay;
    RecoveryStore ended(dir.path(), Mark(9), programs.Liveness(), [] { return kWritten; });
    ASSERT_EQ(ended.Write(left, path, std::filesystem::path(path).filename().string()), "");
  }
  bool Offer() {
    return keeper.Offer(prompt, [this](const RecoveryFile& left) {
      return SetupFile::Succeeded(session.OpenCopy(left.file, left.documentPath, dialogs));
    });
  }
  ScriptedPrompt prompt;
};

TEST_F(RecoveryOffer, RestoreOpensTheSetupUnderItsOwnFileNameWithTheModifiedMark) {
  LeaveBehind("/cars/Golf.tvn", 7.5);
  EXPECT_TRUE(Offer());
  ASSERT_EQ(prompt.questions.size(), 1u);
  EXPECT_EQ(prompt.questions[0].rfind("The setup Golf.tvn was not saved when the program ended on ", 0), 0u);
  EXPECT_EQ(session.Path(), "/cars/Golf.tvn");
  EXPECT_EQ(session.Title(), "Golf.tvn");
  EXPECT_TRUE(session.IsModified());
  EXPECT_DOUBLE_EQ(session.document.channelDelay[0], 7.5);
  // This program's own file now holds it; the ended program's is gone.
  EXPECT_EQ(FilesIn(dir.File("recovery")), (Strings{"Golf.1.owner", "Golf.1.tvn"}));
  EXPECT_EQ(Kept(), 7.5);
}

TEST_F(RecoveryOffer, DiscardDeletesAnUnansweredQuestionKeepsAndAFailedRestoreGivesBack) {
  struct Case {
    RecoveryPrompt::Answer answer;
    bool damaged;
    Strings left;
  };
  const Case cases[] = {
      {RecoveryPrompt::Answer::Discard, false, {}},
      {RecoveryPrompt::Answer::Later, false, {"Polo.9.owner", "Polo.9.tvn"}},
      {RecoveryPrompt::Answer::Restore, true, {"Polo.9.owner", "Polo.9.tvn"}},
  };
  for (const Case& c : cases) {
    fs::remove_all(dir.File("recovery"));
    LeaveBehind("/cars/Polo.tvn", 3.0);
    if (c.damaged) WriteFileBytes(dir.File("recovery/Polo.9.tvn"), "");
    prompt.answer = c.answer;
    EXPECT_FALSE(Offer());
    EXPECT_EQ(FilesIn(dir.File("recovery")), c.left);
    EXPECT_FALSE(session.IsModified());
    EXPECT_EQ(session.Path(), "");
  }
}

}  // namespace
