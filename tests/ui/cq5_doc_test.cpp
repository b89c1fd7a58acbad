// The document commands' rules: the recent-file list, the save question and the file names.
#include "app/cq5_doc.h"

#include <gtest/gtest.h>

#include "common/temp_dir.h"
#include "document/setup_file.h"
#include "ui/app_harness.h"

namespace {

struct DocFixture {
  MemorySettings settings;
  RecordingDialogs dialogs;
  ScriptedPrompts prompts;
  TempDir dir;

  std::string Saved(const std::string& name) {
    SetupDocument doc;
    const std::string path = dir.File(name);
    EXPECT_TRUE(SetupFile::Save(path, doc, dialogs));
    return path;
  }
};

TEST(CQ5Doc, RecentFilesKeepTheNewestFourWithoutRepeats) {
  DocFixture f;
  CQ5Doc doc(f.settings, f.dialogs, f.prompts);
  std::vector<std::string> paths;
  for (const char* name : {"s0.tvn", "s1.tvn", "s2.tvn", "s3.tvn", "s4.tvn"}) paths.push_back(f.Saved(name));
  for (const std::string& p : paths) ASSERT_TRUE(doc.OpenFile(p));
  ASSERT_TRUE(doc.OpenFile(paths[2]));
  EXPECT_EQ(doc.RecentFiles(), (std::vector<std::string>{paths[2], paths[4], paths[3], paths[1]}));
  EXPECT_EQ(f.settings.GetString(CQ5Doc::kRecentSection, "File1", ""), paths[2]);
  EXPECT_EQ(f.settings.GetString(CQ5Doc::kRecentSection, "File4", ""), paths[1]);

  // The list comes back with the next start.
  CQ5Doc next(f.settings, f.dialogs, f.prompts);
  EXPECT_EQ(next.RecentFiles(), doc.RecentFiles());

  // An entry that no longer opens is reported and leaves the list; the document stays as it was.
  std::filesystem::remove(paths[4]);
  EXPECT_FALSE(next.OpenRecent(1));
  EXPECT_EQ(next.RecentFiles(), (std::vector<std::string>{paths[2], paths[3], paths[1]}));
  EXPECT_EQ(f.settings.GetString(CQ5Doc::kRecentSection, "File4", "x"), "");
  EXPECT_EQ(f.dialogs.messages.size(), 1u);
}

TEST(CQ5Doc, SaveQuestionDecidesWhetherToGoOn) {
  DocFixture f;
  CQ5Doc doc(f.settings, f.dialogs, f.prompts);
  const std::string other = f.Saved("other.tvn");
  doc.SetModified();

  f.prompts.answer = DocumentPrompts::SaveAnswer::Cancel;
  EXPECT_FALSE(doc.OpenFile(other));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.Title(), "Untitled");

  // Yes on an untitled document asks for a name; giving none goes back without opening.
  f.prompts.answer = DocumentPrompts::SaveAnswer::Yes;
  f.prompts.saveFile.clear();
  EXPECT_FALSE(doc.OpenFile(other));
  EXPECT_EQ(doc.Title(), "Untitled");

  // A name typed without an extension gets ".tvn"; then the other file opens.
  f.prompts.saveFile = f.dir.File("mine");
  EXPECT_TRUE(doc.OpenFile(other));
  EXPECT_TRUE(std::filesystem::exists(f.dir.File("mine.tvn")));
  EXPECT_EQ(doc.Title(), "other.tvn");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(f.prompts.asked, (std::vector<std::string>{"Untitled", "Untitled", "Untitled"}));

  // No: nothing is saved and the open goes on; the question names the file.
  doc.SetModified();
  f.prompts.answer = DocumentPrompts::SaveAnswer::No;
  EXPECT_TRUE(doc.OpenFile(f.dir.File("mine.tvn")));
  EXPECT_EQ(f.prompts.asked.back(), other);
}

