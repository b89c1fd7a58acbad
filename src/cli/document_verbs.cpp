// Verbs over the setup document: new, resave, export, show.
#include <cstdio>
#include <string>

#include "cli/cli_context.h"
#include "document/setup_correction.h"
#include "document/setup_document.h"
#include "document/setup_file.h"
#include "document/text_export.h"

bool OpenSetupArgument(CliContext& ctx, const std::string& path, SetupDocument& doc) {
  if (!SetupFile::Succeeded(SetupFile::Load(path, doc, ctx.dialogs))) return false;
  // As in the program: every value in range, and the user told once what was corrected.
  const SetupCorrection::Corrections corrected = SetupCorrection::Correct(doc);
  if (corrected.Any()) ctx.dialogs.ShowMessage(SetupCorrection::Message(corrected), MessageIcon::Exclamation);
  return true;
}

namespace {

constexpr const char* kGroupNames[] = {"Front", "Rear", "Center", "SubWoofer"};
constexpr const char* kSideNames[] = {"Common", "L ch", "R ch"};
constexpr const char* kSpeakerGroupNames[] = {"Front_Hi", "Front_Mid", "Front_Low",
                                              "Rear",     "Center",    "SubWoofer"};
constexpr const char* kSetNames[] = {"Common", "L", "R"};
constexpr const char* kOutputNames[] = {"Front High L", "Front High R", "Front Mid L", "Front Mid R",
                                        "Front Low L",  "Front Low R",  "Center",      "Rear L",
                                        "Rear R",       "Sub-woofer L", "Sub-woofer R"};

int RunNew(CliContext& ctx);
int RunResave(CliContext& ctx);
int RunExport(CliContext& ctx);
int RunShow(CliContext& ctx);

const Verb kNew{"new", "new FILE", "save a fresh setup (start-up values, today's date) to FILE", RunNew};
const Verb kResave{"resave", "resave IN OUT",
                   "open the setup file IN as the program does, then save it as OUT", RunResave};
const Verb kExport{"export", "export IN",
                   "open IN, then write data_textout.txt in the current directory as \"Data Out\" does",
                   RunExport};
// A setup file holds no country and no comments, so neither is shown.
const Verb kShow{"show", "show IN", "print every parameter and the customer profile of IN", RunShow};

const VerbRegistrar kRegisterNew(kNew);
const VerbRegistrar kRegisterResave(kResave);
const VerbRegistrar kRegisterExport(kExport);
const VerbRegistrar kRegisterShow(kShow);

int RunNew(CliContext& ctx) {
  if (ctx.args.size() != 1) return UsageError(kNew, "expects one file name");
  SetupDocument doc;
  return SetupFile::Save(ctx.args[0], doc, ctx.dialogs) ? 0 : 1;
}

int RunResave(CliContext& ctx) {
  if (ctx.args.size() != 2) return UsageError(kResave, "expects an input and an output file name");
  SetupDocument doc;
  if (!OpenSetupArgument(ctx, ctx.args[0], doc)) return 1;
  return SetupFile::Save(ctx.args[1], doc, ctx.dialogs) ? 0 : 1;
}

int RunExport(CliContext& ctx) {
  if (ctx.args.size() != 1) return UsageError(kExport, "expects one file name");
  SetupDocument doc;
  if (!OpenSetupArgument(ctx, ctx.args[0], doc)) return 1;
  return TextExport::Write(doc, doc.profile, ctx.dialogs) ? 0 : 1;
}

void PrintBand(int index, const FilterParams& b) {
  std::printf("    band %2d  %9.2f Hz  %+6.1f dB  Q %5.2f  type %d  section kind %d  flag %d\n", index + 1,
              static_cast<double>(b.frequency), static_cast<double>(b.gain), static_cast<double>(b.q), b.type,
              b.sectionKind, b.flag);
}

void PrintText(const char* label, const std::string& value) {
  std::printf("  %-20s %s\n", label, value.c_str());
}

void PrintTable(const char* title, const ComponentTable& table) {
  std::printf("  %s\n", title);
  for (int r = 0; r < kComponentRowCount; ++r) {
    const ComponentRow& row = table[r];
    std::printf("    row %d  make \"%s\"  model \"%s\"  numbers %d\n", r + 1, row.make.c_str(),
                row.model.c_str(), row.numbers);
  }
}

int RunShow(CliContext& ctx) {
  if (ctx.args.size() != 1) return UsageError(kShow, "expects one file name");
  SetupDocument doc;
  if (!OpenSetupArgument(ctx, ctx.args[0], doc)) return 1;

  std::printf("Setup file %s\n", ctx.args[0].c_str());
  auto printEqualizer = [](const char* title, const auto& bands, const PerEqSet<double>& peaks) {
    std::printf("\n%s\n", title);
    for (int g = 0; g < kEqGroupCount; ++g)
      for (int s = 0; s < kEqSideCount; ++s) {
        std::printf("  %s, %s   stored curve peak %g dB\n", kGroupNames[g], kSideNames[s], peaks[g][s]);
        for (std::size_t b = 0; b < bands[g][s].size(); ++b) PrintBand(static_cast<int>(b), bands[g][s][b]);
      }
  };
  printEqualizer("Parametric EQ", doc.peqBands, doc.peqCurvePeaks);
  printEqualizer("Graphic EQ", doc.geqBands, doc.geqCurvePeaks);
  std::printf("\nPeak boost  applied %d dB  parametric %d dB  graphic %d dB\n", doc.appliedPeakBoost,
              doc.peqPeakBoost, doc.geqPeakBoost);

  std::printf("\nDivider\n");
  for (int g = 0; g < kSpeakerGroupCount; ++g)
    for (int s = 0; s < kCrossoverSetCount; ++s) {
      const CrossoverRec& r = doc.crossover[g][s];
      std::printf(
          "  %-9s %-6s  HPF %8.1f Hz (code %2d) %4g dB/oct  LPF %8.1f Hz (code %2d) %4g dB/oct  level %d "
          "dB\n",
          kSpeakerGroupNames[g], kSetNames[s], r.hpfFrequency, r.hpfCode, r.hpfSlope, r.lpfFrequency,
          r.lpfCode, r.lpfSlope, r.level);
    }

  std::printf("\nTime correction, phase and speakers\n");
  for (int c = 0; c < kOutputCount; ++c) {
    std::printf("  %-13s delay %8.3f ms  phase %s  speaker %s\n", kOutputNames[c], doc.channelDelay[c],
                doc.channelPhase[c] ? "180" : "0", doc.speakerSwitch[c] ? "ON" : "OFF");
  }
  std::printf("  Sub-woofer mode: %s\n", doc.subWooferMode == 1 ? "Mono" : "Stereo");

  std::printf("\nAutomatic EQ\n  parameters saved %d  active %d  mode %d  measured values %d %d\n",
              doc.aeqParametersSaved, doc.aeqActive, doc.aeqMode, doc.measuredValue1, doc.measuredValue2);
  for (int block = 0; block < 2; ++block) {
    std::printf("  parameter block %d\n", block + 1);
    for (int i = 0; i < kAeqBlockWords; i += 16) {
      std::printf("    %04d", i);
      for (int k = 0; k < 16; ++k)
        std::printf(" %06X", static_cast<unsigned>(doc.aeqParameters[block * kAeqBlockWords + i + k]));
      std::printf("\n");
    }
  }

  const CustomerProfile& p = doc.profile;
  std::printf("\nCustomer profile\n  %-20s %04d / %02d / %02d\n", "Date", p.year, p.month, p.day);
  PrintText("First Name", p.firstName);
  PrintText("Last Name", p.lastName);
  PrintText("City", p.city);
  PrintText("State", p.state);
  PrintText("ZIP", p.zip);
  PrintText("E-mail", p.email);
  PrintText("TEL(DAY)", p.telDay);
  PrintText("TEL(evening)", p.telEvening);
  std::printf("  %-20s %d\n", "Gender", p.gender);
  PrintText("Dealer Name", p.dealerName);
  std::printf("  %-20s %d\n", "Dealer No", p.dealerNumber);
  PrintText("Installer", p.installer);
  PrintText("Vehicle Make", p.vehicleMake);
  PrintText("Vehicle Model", p.vehicleModel);
  PrintText("Vehicle Year", p.vehicleYear);
  PrintText("Remarks", p.remarks);
  PrintTable("System Installed", p.installedSystem);
  PrintTable("Before System", p.previousSystem);
  PrintTable("Speaker", p.speakers);
  PrintTable("Amp", p.amplifiers);
  return 0;
}

}  // namespace
