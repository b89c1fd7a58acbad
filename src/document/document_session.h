#pragma once

#include <functional>
#include <string>

#include "common/dialogs.h"
#include "document/setup_correction.h"
#include "document/setup_document.h"
#include "document/setup_file.h"

// The one setup document of the program with its file: path, title and modified flag, and the
// New, Open and Save commands' rules. The windowed program's document class wraps it.
class DocumentSession {
 public:
  static constexpr const char* kUntitled = "Untitled";

  SetupDocument document;

  // Unsaved changes: a change the undo history does not hold (values corrected as the file was
  // opened, a restored recovery file), or a history that stands away from the step last saved.
  bool IsModified() const { return modified_ || historyModified_; }
  // A change outside the undo history.
  void SetModified(bool modified = true) { modified_ = modified; }
  // The undo history's share: it stands away from its clean step.
  void SetHistoryModified(bool modified) { historyModified_ = modified; }
  // Runs after every successful save: the undo history takes its present step as the clean one.
  std::function<void()> onSaved;

  // The file the document belongs to; empty while untitled.
  const std::string& Path() const { return path_; }
  // The file's name without its folder, or "Untitled".
  std::string Title() const;

  // Ctrl+N: keeps every value, forgets the file and clears the modified flag.
  void New();

  // Opens `path` into the document. On success the document takes the file's name and every
  // value is brought into range; the modified flag is set exactly when a value had to be
  // corrected (so that saving writes the corrected file). A file that cannot be opened, is empty,
  // foreign or damaged changes nothing at all: values, file, title and modified flag stay as
  // they were.
  SetupFile::LoadOutcome Open(const std::string& path, Dialogs& dialogs);
  // Opens `file` as the setup of `path` (empty: untitled), modified: a recovery file restored under
  // its setup's own name, a snapshot opened as a new setup. Saving then goes to `path`. A file
  // that does not open changes nothing, as with Open.
  SetupFile::LoadOutcome OpenCopy(const std::string& file, const std::string& path, Dialogs& dialogs);
  // What the last successful Open corrected.
  const SetupCorrection::Corrections& LastCorrections() const { return corrections_; }

  // Saves to `path` (Save As) or, with an empty `path`, to the document's own file. On success
  // the document belongs to that file and is no longer modified; on failure nothing changes.
  bool Save(const std::string& path, Dialogs& dialogs);

 private:
  std::string path_;
  bool modified_ = false;
  bool historyModified_ = false;
  SetupCorrection::Corrections corrections_;
};