TEST(CQ5Doc, SaveAsksForANameOnlyTheFirstTime) {
  DocFixture f;
  CQ5Doc doc(f.settings, f.dialogs, f.prompts);
  f.prompts.saveFile = f.dir.File("first.tvn");
  ASSERT_TRUE(doc.OnSave());
  EXPECT_EQ(doc.Title(), "first.tvn");
  f.prompts.saveFile = f.dir.File("never-asked.tvn");
  doc.SetModified();
  ASSERT_TRUE(doc.OnSave());
  EXPECT_FALSE(std::filesystem::exists(f.dir.File("never-asked.tvn")));
  EXPECT_FALSE(doc.IsModified());
  // A name with an extension of its own keeps it.
  f.prompts.saveFile = f.dir.File("copy.bak");
  ASSERT_TRUE(doc.OnSaveAs());
  EXPECT_EQ(doc.Title(), "copy.bak");
  EXPECT_EQ(doc.RecentFiles().front(), f.dir.File("copy.bak"));
}

TEST(CQ5Doc, OpeningTellsOnceWhatWasCorrectedAndRefusesAnEmptyFile) {
  DocFixture f;
  CQ5Doc doc(f.settings, f.dialogs, f.prompts);
  SetupDocument damaged;
  damaged.channelDelay[2] = -5.0;
  damaged.peqPeakBoost = 1 << 30;
  const std::string path = f.dir.File("damaged.tvn");
  ASSERT_TRUE(SetupFile::Save(path, damaged, f.dialogs));
  int reloads = 0;
  doc.onReload = [&] {
    ++reloads;
    doc.SetModified(false);  // as the form's initial update does
  };

  ASSERT_TRUE(doc.OpenFile(path));
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(
      f.dialogs.messages,
      std::vector<std::string>{"Some values in this setup file were out of range and have been corrected: "
                               "peak boosts, delays. Save the file to keep the corrected setup."});
  EXPECT_TRUE(doc.IsModified());

  // An empty file is refused and nothing changes, name and modified flag included.
  f.dialogs.messages.clear();
  f.prompts.answer = DocumentPrompts::SaveAnswer::No;
  const std::string empty = f.dir.File("empty.tvn");
  WriteFileBytes(empty, "");
  EXPECT_FALSE(doc.OpenFile(empty));
  EXPECT_EQ(f.dialogs.messages, std::vector<std::string>{"Unexpected file format."});
  EXPECT_EQ(doc.Title(), "damaged.tvn");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(reloads, 1);
}

TEST(CQ5Doc, FileDialogsStartInTheFolderOfTheLastFileUsed) {
  DocFixture f;
  CQ5Doc doc(f.settings, f.dialogs, f.prompts);
  EXPECT_FALSE(doc.OnOpen());
  EXPECT_EQ(f.prompts.openFolders.back(), "");  // nothing used yet: the dialog's own choice
  EXPECT_FALSE(doc.OnSaveAs());
  EXPECT_EQ(f.prompts.saveSuggestions.back(), "Untitled.tvn");

  std::filesystem::create_directory(f.dir.File("cars"));
  ASSERT_TRUE(doc.OpenFile(f.Saved("cars/golf.tvn")));
  doc.OnNew();  // untitled again; the folder is remembered through the recent files
  EXPECT_FALSE(doc.OnOpen());
  EXPECT_EQ(f.prompts.openFolders.back(), f.dir.File("cars"));
  EXPECT_FALSE(doc.OnSaveAs());
  EXPECT_EQ(f.prompts.saveSuggestions.back(), f.dir.File("cars/Untitled.tvn"));

  // A folder that has gone is passed over for the next one used.
  CQ5Doc next(f.settings, f.dialogs, f.prompts);
  ASSERT_TRUE(next.OpenFile(f.Saved("top.tvn")));
  ASSERT_TRUE(next.OpenFile(f.dir.File("cars/golf.tvn")));
  std::filesystem::remove_all(f.dir.File("cars"));
  CQ5Doc later(f.settings, f.dialogs, f.prompts);
  EXPECT_EQ(later.StartFolder(), f.dir.path());
  std::filesystem::remove_all(f.dir.path());
  EXPECT_EQ(later.StartFolder(), "");

  for (const auto& [name, taken] : std::vector<std::pair<const char*, bool>>{{"/a/b.tvn", true},
                                                                             {"B.TVN", true},
                                                                             {"c.Tvn", true},
                                                                             {"d.tvn.txt", false},
                                                                             {"tvn", false},
                                                                             {"e.tv", false}})
    EXPECT_EQ(CQ5Doc::IsSetupFileName(name), taken) << name;
}

}  // namespace
