#include "document/setup_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>

#include "document/byte_stream.h"

namespace SetupFile {
namespace {

constexpr const char* kFileTypeError = "FILE TYPE ERROR";
constexpr const char* kVersionError = "VERSION ERROR";
constexpr const char* kUnexpectedFormat = "Unexpected file format.";
constexpr const char* kFailedToOpen = "Failed to open document.";
constexpr const char* kFailedToSave = "Failed to save document.";
constexpr const char* kNotFound = "%1 was not found.";
constexpr const char* kAccessDenied = "Access to %1 was denied.";
constexpr const char* kNoSpaceReason = "No space left on the disk that holds %1";
constexpr const char* kReadOnlyReason = "The folder %1 is read-only";
constexpr const char* kPermissionReason = "Permission denied: you may not write into the folder %1";
constexpr const char* kNameTooLongReason = "The name %1 is too long";
constexpr const char* kNoFolderReason = "The folder %1 does not exist";

std::string Fill(std::string_view pattern, const std::string& path) {
  std::string text(pattern);
  if (const auto at = text.find("%1"); at != std::string::npos) text.replace(at, 2, path);
  return text;
}

// Walks every stored field in file order. The archive's Item() returns false to stop the walk
// (a reader at the end of its data); a writer never stops.
template <typename Archive, typename Doc>
bool WalkFields(Archive& ar, Doc& doc) {
  auto band = [&ar](auto& b) {
    return ar.Item(b.type) && ar.Item(b.frequency) && ar.Item(b.gain) && ar.Item(b.q) &&
           ar.Item(b.sectionKind);
  };
  for (int g = 0; g < kEqGroupCount; ++g) {
    for (int s = 0; s < kEqSideCount; ++s) {
      for (auto& b : doc.peqBands[g][s])
        if (!band(b)) return false;
      for (auto& b : doc.geqBands[g][s])
        if (!band(b)) return false;
    }
  }
  for (auto& group : doc.crossover) {
    for (auto& r : group) {
      if (!(ar.Item(r.lpfFrequency) && ar.Item(r.lpfSlope) && ar.Item(r.lpfCode) && ar.Item(r.hpfFrequency) &&
            ar.Item(r.hpfSlope) && ar.Item(r.hpfCode) && ar.Item(r.level)))
        return false;
    }
  }
  for (int c = 0; c < kOutputCount; ++c) {
    if (!(ar.Item(doc.channelDelay[c]) && ar.Item(doc.channelPhase[c]) && ar.Item(doc.speakerSwitch[c])))
      return false;
  }
  if (!(ar.Item(doc.appliedPeakBoost) && ar.Item(doc.peqPeakBoost) && ar.Item(doc.geqPeakBoost)))
    return false;
  for (int g = 0; g < kEqGroupCount; ++g) {
    for (int s = 0; s < kEqSideCount; ++s) {
      if (!(ar.Item(doc.peqCurvePeaks[g][s]) && ar.Item(doc.geqCurvePeaks[g][s]))) return false;
    }
  }
  if (!(ar.Item(doc.aeqParametersSaved) && ar.Item(doc.aeqActive) && ar.Item(doc.aeqMode))) return false;
  for (auto& w : doc.aeqParameters)
    if (!ar.Item(w)) return false;
  if (!(ar.Item(doc.measuredValue1) && ar.Item(doc.measuredValue2) && ar.Item(doc.subWooferMode)))
    return false;

  auto& p = doc.profile;
  if (!(ar.Item(p.year) && ar.Item(p.month) && ar.Item(p.day))) return false;
  for (auto* s : {&p.firstName, &p.lastName, &p.city, &p.state, &p.zip, &p.email, &p.telDay, &p.telEvening})
    if (!ar.Item(*s)) return false;
  if (!(ar.Item(p.gender) && ar.Item(p.dealerName) && ar.Item(p.dealerNumber) && ar.Item(p.installer)))
    return false;
  for (auto* s : {&p.vehicleMake, &p.vehicleModel, &p.vehicleYear, &p.remarks})
    if (!ar.Item(*s)) return false;
  for (auto* table : {&p.installedSystem, &p.previousSystem, &p.speakers, &p.amplifiers}) {
    for (auto& row : *table)
      if (!(ar.Item(row.make) && ar.Item(row.model) && ar.Item(row.numbers))) return false;
  }
  return true;
}

struct WriteArchive {
  ByteWriter out;
  bool Item(const std::int32_t& v) { return out.PutI32(v), true; }
  bool Item(const float& v) { return out.PutF32(v), true; }
  bool Item(const double& v) { return out.PutF64(v), true; }
  bool Item(const std::string& v) { return out.PutString(v), true; }
};

struct ReadArchive {
  ByteReader in;
  bool Item(std::int32_t& v) { return in.GetI32(v); }
  bool Item(float& v) { return in.GetF32(v); }
  bool Item(double& v) { return in.GetF64(v); }
  bool Item(std::string& v) { return in.GetString(v); }
};

bool ReadWholeFile(const std::string& path, std::string& data, int& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = errno;
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    data.append(chunk, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return true;
}

bool WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;  // a write that takes nothing has found the disk full
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The file the save replaces: a symbolic link is followed, so the link itself survives.
std::string ResolveTarget(const std::string& path) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  return path;
}

// The save writes to a temporary file beside the target, named after the program and the saving
// process and short enough for any target name the folder allows.
constexpr std::string_view kTemporaryPrefix = ".krv5200-saving-";
// A temporary file this old whose process has gone was left by a save that was killed.
constexpr time_t kStaleTemporarySeconds = 60;

std::string FolderOf(const std::string& target) {
  const auto slash = target.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : target.substr(0, slash);
}

bool ProcessRunning(pid_t pid) { return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM); }

// Removes what earlier saves into `folder` left behind when they were killed midway.
void RemoveStaleTemporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const time_t now = ::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (!name.starts_with(kTemporaryPrefix)) continue;
    const std::string rest(name.substr(kTemporaryPrefix.size()));
    char* end = nullptr;
    const long pid = std::strtol(rest.c_str(), &end, 10);
    if (end == rest.c_str() || *end != '-' || pid <= 0 || pid > INT_MAX) continue;
    if (static_cast<pid_t>(pid) == ::getpid() || ProcessRunning(static_cast<pid_t>(pid))) continue;
    const std::string path = folder + "/" + std::string(name);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (now - st.st_mtime < kStaleTemporarySeconds) continue;
    ::unlink(path.c_str());
  }
  ::closedir(dir);
}

