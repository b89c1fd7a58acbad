#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/dialogs.h"

// Messages the system would show in a message box go to standard error, with its own text.
class StderrDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon = MessageIcon::None) override;
  int shown = 0;  // how many messages were reported
};

// What every verb is handed: its arguments (after the verb), the dialogs and the global options.
struct CliContext {
  std::vector<std::string> args;
  StderrDialogs dialogs;
  bool trace = false;  // --trace: every byte on the line, in hexadecimal, on standard error
};

// A verb of krv5200-cli. Each verb file registers its verbs with a static VerbRegistrar.
struct Verb {
  std::string_view name;
  std::string_view usage;    // e.g. "resave IN OUT"
  std::string_view summary;  // one line for --help
  int (*run)(CliContext&);   // exit status: 0 when the operation fully succeeded, 1 otherwise
};

std::vector<Verb>& RegisteredVerbs();

struct VerbRegistrar {
  explicit VerbRegistrar(const Verb& verb) { RegisteredVerbs().push_back(verb); }
};

// Prints "usage: krv5200-cli <usage>" to standard error and returns the exit status 1.
int UsageError(const Verb& verb, std::string_view problem);

struct SetupDocument;
struct SnapshotTrigger;

// The sides as the verbs take them ("Common", "L", "R"; also 0..2).
inline constexpr std::array<std::string_view, 3> kSideArguments = {"Common", "L", "R"};

// An argument naming one of `names`, or its number 0..N-1; false when it is neither.
template <std::size_t N>
bool ParseIndex(const std::string& text, const std::array<std::string_view, N>& names, int& index) {
  for (std::size_t i = 0; i < N; ++i) {
    if (text == names[i] || text == std::to_string(i)) {
      index = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

// Opens the setup file at `path` into `doc` as the program's Open does, reporting through
// ctx.dialogs; false when the open did not fully succeed.
bool OpenSetupArgument(CliContext& ctx, const std::string& path, SetupDocument& doc);

// Keeps a snapshot of `setup`, the setup of `setupFile`, that has reached the processor. One that
// cannot be written is one line on standard error, headed by `verb`, and changes nothing else.
void KeepCliSnapshot(std::string_view verb, const SnapshotTrigger& trigger, const SetupDocument& setup,
                     const std::string& setupFile);
