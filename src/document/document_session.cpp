#include "document/document_session.h"

std::string DocumentSession::Title() const {
  if (path_.empty()) return kUntitled;
  const auto slash = path_.find_last_of('/');
  return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

void DocumentSession::New() {
  path_.clear();
  modified_ = false;
  historyModified_ = false;
}

SetupFile::LoadOutcome DocumentSession::Open(const std::string& path, Dialogs& dialogs) {
  const SetupFile::LoadOutcome outcome = SetupFile::Load(path, document, dialogs);
  if (SetupFile::Succeeded(outcome)) {
    path_ = path;
    corrections_ = SetupCorrection::Correct(document);
    modified_ = corrections_.Any();
    historyModified_ = false;
  }
  return outcome;
}

SetupFile::LoadOutcome DocumentSession::OpenCopy(const std::string& file, const std::string& path,
                                                 Dialogs& dialogs) {
  const SetupFile::LoadOutcome outcome = Open(file, dialogs);
  if (SetupFile::Succeeded(outcome)) {
    path_ = path;
    SetModified(true);
  }
  return outcome;
}

bool DocumentSession::Save(const std::string& path, Dialogs& dialogs) {
  const std::string target = path.empty() ? path_ : path;
  if (target.empty() || !SetupFile::Save(target, document, dialogs)) return false;
  path_ = target;
  modified_ = false;
  historyModified_ = false;
  if (onSaved) onSaved();
  return true;
}
