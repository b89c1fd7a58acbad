#include "keeping/recovery_keeper.h"

#include "document/document_session.h"
#include "document/setup_file.h"
#include "keeping/recovery_prompt.h"

RecoveryKeeper::RecoveryKeeper(RecoveryStore& store, const DocumentSession& session)
    : store_(store), session_(session) {}

std::string RecoveryKeeper::State() const {
  std::string state = SetupFile::Serialize(session_.document);
  state += '\0' + session_.Path() + '\0' + session_.Title();
  return state;
}

void RecoveryKeeper::Forget() {
  seen_.clear();
  written_.clear();
  waiting_ = false;
}

std::string RecoveryKeeper::Check(std::int64_t nowMs) {
  if (!session_.IsModified()) {
    store_.Remove();
    Forget();
    return {};
  }
  std::string state = State();
  if (state == written_) {
    waiting_ = false;
    seen_ = std::move(state);
    return {};
  }
  if (state != seen_) {
    seen_ = state;
    lastChangeMs_ = nowMs;
    if (!waiting_) firstChangeMs_ = nowMs;
    waiting_ = true;
  }
  if (nowMs - lastChangeMs_ < kQuietMs && nowMs - firstChangeMs_ < kLatestMs) return {};
  return Write(state);
}

std::string RecoveryKeeper::WriteNow() {
  if (!session_.IsModified()) return {};
  return Write(State());
}

std::string RecoveryKeeper::Write(const std::string& state) {
  const std::string note = store_.Write(session_.document, session_.Path(), session_.Title());
  if (!note.empty()) {
    // Tried again at the next check; the user hears of it once.
    const bool first = !failed_;
    failed_ = true;
    return first ? note : std::string();
  }
  failed_ = false;
  written_ = state;
  seen_ = state;
  waiting_ = false;
  return {};
}

void RecoveryKeeper::End() {
  store_.Remove();
  Forget();
}

bool RecoveryKeeper::Offer(RecoveryPrompt& prompt, const std::function<bool(const RecoveryFile&)>& restore) {
  for (RecoveryFile left : store_.LeftBehind()) {
    const RecoveryPrompt::Answer answer = prompt.Ask(RecoveryStore::Question(left));
    if (answer == RecoveryPrompt::Answer::Later) continue;
    if (!store_.Take(left)) continue;  // another program took it while the question was open
    if (answer == RecoveryPrompt::Answer::Discard) {
      RecoveryStore::Delete(left);
      continue;
    }
    if (!restore(left)) {
      RecoveryStore::Release(left);
      continue;
    }
    // This program's own file holds the setup before the left one goes.
    WriteNow();
    RecoveryStore::Delete(left);
    return true;
  }
  return false;
}
