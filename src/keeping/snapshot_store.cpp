#include "keeping/snapshot_store.h"

#include <algorithm>
#include <filesystem>

#include "document/setup_file.h"
#include "keeping/setup_name.h"
#include "keeping/time_stamp.h"

namespace fs = std::filesystem;

namespace {

constexpr char kSnapshotNameSeparator = '_';
constexpr std::string_view kStoreTriggerPrefix = "store-";
constexpr int kSnapshotMemoryCount = 6;
// Another program's snapshot of the same millisecond moves this one on by a millisecond.
constexpr int kStampTries = 1000;

bool KnownSnapshotTrigger(std::string_view trigger) {
  if (trigger == "connect" || trigger == "aeq" || trigger == "tcr") return true;
  return trigger.size() == kStoreTriggerPrefix.size() + 1 && trigger.starts_with(kStoreTriggerPrefix) &&
         trigger.back() >= '1' && trigger.back() < '1' + kSnapshotMemoryCount;
}

}  // namespace

SnapshotStore::SnapshotStore(const std::string& dataFolder, Clock now)
    : folder_((fs::path(dataFolder) / kFolderName).string()), now_(std::move(now)) {}

std::string SnapshotStore::Keep(const SnapshotTrigger& trigger, const SetupDocument& setup,
                                std::string_view setupName) {
  const auto note = [this](const std::string& reason) {
    return "Snapshot not written to " + folder_ + ": " + reason;
  };
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (ec) return note(ec.message());

  const std::string tail = std::string(1, kSnapshotNameSeparator) + trigger.Name() + kSnapshotNameSeparator +
                           SetupName::Stem(setupName) + SetupName::kExtension;
  // Names sort by time: a new snapshot is always the newest, even when the clock went back.
  auto time = now_();
  if (const std::vector<SnapshotEntry> kept = List(); !kept.empty() && time <= kept.front().time)
    time = kept.front().time + std::chrono::milliseconds(1);
  fs::path path;
  for (int i = 0; i < kStampTries; ++i, time += std::chrono::milliseconds(1)) {
    path = fs::path(folder_) / (TimeStamp::FileStamp(time) + tail);
    if (!fs::exists(path, ec)) break;
  }
  std::string error;
  if (!SetupFile::Write(path.string(), setup, error)) return note(error);

  const std::vector<SnapshotEntry> entries = List();
  for (std::size_t i = kKept; i < entries.size(); ++i) fs::remove(entries[i].path, ec);
  return {};
}

std::vector<SnapshotEntry> SnapshotStore::List() const {
  std::vector<SnapshotEntry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    SnapshotEntry entry;
    if (!it->is_regular_file(ec) || !ParseName(it->path().filename().string(), entry)) continue;
    entry.path = it->path().string();
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(), [](const SnapshotEntry& a, const SnapshotEntry& b) {
    return a.time != b.time ? a.time > b.time : a.path > b.path;
  });
  return entries;
}

bool SnapshotStore::ParseName(const std::string& name, SnapshotEntry& entry) {
  const std::size_t first = name.find(kSnapshotNameSeparator);
  if (first == std::string::npos) return false;
  const std::size_t second = name.find(kSnapshotNameSeparator, first + 1);
  if (second == std::string::npos || !name.ends_with(SetupName::kExtension)) return false;
  const std::size_t stemEnd = name.size() - std::string_view(SetupName::kExtension).size();
  if (stemEnd <= second + 1) return false;
  if (!TimeStamp::ParseFileStamp(std::string_view(name).substr(0, first), entry.time)) return false;
  entry.trigger = name.substr(first + 1, second - first - 1);
  if (!KnownSnapshotTrigger(entry.trigger)) return false;
  entry.setupName = name.substr(second + 1, stemEnd - second - 1);
  return true;
}
