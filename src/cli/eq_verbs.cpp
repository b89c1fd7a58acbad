// Verbs over the equalizer model: summed curves, band words and the flat table.
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/cli_context.h"
#include "document/setup_document.h"
#include "eq/biquad_designer.h"
#include "eq/equalizer_settings.h"
#include "eq/response_curve.h"
#include "link/coefficient_word.h"

namespace {

int RunCurve(CliContext& ctx);
int RunWords(CliContext& ctx);
int RunFlat(CliContext& ctx);

const Verb kCurve{
    "curve", "curve IN peq|geq GROUP SIDE",
    "open IN and print the 155 points in dB of a group's and side's summed equalizer curve, then "
    "its peak",
    RunCurve};
const Verb kWords{"words", "words IN GROUP SIDE BAND",
                  "open IN and print the five coefficient words of a parametric band, in hexadecimal",
                  RunWords};
const Verb kFlat{"flat", "flat GROUP BAND", "print the five flat coefficient words of a parametric band",
                 RunFlat};

const VerbRegistrar kRegisterCurve(kCurve);
const VerbRegistrar kRegisterWords(kWords);
const VerbRegistrar kRegisterFlat(kFlat);

bool ParseBand(const std::string& text, int& band) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '9') return false;
  band = text[0] - '0';
  return true;
}

void PrintWords(const CoefficientSet& words) {
  std::printf("%06X %06X %06X %06X %06X\n", static_cast<unsigned>(words[0]), static_cast<unsigned>(words[1]),
              static_cast<unsigned>(words[2]), static_cast<unsigned>(words[3]),
              static_cast<unsigned>(words[4]));
}

int RunCurve(CliContext& ctx) {
  if (ctx.args.size() != 4) return UsageError(kCurve, "expects a file, peq or geq, a group and a side");
  const std::string& kind = ctx.args[1];
  if (kind != "peq" && kind != "geq") return UsageError(kCurve, "the equalizer must be peq or geq");
  int group = 0;
  int side = 0;
  if (!ParseIndex(ctx.args[2], kEqGroupListTexts, group)) return UsageError(kCurve, "unknown group");
  if (!ParseIndex(ctx.args[3], kSideArguments, side)) return UsageError(kCurve, "unknown side");

  SetupDocument doc;
  if (!OpenSetupArgument(ctx, ctx.args[0], doc)) return 1;

  const auto g = static_cast<EqGroup>(group);
  const auto s = static_cast<EqSide>(side);
  CurveValues curve{};
  if (kind == "peq") {
    curve = ResponseCurve(doc.peqBands, g, s);
  } else {
    PerEqSet<GeqCodeSet> codes = GeqCodesFromBands(doc.geqBands);
    curve = ResponseCurve(codes, g, s);
  }
  for (double v : curve) std::printf("%.9f\n", v);
  std::printf("peak %.0f\n", CurvePeak(curve));
  return 0;
}

int RunWords(CliContext& ctx) {
  if (ctx.args.size() != 4) return UsageError(kWords, "expects a file, a group, a side and a band");
  int group = 0;
  int side = 0;
  int band = 0;
  if (!ParseIndex(ctx.args[1], kEqGroupListTexts, group)) return UsageError(kWords, "unknown group");
  if (!ParseIndex(ctx.args[2], kSideArguments, side)) return UsageError(kWords, "unknown side");
  if (!ParseBand(ctx.args[3], band)) return UsageError(kWords, "the band must be 0..9");

  SetupDocument doc;
  if (!OpenSetupArgument(ctx, ctx.args[0], doc)) return 1;

  // Center is mono: the processor always gets its Common set.
  CopyCenterCommonToSides(doc.peqBands);
  BiquadDesigner designer;
  PrintWords(MakeCoefficientSet(designer.Design(doc.peqBands[group][side][band])));
  return 0;
}

int RunFlat(CliContext& ctx) {
  if (ctx.args.size() != 2) return UsageError(kFlat, "expects a group and a band");
  int group = 0;
  int band = 0;
  if (!ParseIndex(ctx.args[0], kEqGroupListTexts, group)) return UsageError(kFlat, "unknown group");
  if (!ParseBand(ctx.args[1], band)) return UsageError(kFlat, "the band must be 0..9");
  PrintWords(FlatCoefficientSet(static_cast<EqGroup>(group), band));
  return 0;
}

}  // namespace
