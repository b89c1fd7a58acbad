#include "keeping/recovery_store.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/setup_file.h"
#include "keeping/setup_name.h"
#include "keeping/time_stamp.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTakenInfix = ".taken-";
constexpr const char* kRecordHeader = "krv5200-recovery 1";
constexpr const char* kRestoreQuestion =
    "The setup %1 was not saved when the program ended on %2. Restore it?";

// Record values stand one a line: backslashes and line breaks are escaped.
std::string EscapeRecordValue(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

std::string UnescapeRecordValue(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

bool WriteRecordText(const std::string& path, const std::string& text, std::string& error) {
  const std::string temp = path + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) {
      error = "cannot write " + temp;
      std::error_code ec;
      fs::remove(temp, ec);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  if (ec) {
    error = ec.message();
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace

RecoveryStore::RecoveryStore(const std::string& dataFolder, ProcessMark self, Liveness running, Clock now)
    : folder_((fs::path(dataFolder) / kFolderName).string()),
      self_(std::move(self)),
      running_(std::move(running)),
      now_(std::move(now)) {}

std::string RecoveryStore::Write(const SetupDocument& setup, const std::string& documentPath,
                                 const std::string& title) {
  const auto note = [this](const std::string& reason) {
    return "Recovery file not written to " + folder_ + ": " + reason;
  };
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (ec) return note(ec.message());

  const std::string base =
      (fs::path(folder_) / (SetupName::Stem(title) + "." + std::to_string(self_.pid))).string();
  const std::string file = base + SetupName::kExtension;
  const std::string record = base + kRecordExtension;
  std::string error;
  if (!SetupFile::Write(file, setup, error)) return note(error);

  std::ostringstream text;
  text << kRecordHeader << "\npid " << self_.pid << "\nstart " << self_.start << "\nboot " << self_.boot
       << "\nhost " << EscapeRecordValue(self_.host) << "\nwritten " << TimeStamp::FileStamp(now_())
       << "\ntitle " << EscapeRecordValue(title) << "\npath " << EscapeRecordValue(documentPath) << "\n";
  if (!WriteRecordText(record, text.str(), error)) {
    if (file != ownFile_) fs::remove(file, ec);
    return note(error);
  }
  // The setup's name changed (Save As, an untitled setup opened): the old pair goes.
  if (!ownFile_.empty() && file != ownFile_) Remove();
  ownFile_ = file;
  ownRecord_ = record;
  return {};
}

void RecoveryStore::Remove() {
  if (ownFile_.empty()) return;
  std::error_code ec;
  // The record first: a file without a record is never offered.
  fs::remove(ownRecord_, ec);
  fs::remove(ownFile_, ec);
  ownFile_.clear();
  ownRecord_.clear();
}

bool RecoveryStore::ReadRecord(const std::string& record, RecoveryFile& left) const {
  std::ifstream in(record);
  std::string line;
  if (!std::getline(in, line) || line != kRecordHeader) return false;
  std::string written;
  while (std::getline(in, line)) {
    const auto space = line.find(' ');
    const std::string key = line.substr(0, space);
    const std::string value =
        space == std::string::npos ? std::string() : UnescapeRecordValue(line.substr(space + 1));
    if (key == "pid") {
      left.owner.pid = std::strtol(value.c_str(), nullptr, 10);
    } else if (key == "start") {
      left.owner.start = value;
    } else if (key == "boot") {
      left.owner.boot = value;
    } else if (key == "host") {
      left.owner.host = value;
    } else if (key == "written") {
      written = value;
    } else if (key == "title") {
      left.title = value;
    } else if (key == "path") {
      left.documentPath = value;
    }
  }
  return left.owner.pid > 0 && TimeStamp::ParseFileStamp(written, left.written);
}

std::vector<RecoveryFile> RecoveryStore::LeftBehind() const {
  std::vector<RecoveryFile> left;
  std::error_code ec;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path record = it->path();
    if (record.extension() != kRecordExtension) continue;
    RecoveryFile entry;
    entry.record = record.string();
    entry.file = fs::path(record).replace_extension(SetupName::kExtension).string();
    if (!ReadRecord(entry.record, entry) || entry.owner == self_ || running_(entry.owner)) continue;
    std::error_code missing;
    if (!fs::is_regular_file(entry.file, missing)) continue;
    left.push_back(std::move(entry));
  }
  std::sort(left.begin(), left.end(),
            [](const RecoveryFile& a, const RecoveryFile& b) { return a.written > b.written; });
  return left;
}

bool RecoveryStore::Take(RecoveryFile& left) const {
  // Renaming is atomic: of two programs taking the same file, one finds it gone.
  const std::string taken = left.record + kTakenInfix + std::to_string(self_.pid);
  std::error_code ec;
  fs::rename(left.record, taken, ec);
  if (ec) return false;
  left.record = taken;
  return true;
}

void RecoveryStore::Release(RecoveryFile& taken) {
  const auto at = taken.record.rfind(kTakenInfix);
  if (at == std::string::npos) return;
  const std::string record = taken.record.substr(0, at);
  std::error_code ec;
  fs::rename(taken.record, record, ec);
  if (!ec) taken.record = record;
}

void RecoveryStore::Delete(const RecoveryFile& taken) {
  std::error_code ec;
  fs::remove(taken.file, ec);
  fs::remove(taken.record, ec);
}

std::string RecoveryStore::Question(const RecoveryFile& left) {
  std::string text = kRestoreQuestion;
  // The time first: a setup's name may itself hold "%2".
  text.replace(text.find("%2"), 2, TimeStamp::LocalText(left.written));
  text.replace(text.find("%1"), 2, left.title);
  return text;
}
