// Verbs that exchange filter sets and measurements with other programs: import-filters,
// export-filters and fit.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "cli/report_kinds.h"
#include "document/setup_document.h"
#include "document/setup_file.h"
#include "eq/equalizer_settings.h"
#include "fit/eq_fit.h"
#include "interchange/filter_import.h"
#include "interchange/filter_text.h"
#include "interchange/filter_text_writer.h"
#include "interchange/measurement_file.h"
#include "interchange/number_text.h"
#include "interchange/text_file.h"

namespace {

int RunImportFilters(CliContext& ctx);
int RunExportFilters(CliContext& ctx);
int RunFit(CliContext& ctx);

const Verb kImportFilters{
    "import-filters", "import-filters IN FILTERS OUT GROUP SIDE [--channel NAME]",
    "open IN, replace the parametric set of GROUP and SIDE by the peaking filters of the filter text "
    "FILTERS (Equalizer APO or REW lines; NAME picks a Channel: section) and save as OUT",
    RunImportFilters};
const Verb kExportFilters{"export-filters", "export-filters IN GROUP SIDE [--format apo|rew]",
                          "print the parametric set of GROUP and SIDE of IN as Equalizer APO lines (apo, "
                          "the default) or a REW filter settings file (rew)",
                          RunExportFilters};
const Verb kFit{"fit",
                "fit IN MEASUREMENT OUT GROUP SIDE [--eq peq|geq] [--target FILE] [--range F1 F2] "
                "[--max-boost DB]",
                "open IN, fit the equalizer set of GROUP and SIDE to the measurement (REW text export or "
                "FRD) towards a flat or house-curve target, print the residual before and after in dB "
                "and save as OUT",
                RunFit};

const VerbRegistrar kRegisterImportFilters(kImportFilters);
const VerbRegistrar kRegisterExportFilters(kExportFilters);
const VerbRegistrar kRegisterFitVerb(kFit);

// The arguments after the verb: positional ones, and "--name value..." options.
struct VerbArguments {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::vector<std::string>>> options;

  const std::vector<std::string>* Option(const std::string& name) const {
    for (const auto& [n, values] : options) {
      if (n == name) return &values;
    }
    return nullptr;
  }
};

// `known` names each option with the number of values it takes.
bool SplitArguments(const Verb& verb, const std::vector<std::string>& args,
                    const std::vector<std::pair<std::string, int>>& known, VerbArguments& out, int& status) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i].rfind("--", 0) != 0) {
      out.positional.push_back(args[i]);
      continue;
    }
    int count = -1;
    for (const auto& [name, n] : known) {
      if (args[i] == name) count = n;
    }
    if (count < 0) {
      status = UsageError(verb, "unknown option " + args[i]);
      return false;
    }
    if (i + static_cast<std::size_t>(count) >= args.size()) {
      status = UsageError(verb, args[i] + " needs " + std::to_string(count) + " value(s)");
      return false;
    }
    out.options.emplace_back(
        args[i], std::vector<std::string>(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                          args.begin() + static_cast<std::ptrdiff_t>(i) + 1 + count));
    i += static_cast<std::size_t>(count);
  }
  return true;
}

bool ParseGroupArgument(const std::string& text, EqGroup& group) {
  int g = 0;
  if (!ParseIndex(text, kEqGroupListTexts, g)) return false;
  group = static_cast<EqGroup>(g);
  return true;
}

// GROUP and SIDE at positions `at` and `at + 1`.
bool ParseGroupAndSide(const Verb& verb, const VerbArguments& a, std::size_t at, EqGroup& group, EqSide& side,
                       int& status) {
  if (!ParseGroupArgument(a.positional[at], group)) {
    status = UsageError(verb, "unknown group (Front, Rear, Center or SubWoofer)");
    return false;
  }
  if (!ParseSideArgument(a.positional[at + 1], side)) {
    status = UsageError(verb, "unknown side (Common, L or R)");
    return false;
  }
  return true;
}

bool ReadArgumentFile(CliContext& ctx, const std::string& path, std::string& text) {
  std::string error;
  if (ReadTextFile(path, text, error)) return true;
  ctx.dialogs.ShowMessage(error, MessageIcon::Error);
  return false;
}

void PrintNote(const std::string& text) { std::fprintf(stderr, "note: %s\n", text.c_str()); }

