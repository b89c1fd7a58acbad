// Verbs over what the tool keeps and compares: diff, snapshots; and the snapshot the link verbs
// keep of each setup they send.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "document/setup_document.h"
#include "document/setup_file.h"
#include "keeping/setup_diff.h"
#include "keeping/snapshot_store.h"
#include "keeping/time_stamp.h"
#include "platform/data_folder.h"

namespace {

constexpr int kDiffEqual = 0;
constexpr int kDiffDiffers = 1;
constexpr int kDiffTrouble = 2;

int RunDiff(CliContext& ctx);
int RunSnapshots(CliContext& ctx);

const Verb kDiff{
    "diff", "diff A B [--format text|tsv]",
    "list every stored value that differs from setup file A to B, as text rows or as "
    "PATH<TAB>A<TAB>B lines; exits 0 when equal, 1 when they differ, 2 when a file cannot be read",
    RunDiff};
const Verb kSnapshots{
    "snapshots", "snapshots",
    "list the snapshots of the setups sent to the processor, newest first: time, trigger and "
    "the file's full path",
    RunSnapshots};

const VerbRegistrar kRegisterDiff(kDiff);
const VerbRegistrar kRegisterSnapshots(kSnapshots);

// Remembers why a file could not be read, for one line on standard error.
class ReasonDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageIcon) override {
    if (reason.empty()) reason = text;
  }
  std::string reason;
};

// Reads a file as it stands (no values corrected: the comparison shows what the file holds).
bool ReadAsStored(const std::string& path, SetupDocument& doc) {
  ReasonDialogs reason;
  if (SetupFile::Succeeded(SetupFile::Load(path, doc, reason))) return true;
  std::fprintf(stderr, "krv5200-cli diff: %s: %s\n", path.c_str(), reason.reason.c_str());
  return false;
}

int RunDiff(CliContext& ctx) {
  std::vector<std::string> files;
  std::string format = "text";
  for (std::size_t i = 0; i < ctx.args.size(); ++i) {
    const std::string& a = ctx.args[i];
    if (a == "--format" && i + 1 < ctx.args.size()) {
      format = ctx.args[++i];
    } else if (!a.starts_with("--")) {
      files.push_back(a);
    } else {
      UsageError(kDiff, "unexpected argument '" + a + "'");
      return kDiffTrouble;
    }
  }
  if (files.size() != 2) {
    UsageError(kDiff, "expects two setup files");
    return kDiffTrouble;
  }
  if (format != "text" && format != "tsv") {
    UsageError(kDiff, "--format takes text or tsv");
    return kDiffTrouble;
  }
  SetupDocument a;
  SetupDocument b;
  if (!ReadAsStored(files[0], a) || !ReadAsStored(files[1], b)) return kDiffTrouble;

  const std::vector<SetupDiff::Row> rows = SetupDiff::Compare(a, b);
  std::string out;
  for (const SetupDiff::Row& row : rows) {
    out += format == "tsv" ? SetupDiff::TsvLine(row) : row.text;
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return rows.empty() ? kDiffEqual : kDiffDiffers;
}

int RunSnapshots(CliContext& ctx) {
  if (!ctx.args.empty()) return UsageError(kSnapshots, "takes no arguments");
  const std::string folder = DataFolder::Path();
  if (folder.empty()) return 0;
  for (const SnapshotEntry& e : SnapshotStore(folder).List()) {
    std::printf("%s\t%s\t%s\n", TimeStamp::LocalText(e.time).c_str(), e.trigger.c_str(), e.path.c_str());
  }
  return 0;
}

}  // namespace

void KeepCliSnapshot(std::string_view verb, const SnapshotTrigger& trigger, const SetupDocument& setup,
                     const std::string& setupFile) {
  const std::string folder = DataFolder::Path();
  if (folder.empty()) return;
  const std::string name = std::filesystem::path(setupFile).filename().string();
  const std::string note = SnapshotStore(folder).Keep(trigger, setup, name);
  if (!note.empty()) {
    std::fprintf(stderr, "krv5200-cli %.*s: %s\n", static_cast<int>(verb.size()), verb.data(), note.c_str());
  }
}
