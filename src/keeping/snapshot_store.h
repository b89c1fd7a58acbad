#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/snapshot_sink.h"

// One kept snapshot, as its file name tells it.
struct SnapshotEntry {
  std::chrono::system_clock::time_point time;
  std::string trigger;    // "connect", "store-3", "aeq", "tcr"
  std::string setupName;  // the setup's file name without ".tvn", or "Untitled"
  std::string path;       // the snapshot file, in full

  friend bool operator==(const SnapshotEntry&, const SnapshotEntry&) = default;
};

// The snapshots folder: one ordinary setup file per whole setup that reached the processor,
// named by time, trigger and setup ("20250314T140912.123Z_store-3_Golf.tvn"), the newest 200
// kept. The program and the command-line verbs share it.
class SnapshotStore : public SnapshotSink {
 public:
  using Clock = std::function<std::chrono::system_clock::time_point()>;
  static constexpr std::size_t kKept = 200;
  static constexpr const char* kFolderName = "snapshots";

  // `dataFolder` is the user's data folder; the snapshots live in its "snapshots" folder.
  explicit SnapshotStore(const std::string& dataFolder, Clock now = &std::chrono::system_clock::now);

  const std::string& Folder() const { return folder_; }

  // Writes `setup` as the newest snapshot (through a temporary file, so that a full disk leaves no
  // half file), then removes all but the newest 200. Empty on success, else the note for the
  // user naming the folder and the reason.
  std::string Keep(const SnapshotTrigger& trigger, const SetupDocument& setup,
                   std::string_view setupName) override;

  // Every snapshot in the folder, newest first; other files are passed over.
  std::vector<SnapshotEntry> List() const;

  // The entry a snapshot file name stands for; false for any other name.
  static bool ParseName(const std::string& name, SnapshotEntry& entry);

 private:
  std::string folder_;
  Clock now_;
};
