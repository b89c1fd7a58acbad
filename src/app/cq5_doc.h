#pragma once

#include <functional>
#include <string>
#include <vector>

#include "document/document_session.h"

class Dialogs;
class DocumentPrompts;
class SettingsStore;

// The program's one document: the setup with its file, title and modified flag, the New, Open
// and Save commands with their questions, and the list of recently used files.
class CQ5Doc {
 public:
  static constexpr const char* kRecentSection = "Recent File List";
  static constexpr int kRecentCount = 4;
  static constexpr const char* kExtension = ".tvn";

  CQ5Doc(SettingsStore& settings, Dialogs& dialogs, DocumentPrompts& prompts);

  SetupDocument& Document() { return session_.document; }
  DocumentSession& Session() { return session_; }
  std::string Title() const { return session_.Title(); }
  const std::string& Path() const { return session_.Path(); }
  bool IsModified() const { return session_.IsModified(); }
  void SetModified(bool modified = true) { session_.SetModified(modified); }

  // Ctrl+N: after offering unsaved edits for saving, keeps every value, becomes "Untitled" and
  // lets the form take it up again.
  void OnNew();
  // "&Open...": asks for a file, then opens it as OpenFile does.
  bool OnOpen();
  // Opens `path` after offering to save a modified document. A file that cannot be opened has
  // been reported and changes nothing; a good one becomes the document's file and the first
  // recent entry.
  bool OpenFile(const std::string& path);
  // Opens `file` as the setup of `documentPath` (empty: untitled) with the modified mark set,
  // after offering to save a modified document: a recovery file restored under its setup's name
  // (the next Save goes to that file), a snapshot opened as a new setup.
  bool OpenCopy(const std::string& file, const std::string& documentPath);
  // A recent-file entry, 0 for the newest; an entry that no longer opens leaves the list.
  bool OpenRecent(int index);
  // "&Save" (asks for a name the first time) and "Save &As...".
  bool OnSave();
  bool OnSaveAs();
  // "Save changes to %1?" when modified: true when the caller may go on (saved, or not wanted).
  bool SaveModified();

  const std::vector<std::string>& RecentFiles() const { return recent_; }
  // Where the file dialogs start: the folder of the last file used that still exists, else "".
  std::string StartFolder() const;
  // A name the program takes for a setup file: one ending in ".tvn", in any letter case.
  static bool IsSetupFileName(const std::string& path);

  // Runs after New and after a successful Open: the form's initial update.
  std::function<void()> onReload;
  // Runs whenever the title or the recent-file list may have changed.
  std::function<void()> onChanged;

 private:
  bool Load(const std::string& path);
  // What follows a successful open: the form takes the document up again and corrected values
  // are reported; `modified` keeps the modified mark set.
  bool Opened(SetupFile::LoadOutcome outcome, bool modified);
  bool SaveTo(const std::string& path);
  void AddRecent(const std::string& path);
  void RemoveRecent(const std::string& path);
  void StoreRecent();
  void Changed();

  SettingsStore& settings_;
  Dialogs& dialogs_;
  DocumentPrompts& prompts_;
  DocumentSession session_;
  std::vector<std::string> recent_;
};