int RunImportFilters(CliContext& ctx) {
  VerbArguments a;
  int status = 1;
  if (!SplitArguments(kImportFilters, ctx.args, {{"--channel", 1}}, a, status)) return status;
  if (a.positional.size() != 5)
    return UsageError(kImportFilters,
                      "expects a setup file, a filter file, an output file, a group and a side");
  EqGroup group{};
  EqSide side{};
  if (!ParseGroupAndSide(kImportFilters, a, 3, group, side, status)) return status;
  const std::string channel = a.Option("--channel") ? a.Option("--channel")->front() : std::string();

  SetupDocument doc;
  if (!OpenSetupArgument(ctx, a.positional[0], doc)) return 1;
  std::string text;
  if (!ReadArgumentFile(ctx, a.positional[1], text)) return 1;
  const FilterTextReading reading = ReadFilterText(text);
  if (!reading.text) {
    ctx.dialogs.ShowMessage(a.positional[1] + ": " + reading.error, MessageIcon::Error);
    return 1;
  }
  const FilterImport import = ImportFilters(*reading.text, channel, doc, group, side);
  for (const std::string& note : import.notes) PrintNote(note);
  if (!import.edit) {
    ctx.dialogs.ShowMessage(import.refusal, MessageIcon::Error);
    return 1;
  }
  import.edit->ApplyTo(doc, false);
  return SetupFile::Save(a.positional[2], doc, ctx.dialogs) ? 0 : 1;
}

int RunExportFilters(CliContext& ctx) {
  VerbArguments a;
  int status = 1;
  if (!SplitArguments(kExportFilters, ctx.args, {{"--format", 1}}, a, status)) return status;
  if (a.positional.size() != 3) return UsageError(kExportFilters, "expects a setup file, a group and a side");
  EqGroup group{};
  EqSide side{};
  if (!ParseGroupAndSide(kExportFilters, a, 1, group, side, status)) return status;
  FilterTextFormat format = FilterTextFormat::Apo;
  if (a.Option("--format") && !ParseFilterTextFormat(a.Option("--format")->front(), format))
    return UsageError(kExportFilters, "the format must be apo or rew");

  SetupDocument doc;
  if (!OpenSetupArgument(ctx, a.positional[0], doc)) return 1;
  if (group == EqGroup::Center) side = EqSide::Common;
  const std::string text = WriteFilterText(doc.peqBands[Index(group)][Index(side)], group, side, format);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int RunFit(CliContext& ctx) {
  VerbArguments a;
  int status = 1;
  if (!SplitArguments(kFit, ctx.args, {{"--eq", 1}, {"--target", 1}, {"--range", 2}, {"--max-boost", 1}}, a,
                      status)) {
    return status;
  }
  if (a.positional.size() != 5)
    return UsageError(kFit, "expects a setup file, a measurement, an output file, a group and a side");
  FitSettings settings;
  if (!ParseGroupAndSide(kFit, a, 3, settings.group, settings.side, status)) return status;
  if (const auto* eq = a.Option("--eq")) {
    if (eq->front() != "peq" && eq->front() != "geq")
      return UsageError(kFit, "the equalizer must be peq or geq");
    settings.kind = eq->front() == "peq" ? EqKind::Parametric : EqKind::Graphic;
  }
  if (const auto* range = a.Option("--range")) {
    const std::optional<double> low = NumberText::ParseDouble((*range)[0]);
    const std::optional<double> high = NumberText::ParseDouble((*range)[1]);
    if (!low || !high || !(*low > 0.0) || !(*high > *low))
      return UsageError(kFit, "the range must be two rising frequencies in Hz");
    settings.range = FitRange{*low, *high};
  }
  if (const auto* boost = a.Option("--max-boost")) {
    const std::optional<double> db = NumberText::ParseDouble(boost->front());
    if (!db || *db < 0.0 || *db > kMaxBoostLimit)
      return UsageError(kFit, "the maximum boost must be 0..12 dB");
    settings.maxBoost = *db;
  }

  SetupDocument doc;
  if (!OpenSetupArgument(ctx, a.positional[0], doc)) return 1;
  std::string text;
  if (!ReadArgumentFile(ctx, a.positional[1], text)) return 1;
  const MeasurementReading measurement = ReadMeasurement(text);
  if (!measurement.measurement) {
    ctx.dialogs.ShowMessage(a.positional[1] + ": " + measurement.error, MessageIcon::Error);
    return 1;
  }
  if (const auto* target = a.Option("--target")) {
    std::string curveText;
    if (!ReadArgumentFile(ctx, target->front(), curveText)) return 1;
    const MeasurementReading curve = ReadMeasurement(curveText, 1);
    if (!curve.measurement) {
      ctx.dialogs.ShowMessage(target->front() + ": " + curve.error, MessageIcon::Error);
      return 1;
    }
    settings.target = TargetCurve(*curve.measurement);
  }

  const FitResult fit = FitEqualizer(*measurement.measurement, doc, settings);
  if (!fit.edit) {
    ctx.dialogs.ShowMessage(fit.error, MessageIcon::Error);
    return 1;
  }
  std::printf("range %s..%s Hz\nresidual before %.2f dB\nresidual after %.2f dB\n",
              NumberText::Shortest(static_cast<float>(fit.range.low)).c_str(),
              NumberText::Shortest(static_cast<float>(fit.range.high)).c_str(), fit.rmsBefore, fit.rmsAfter);
  fit.edit->ApplyTo(doc, false);
  return SetupFile::Save(a.positional[2], doc, ctx.dialogs) ? 0 : 1;
}

}  // namespace
