#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "keeping/process_mark.h"

struct SetupDocument;

// A recovery file with its owner record.
struct RecoveryFile {
  std::string file;          // the setup, an ordinary setup file
  std::string record;        // who wrote it, when, and for which setup file
  std::string title;         // the setup's name as the title bar showed it ("Golf.tvn", "Untitled")
  std::string documentPath;  // the setup file it belongs to; empty while untitled
  std::chrono::system_clock::time_point written;
  ProcessMark owner;
};

// The recovery folder: each running program keeps its unsaved setup there under the setup's
// name and its process number ("Golf.4711.tvn"), with an owner record beside it
// ("Golf.4711.owner"). A file is offered to another program only once the record shows that its
// owner has ended, and only one program can take it.
class RecoveryStore {
 public:
  using Liveness = std::function<bool(const ProcessMark&)>;
  using Clock = std::function<std::chrono::system_clock::time_point()>;
  static constexpr const char* kFolderName = "recovery";
  static constexpr const char* kRecordExtension = ".owner";

  explicit RecoveryStore(const std::string& dataFolder, ProcessMark self = ProcessMark::Current(),
                         Liveness running = &ProcessMark::Running,
                         Clock now = &std::chrono::system_clock::now);

  const std::string& Folder() const { return folder_; }

  // Writes this program's recovery file for `setup`, which belongs to `documentPath` (empty:
  // untitled) and is called `title`; it replaces this program's earlier one, whatever its name.
  // Empty on success, else a note naming the folder and the reason; an earlier file stays then.
  std::string Write(const SetupDocument& setup, const std::string& documentPath, const std::string& title);
  // Removes this program's recovery file.
  void Remove();
  // This program's recovery file, or an empty name while it has none.
  const std::string& Own() const { return ownFile_; }

  // The files left by programs that no longer run, newest first.
  std::vector<RecoveryFile> LeftBehind() const;
  // Takes a left file for this program, so that no other program offers it any more. False when
  // another program has taken it meanwhile.
  bool Take(RecoveryFile& left) const;
  // Gives a taken file back, to be offered again.
  static void Release(RecoveryFile& taken);
  // Deletes a taken file and its record.
  static void Delete(const RecoveryFile& taken);

  // "The setup NAME was not saved when the program ended on DATE TIME. Restore it?"
  static std::string Question(const RecoveryFile& left);

 private:
  bool ReadRecord(const std::string& record, RecoveryFile& left) const;

  std::string folder_;
  ProcessMark self_;
  Liveness running_;
  Clock now_;
  std::string ownFile_;
  std::string ownRecord_;
};
