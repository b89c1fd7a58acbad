#include "app/cq5_doc.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/document_prompts.h"
#include "common/dialogs.h"
#include "common/settings_store.h"

namespace {

std::string RecentKey(int number) { return "File" + std::to_string(number); }

// A name typed without an extension gets the setup file's.
std::string WithExtension(const std::string& path) {
  const std::filesystem::path p(path);
  return p.has_extension() ? path : path + CQ5Doc::kExtension;
}

}  // namespace

CQ5Doc::CQ5Doc(SettingsStore& settings, Dialogs& dialogs, DocumentPrompts& prompts)
    : settings_(settings), dialogs_(dialogs), prompts_(prompts) {
  for (int i = 1; i <= kRecentCount; ++i) {
    const std::string path = settings_.GetString(kRecentSection, RecentKey(i), "");
    if (!path.empty()) recent_.push_back(path);
  }
}

void CQ5Doc::OnNew() {
  // New keeps the values but forgets the file and the modified flag: unsaved edits would leave
  // no trace that asks for them at exit, so they are offered for saving first.
  if (!SaveModified()) return;
  session_.New();
  if (onReload) onReload();
  Changed();
}

bool CQ5Doc::OnOpen() {
  if (!SaveModified()) return false;
  const std::string path = prompts_.ChooseOpenFile(StartFolder());
  if (path.empty()) return false;
  return Load(path);
}

bool CQ5Doc::OpenFile(const std::string& path) { return SaveModified() && Load(path); }

bool CQ5Doc::Load(const std::string& path) {
  const SetupFile::LoadOutcome outcome = session_.Open(path, dialogs_);
  if (SetupFile::Succeeded(outcome)) AddRecent(path);
  return Opened(outcome, false);
}

bool CQ5Doc::OpenCopy(const std::string& file, const std::string& documentPath) {
  return SaveModified() && Opened(session_.OpenCopy(file, documentPath, dialogs_), true);
}

bool CQ5Doc::Opened(SetupFile::LoadOutcome outcome, bool modified) {
  if (!SetupFile::Succeeded(outcome)) return false;
  if (onReload) onReload();
  // The form's initial update clears the modified flag; corrected values are unsaved changes.
  const SetupCorrection::Corrections& corrected = session_.LastCorrections();
  if (modified || corrected.Any()) session_.SetModified(true);
  if (corrected.Any()) dialogs_.ShowMessage(SetupCorrection::Message(corrected), MessageIcon::Exclamation);
  Changed();
  return true;
}

bool CQ5Doc::OpenRecent(int index) {
  if (index < 0 || index >= static_cast<int>(recent_.size())) return false;
  const std::string path = recent_[static_cast<std::size_t>(index)];
  if (!SaveModified()) return false;
  if (Load(path)) return true;
  RemoveRecent(path);
  Changed();
  return false;
}

bool CQ5Doc::OnSave() {
  if (session_.Path().empty()) return OnSaveAs();
  return SaveTo(session_.Path());
}

bool CQ5Doc::OnSaveAs() {
  std::string suggested = session_.Path();
  if (suggested.empty()) {
    const std::filesystem::path name = std::string(DocumentSession::kUntitled) + kExtension;
    const std::string folder = StartFolder();
    suggested = folder.empty() ? name.string() : (std::filesystem::path(folder) / name).string();
  }
  const std::string chosen = prompts_.ChooseSaveFile(suggested);
  if (chosen.empty()) return false;
  return SaveTo(WithExtension(chosen));
}

bool CQ5Doc::SaveModified() {
  if (!session_.IsModified()) return true;
  const std::string name = session_.Path().empty() ? session_.Title() : session_.Path();
  switch (prompts_.AskSaveChanges(name)) {
    case DocumentPrompts::SaveAnswer::Yes:
      return OnSave();
    case DocumentPrompts::SaveAnswer::No:
      return true;
    case DocumentPrompts::SaveAnswer::Cancel:
      return false;
  }
  return false;
}

bool CQ5Doc::SaveTo(const std::string& path) {
  if (!session_.Save(path, dialogs_)) return false;
  AddRecent(path);
  Changed();
  return true;
}

std::string CQ5Doc::StartFolder() const {
  std::vector<std::string> used = recent_;
  if (!session_.Path().empty()) used.insert(used.begin(), session_.Path());
  for (const std::string& path : used) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(path, ec).parent_path();
    if (!ec && std::filesystem::is_directory(folder, ec)) return folder.string();
  }
  return {};
}

bool CQ5Doc::IsSetupFileName(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == kExtension;
}

void CQ5Doc::AddRecent(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  const std::string entry = ec ? path : absolute.lexically_normal().string();
  RemoveRecent(entry);
  recent_.insert(recent_.begin(), entry);
  if (recent_.size() > static_cast<std::size_t>(kRecentCount)) recent_.resize(kRecentCount);
  StoreRecent();
}

void CQ5Doc::RemoveRecent(const std::string& path) {
  recent_.erase(std::remove(recent_.begin(), recent_.end(), path), recent_.end());
  StoreRecent();
}

void CQ5Doc::StoreRecent() {
  for (int i = 1; i <= kRecentCount; ++i) {
    const std::size_t at = static_cast<std::size_t>(i - 1);
    settings_.SetString(kRecentSection, RecentKey(i), at < recent_.size() ? recent_[at] : std::string());
  }
}

void CQ5Doc::Changed() {
  if (onChanged) onChanged();
}
