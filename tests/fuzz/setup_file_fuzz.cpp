// A setup file of any bytes, opened: its raw values go through the conversions to wire values
// (band words, an upload to the simulated processor); then the correction the program applies
// when it opens a file, with its promises (every value in range, a second pass changes nothing,
// every band a stable section, every curve finite), and every use of the corrected document:
// curves, words, upload, the printed report to a null page and the text export.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/setup_correction.h"
#include "document/setup_file.h"
#include "document/text_export.h"
#include "eq/biquad_designer.h"
#include "eq/eq_graph_report.h"
#include "eq/equalizer_settings.h"
#include "eq/response_curve.h"
#include "fuzz/fuzz_support.h"
#include "graphics/printed_report.h"
#include "link/coefficient_word.h"
#include "link/connect_sequence.h"
#include "link/serial_port.h"
#include "sim/in_memory_line.h"

namespace {

using namespace fuzz;

bool Stable(const BiquadCoefficients& c) {
  const double a1 = c.a1 / c.a0;
  const double a2 = c.a2 / c.a0;
  return std::isfinite(a1) && std::isfinite(a2) && std::fabs(a2) < 1.0 && std::fabs(a1) < 1.0 + a2;
}

// What turns a document into wire values; it must take even the raw values of a damaged file.
double SendToProcessor(const SetupDocument& doc) {
  double sum = 0.0;
  for (int g = 0; g < kEqGroupCount; ++g)
    for (int s = 0; s < kEqSideCount; ++s)
      for (int b = 0; b < kPeqBandCount; ++b)
        sum += BandCoefficientSet(doc.peqBands[g][s][b], static_cast<EqGroup>(g), b)[0];

  VirtualClock clock;
  InMemoryLine line(clock);
  QuietDialogs dialogs;
  QuietPump pump;
  QuietProgress progress;
  SerialPort port(line, dialogs, pump);
  ConnectRequest request;
  request.portName = "COM1";
  request.upload = UploadSetup::FromDocument(doc);
  request.upload.geqOn = true;
  request.upload.peqSide = 1;
  request.upload.dividerSide = 2;
  request.upload.levelCode = EqLevelCode(20, doc.peqPeakBoost);
  request.aeqMode = doc.aeqMode;
  request.subWooferMode = doc.subWooferMode;
  request.currentSide = 1;
  ConnectSequence(port, clock, dialogs, progress).Connect(request);
  return sum;
}

// Every other use: the curves, the printed report and the text export, as the windows, the
// reports and "Data Out" see the document once it was opened.
double ShowEverywhere(SetupDocument doc) {
  double sum = 0.0;
  PerEqSet<GeqCodeSet> codes = GeqCodesFromBands(doc.geqBands);
  for (int g = 0; g < kEqGroupCount; ++g) {
    for (int s = 0; s < kEqSideCount; ++s) {
      sum += CurvePeak(ResponseCurve(doc.peqBands, static_cast<EqGroup>(g), static_cast<EqSide>(s)));
      sum += CurvePeak(ResponseCurve(codes, static_cast<EqGroup>(g), static_cast<EqSide>(s)));
    }
  }
  NullReportTarget target;
  for (EqSide side : {EqSide::Common, EqSide::L}) {
    PrintedReport report(target);
    if (report.Begin(ReportDate{2024, 5, 6})) PrintParametricEqReport(report, doc.peqBands, side);
  }
  sum += static_cast<double>(TextExport::Format(doc, doc.profile).size());
  return sum;
}

void CheckCorrected(SetupDocument& doc) {
  if (SetupCorrection::Correct(doc).Any()) Fail("a corrected document needed a second pass");
  BiquadDesigner designer;
  PerEqSet<GeqCodeSet> codes = GeqCodesFromBands(doc.geqBands);
  for (int g = 0; g < kEqGroupCount; ++g) {
    for (int s = 0; s < kEqSideCount; ++s) {
      for (const FilterParams& band : doc.peqBands[g][s]) {
        if (!Stable(designer.Design(band))) Fail("an unstable section");
      }
      const CurveValues peq = ResponseCurve(doc.peqBands, static_cast<EqGroup>(g), static_cast<EqSide>(s));
      const CurveValues geq = ResponseCurve(codes, static_cast<EqGroup>(g), static_cast<EqSide>(s));
      for (double v : peq)
        if (!std::isfinite(v)) Fail("a parametric curve point that is not a number");
      for (double v : geq)
        if (!std::isfinite(v)) Fail("a graphic curve point that is not a number");
      if (PeakOverLimit(CurvePeak(peq)) || PeakOverLimit(CurvePeak(geq))) Fail("a curve over 12 dB");
    }
  }
  for (double delay : doc.channelDelay) {
    if (!(delay >= 0.0 && delay <= SetupCorrection::kMaxDelayMs)) Fail("a delay out of range");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QuietDialogs dialogs;
  SetupDocument doc;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (SetupFile::LoadBytes(bytes, doc, dialogs) != SetupFile::LoadOutcome::Loaded) return 0;
  volatile double sink = SendToProcessor(doc);
  (void)sink;
  SetupCorrection::Correct(doc);
  CheckCorrected(doc);
  sink = SendToProcessor(doc) + ShowEverywhere(doc);
  return 0;
}
