#pragma once

#include <string>

// The questions the document commands put to the user: which file, and whether to save first.
class DocumentPrompts {
 public:
  enum class SaveAnswer { Yes, No, Cancel };

  virtual ~DocumentPrompts() = default;
  // "Save changes to %1?" with Yes, No and Cancel.
  virtual SaveAnswer AskSaveChanges(const std::string& name) = 0;
  // The file to open, starting in `folder` (unless empty), or "" when the user cancelled.
  virtual std::string ChooseOpenFile(const std::string& folder) = 0;
  // The file to save to, starting from `suggested`, or "" when the user cancelled.
  virtual std::string ChooseSaveFile(const std::string& suggested) = 0;
};
