#pragma once

#include <string>
#include <string_view>

struct SetupDocument;

// What brought a whole setup to the processor: the upload at connect, a memory store (the
// memory now holding it), or the result of an automatic EQ or automatic time correction run.
struct SnapshotTrigger {
  enum class Kind { Connect, Store, Aeq, Tcr };
  Kind kind = Kind::Connect;
  int memory = 0;  // 1..6, for Store

  static SnapshotTrigger Connect() { return {Kind::Connect, 0}; }
  static SnapshotTrigger Store(int memory) { return {Kind::Store, memory}; }
  static SnapshotTrigger Aeq() { return {Kind::Aeq, 0}; }
  static SnapshotTrigger Tcr() { return {Kind::Tcr, 0}; }

  // "connect", "store-3", "aeq", "tcr".
  std::string Name() const {
    switch (kind) {
      case Kind::Connect:
        return "connect";
      case Kind::Store:
        return "store-" + std::to_string(memory);
      case Kind::Aeq:
        return "aeq";
      case Kind::Tcr:
        return "tcr";
    }
    return {};
  }
};

// Keeps a copy of every whole setup that reached the processor. Keeping one must never stop
// the operation that sent it: a copy that cannot be written comes back as a one-line note.
class SnapshotSink {
 public:
  virtual ~SnapshotSink() = default;
  // `setupName` is the setup's file name or "Untitled". Empty when kept, else the note.
  virtual std::string Keep(const SnapshotTrigger& trigger, const SetupDocument& setup,
                           std::string_view setupName) = 0;
};

// Where no data folder is known: nothing is kept and nothing is reported.
class NoSnapshots : public SnapshotSink {
 public:
  std::string Keep(const SnapshotTrigger&, const SetupDocument&, std::string_view) override { return {}; }
};
