#include "fit/measurement_overlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "common/dialogs.h"
#include "eq/biquad_designer.h"
#include "eq/graphic_eq_editor.h"
#include "eq/parametric_eq_editor.h"
#include "common/form_request.h"
#include "graphics/recording_canvas.h"
#include "graphics/response_graph.h"

namespace {

struct Views : ParametricEqView, GraphicEqView {
  Canvas& GraphCanvas() override { return graph; }
  Canvas& LegendCanvas() override { return legend; }
  void SetMouseCapture(bool) override {}
  RecordingCanvas graph;
  RecordingCanvas legend;
};

struct NoSink : FormRequestSink {
  void Post(const FormRequest&) override {}
  void Send(const FormRequest&) override {}
};

struct NoDialogs : Dialogs {
  void ShowMessage(std::string_view, MessageIcon) override {}
};

// A car 6 dB up around 1 kHz, measured at 1/24 octave.
Measurement Car() {
  Measurement m;
  BiquadDesigner designer;
  const BiquadCoefficients bump = designer.Design(FilterParams{4, 1000.0f, 6.0f, 2.0f, 0, 0});
  for (int i = 0; i <= 240; ++i) {
    const double f = 20.0 * std::exp2(i / 24.0);
    m.frequency.push_back(f);
    m.level.push_back(85.0 + designer.Response(bump, f));
  }
  return m;
}

std::vector<RecordingCanvas::Op> PolylinesIn(const RecordingCanvas& canvas, Rgb colour) {
  std::vector<RecordingCanvas::Op> out;
  for (const auto& op : canvas.Of(RecordingCanvas::Kind::Polyline))
    if (op.colour == colour) out.push_back(op);
  return out;
}

TEST(MeasurementOverlay, DrawsTheMeasurementAndTheCorrectedResultUnderTheCurves) {
  Views views;
  NoSink sink;
  NoDialogs dialogs;
  MeasurementOverlay overlay;
  overlay.SetMeasurement(Car());
  SetupDocument doc;
  doc.peqBands[0][0][5] = FilterParams{4, 1000.0f, -6.0f, 2.0f, 0, 0};
  ParametricEqEditor editor(views, sink, dialogs);
  editor.SetOverlay(&overlay);
  editor.Load(doc);
  editor.Open({740, 263}, {80, 263});

  const auto measured = PolylinesIn(views.graph, MeasurementOverlay::kMeasurementColour);
  const auto corrected = PolylinesIn(views.graph, MeasurementOverlay::kCorrectedColour);
  ASSERT_EQ(measured.size(), 1u);
  ASSERT_EQ(corrected.size(), 1u);
  const ResponseGraph graph(EqKind::Parametric, {740, 263}, {80, 263});
  const CurveValues relative = overlay.Relative(EqGroup::Front);
  CurveValues sum{};
  const CurveValues curve = ResponseCurve(doc.peqBands[0][0]);
  for (std::size_t j = 0; j < sum.size(); ++j) sum[j] = relative[j] + curve[j];
  const auto expected = graph.CurvePoints(sum);
  EXPECT_EQ(corrected[0].points, std::vector<CanvasPoint>(expected.begin(), expected.end()));
  // The cut cancels the bump: the corrected result lies within a pixel of a flat line there.
  const int flat = corrected[0].points[100].y;
  for (std::size_t j = 60; j < 140; ++j) EXPECT_NEAR(corrected[0].points[j].y, flat, 2) << j;
  // Under the group's own curve, and named in the legend's fifth row.
  const auto& ops = views.graph.ops;
  const auto at = [&](Rgb colour) {
    return std::find_if(ops.begin(), ops.end(), [&](const auto& op) {
      return op.kind == RecordingCanvas::Kind::Polyline && op.colour == colour;
    });
  };
  EXPECT_LT(at(MeasurementOverlay::kCorrectedColour), at(kGroupColours[0].curve));
  for (const char* text : {MeasurementOverlay::kMeasurementLegend, MeasurementOverlay::kCorrectedLegend}) {
    const RecordingCanvas::Op* entry = views.legend.FindText(text);
    ASSERT_NE(entry, nullptr) << text;
    EXPECT_GE(entry->points[0].y, 4 * (263 / 5));
  }

  // "Show Measurement" off, and the graphic window likewise.
  overlay.SetVisible(false);
  views.graph.Clear();
  editor.Redraw();
  EXPECT_TRUE(PolylinesIn(views.graph, MeasurementOverlay::kMeasurementColour).empty());
  overlay.SetVisible(true);
  GraphicEqEditor graphic(views, sink, dialogs);
  graphic.SetOverlay(&overlay);
  graphic.Load(doc);
  views.graph.Clear();
  graphic.Open({740, 263}, {80, 263});
  EXPECT_EQ(PolylinesIn(views.graph, MeasurementOverlay::kCorrectedColour).size(), 1u);
}

}  // namespace
