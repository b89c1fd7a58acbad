#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli_context.h"
#include "cli/report_kinds.h"

void StderrDialogs::ShowMessage(std::string_view text, MessageIcon) {
  ++shown;
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

std::vector<Verb>& RegisteredVerbs() {
  static std::vector<Verb> verbs;
  return verbs;
}

int UsageError(const Verb& verb, std::string_view problem) {
  std::fprintf(stderr, "krv5200-cli %.*s: %.*s\nusage: krv5200-cli %.*s\n",
               static_cast<int>(verb.name.size()), verb.name.data(), static_cast<int>(problem.size()),
               problem.data(), static_cast<int>(verb.usage.size()), verb.usage.data());
  return 1;
}

namespace {

void PrintHelp(std::FILE* out) {
  std::fprintf(out,
               "krv5200-cli: the KRV5200 PC setup tool for scripts and checks, over the same core as the "
               "windowed program.\n\nusage: krv5200-cli [--trace] VERB ARGUMENTS...\n\nverbs:\n");
  std::vector<Verb> verbs = RegisteredVerbs();
  std::sort(verbs.begin(), verbs.end(), [](const Verb& a, const Verb& b) { return a.name < b.name; });
  for (const Verb& v : verbs) {
    std::fprintf(out, "  %.*s\n      %.*s\n", static_cast<int>(v.usage.size()), v.usage.data(),
                 static_cast<int>(v.summary.size()), v.summary.data());
  }
  std::vector<ReportKindEntry> kinds = RegisteredReportKinds();
  std::sort(kinds.begin(), kinds.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  std::fprintf(out, "\nreports (krv5200-cli report KIND ...):\n");
  for (const ReportKindEntry& k : kinds) {
    std::fprintf(out, "  report %.*s\n      %.*s\n", static_cast<int>(k.usage.size()), k.usage.data(),
                 static_cast<int>(k.summary.size()), k.summary.data());
  }
  std::fprintf(out,
               "\noptions:\n  --trace   print every byte exchanged with the processor, in hexadecimal, "
               "on standard error\n  --help    show this text\n  --version show the program's version\n\n"
               "Messages the program shows in message boxes are written to standard error. The exit status "
               "is 0 when\nthe operation fully succeeded and 1 when it did not (wrong arguments included); diff "
               "exits 0 when the\nsetups are equal, 1 when they differ and 2 when a file cannot be read.\n"
               "A setup file's values out of range are corrected as the program corrects them when it opens "
               "the file,\nwith one note on standard error naming the kinds of values corrected.\n");
}

}  // namespace

int main(int argc, char** argv) {
  CliContext ctx;
  std::string verbName;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (verbName.empty() && (arg == "--help" || arg == "-h" || arg == "help")) {
      PrintHelp(stdout);
      return 0;
    }
    if (verbName.empty() && arg == "--version") {
      std::printf("krv5200-cli %s\n", KRV5200_VERSION);
      return 0;
    }
    if (arg == "--trace") {
      ctx.trace = true;
    } else if (verbName.empty()) {
      verbName = arg;
    } else {
      ctx.args.push_back(arg);
    }
  }
  if (verbName.empty()) {
    std::fprintf(stderr, "krv5200-cli: no verb given\n\n");
    PrintHelp(stderr);
    return 1;
  }
  for (const Verb& v : RegisteredVerbs()) {
    if (v.name == verbName) return v.run(ctx);
  }
  std::fprintf(stderr,
               "krv5200-cli: unknown verb '%s'\nusage: krv5200-cli [--trace] VERB ARGUMENTS... (see "
               "krv5200-cli --help)\n",
               verbName.c_str());
  return 1;
}