mode_t NewFileMode(const std::string& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

LoadOutcome Load(const std::string& path, SetupDocument& doc, Dialogs& dialogs) {
  std::string data;
  int error = 0;
  if (!ReadWholeFile(path, data, error)) {
    if (error == ENOENT)
      dialogs.ShowMessage(Fill(kNotFound, path), MessageIcon::Exclamation);
    else if (error == EACCES || error == EPERM)
      dialogs.ShowMessage(Fill(kAccessDenied, path), MessageIcon::Exclamation);
    else
      dialogs.ShowMessage(kFailedToOpen, MessageIcon::Exclamation);
    return LoadOutcome::OpenFailed;
  }
  return LoadBytes(data, doc, dialogs);
}

LoadOutcome LoadBytes(std::string_view data, SetupDocument& doc, Dialogs& dialogs) {
  if (data.empty()) {
    dialogs.ShowMessage(kUnexpectedFormat, MessageIcon::Exclamation);
    return LoadOutcome::Empty;
  }

  ReadArchive ar{ByteReader(data)};
  std::string text;
  if (!ar.in.GetString(text)) {
    dialogs.ShowMessage(kUnexpectedFormat, MessageIcon::Exclamation);
    return LoadOutcome::Truncated;
  }
  if (text != kTypeString) {
    dialogs.ShowMessage(kFileTypeError);
    return LoadOutcome::WrongType;
  }
  if (!ar.in.GetString(text)) {
    dialogs.ShowMessage(kUnexpectedFormat, MessageIcon::Exclamation);
    return LoadOutcome::Truncated;
  }
  if (text != kVersionString) {
    dialogs.ShowMessage(kVersionError);
    return LoadOutcome::WrongVersion;
  }

  // Read into a copy, so that a damaged file never leaves a half-old, half-new setup behind.
  SetupDocument loaded = doc;
  loaded.viewSynchronized = 0;
  if (!WalkFields(ar, loaded)) {
    dialogs.ShowMessage(kUnexpectedFormat, MessageIcon::Exclamation);
    return LoadOutcome::Truncated;
  }
  doc = std::move(loaded);
  return LoadOutcome::Loaded;
}

std::string Serialize(const SetupDocument& doc) {
  WriteArchive ar;
  ar.out.PutString(kTypeString);
  ar.out.PutString(kVersionString);
  WalkFields(ar, doc);
  return ar.out.bytes();
}

namespace {

// Writes `data` over `path` through a temporary file; 0, or the system's error number of the
// first step that failed (no file has changed then). `target` is the file actually replaced.
int WriteReplacing(const std::string& path, const std::string& data, std::string& target) {
  target = ResolveTarget(path);
  const std::string folder = FolderOf(target);
  RemoveStaleTemporaries(folder);
  std::string temp = folder + "/" + std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return errno;
  int failure = 0;
  auto step = [&failure](bool ok) {
    if (!ok && failure == 0) failure = errno != 0 ? errno : EIO;
    return ok;
  };
  errno = 0;
  bool ok =
      step(WriteAll(fd, data)) && step(::fchmod(fd, NewFileMode(target)) == 0) && step(::fsync(fd) == 0);
  ok = step(::close(fd) == 0) && ok;
  ok = ok && step(::rename(temp.c_str(), target.c_str()) == 0);
  if (!ok) ::unlink(temp.c_str());
  return ok ? 0 : failure;
}

}  // namespace

bool Write(const std::string& path, const SetupDocument& doc, std::string& error) {
  std::string target;
  const int failure = WriteReplacing(path, Serialize(doc), target);
  if (failure != 0) error = std::strerror(failure);
  return failure == 0;
}

bool Save(const std::string& path, SetupDocument& doc, Dialogs& dialogs) {
  doc.viewSynchronized = 0;
  std::string target;
  const int failure = WriteReplacing(path, Serialize(doc), target);
  if (failure != 0) {
    dialogs.ShowFailure(kFailedToSave, SaveFailureReason(failure, target), MessageIcon::Exclamation);
    return false;
  }
  return true;
}

std::string SaveFailureReason(int error, const std::string& target) {
  const std::string folder = FolderOf(target);
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return Fill(kNoSpaceReason, folder);
    case EROFS:
      return Fill(kReadOnlyReason, folder);
    case EACCES:
    case EPERM: {
      // A folder that nobody may write into is read-only; otherwise this user may not.
      struct stat st {};
      const bool readOnly =
          ::stat(folder.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
      return Fill(readOnly ? kReadOnlyReason : kPermissionReason, folder);
    }
    case ENAMETOOLONG:
      return Fill(kNameTooLongReason, target.substr(target.find_last_of('/') + 1));
    case ENOENT:
    case ENOTDIR:
      return Fill(kNoFolderReason, folder);
    default:
      return std::strerror(error);
  }
}

}  // namespace SetupFile
