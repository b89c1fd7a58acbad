#include "document/document_session.h"

#include <gtest/gtest.h>

#include "common/recording_dialogs.h"
#include "common/temp_dir.h"

TEST(DocumentSession, NewKeepsTheValuesAndForgetsTheFile) {
  TempDir dir;
  RecordingDialogs dialogs;
  DocumentSession s;
  EXPECT_EQ(s.Title(), "Untitled");
  s.document.channelDelay[3] = 1.5;
  ASSERT_TRUE(s.Save(dir.File("car.tvn"), dialogs));
  EXPECT_EQ(s.Title(), "car.tvn");
  s.document.channelDelay[3] = 2.5;
  s.SetModified();
  s.New();
  EXPECT_EQ(s.Title(), "Untitled");
  EXPECT_FALSE(s.IsModified());
  EXPECT_EQ(s.document.channelDelay[3], 2.5);
  EXPECT_FALSE(s.Save("", dialogs));  // untitled: the caller must ask for a name
}

TEST(DocumentSession, FailedOpenChangesNothingAndSaveKeepsTheModifiedFlag) {
  TempDir dir;
  RecordingDialogs dialogs;
  DocumentSession s;
  const std::string own = dir.File("own.tvn");
  ASSERT_TRUE(s.Save(own, dialogs));
  s.document.subWooferMode = 1;
  s.SetModified();

  // A foreign file does not become the document's file, so a later Save cannot overwrite it.
  const std::string foreign = dir.File("foreign.tvn");
  WriteFileBytes(foreign, std::string("\x05OTHER\x05ver 1 and more", 21));
  EXPECT_EQ(s.Open(foreign, dialogs), SetupFile::LoadOutcome::WrongType);
  EXPECT_EQ(s.Path(), own);
  EXPECT_TRUE(s.IsModified());
  EXPECT_EQ(s.document.subWooferMode, 1);
  ASSERT_TRUE(s.Save("", dialogs));
  EXPECT_EQ(ReadFileBytes(foreign).substr(1, 5), "OTHER");
  EXPECT_FALSE(s.IsModified());

  // A save that fails keeps the document modified and its file as it was.
  s.SetModified();
  EXPECT_FALSE(s.Save(dir.File("no/such/dir.tvn"), dialogs));
  EXPECT_TRUE(s.IsModified());
  EXPECT_EQ(s.Path(), own);

  // An empty file holds no setup: refused like a damaged one, nothing changes.
  const std::string empty = dir.File("empty.tvn");
  WriteFileBytes(empty, "");
  dialogs.messages.clear();
  EXPECT_EQ(s.Open(empty, dialogs), SetupFile::LoadOutcome::Empty);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Unexpected file format."});
  EXPECT_EQ(s.Path(), own);
  EXPECT_TRUE(s.IsModified());
  EXPECT_EQ(s.document.subWooferMode, 1);
}
