#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "keeping/recovery_store.h"

class DocumentSession;
class RecoveryPrompt;

// The program's recovery file over its document session: written while the setup has unsaved
// changes, soon after the changes stop and at most about ten seconds after the first one not yet
// written; removed once the setup is saved, its changes are undone or discarded, or the program
// ends normally. At start it offers what ended programs left behind.
class RecoveryKeeper {
 public:
  // The quiet time after the last change, and the longest wait after the first unwritten one;
  // with a check every second a change is in the file within ten seconds.
  static constexpr std::int64_t kQuietMs = 2000;
  static constexpr std::int64_t kLatestMs = 8000;
  static constexpr int kCheckIntervalMs = 1000;

  RecoveryKeeper(RecoveryStore& store, const DocumentSession& session);

  // Looks at the setup at `nowMs` (any steady millisecond count) and writes or removes the file
  // when it is time. Returns a note when a write failed, once until a write succeeds again.
  std::string Check(std::int64_t nowMs);
  // Writes the file now, if the setup has unsaved changes (after a restore).
  std::string WriteNow();
  // The program ends normally: the file goes.
  void End();

  // Offers each file left by an ended program, newest first. "Restore" hands it to `restore`
  // (which opens it under its own setup's name) and ends the offer; a file restored, or
  // discarded, is deleted; one left unanswered, or not restored, stays for the next start.
  // True when a setup was restored.
  bool Offer(RecoveryPrompt& prompt, const std::function<bool(const RecoveryFile&)>& restore);

 private:
  // The setup as the file would hold it, with the file it belongs to and its name.
  std::string State() const;
  std::string Write(const std::string& state);
  void Forget();

  RecoveryStore& store_;
  const DocumentSession& session_;
  std::string seen_;
  std::string written_;
  std::int64_t firstChangeMs_ = 0;
  std::int64_t lastChangeMs_ = 0;
  bool waiting_ = false;
  bool failed_ = false;
};
