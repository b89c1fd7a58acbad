#include "measure/spectrum_analyzer.h"

#include "common/form_request.h"

SpectrumAnalyzer::SpectrumAnalyzer(SpectrumAnalyzerView& view, FormRequestSink& form, AnalyzerState& state)
    : view_(view), form_(form), state_(state) {}

void SpectrumAnalyzer::Open(int frameWidth, int frameHeight) {
  closing_ = false;
  graph_.emplace(frameWidth, frameHeight);
  DrawPicture(SpectrumLevels{});
  view_.StartDrawTimer(kDrawIntervalMs);
}

void SpectrumAnalyzer::Resize(int frameWidth, int frameHeight) {
  if (!graph_) return;
  graph_.emplace(frameWidth, frameHeight);
  // The picture stays what it was, frozen or not.
  DrawPicture(state_.drawnLevels);
}

void SpectrumAnalyzer::Closed() {
  if (!graph_) return;
  view_.StopDrawTimer();
  graph_.reset();
}

void SpectrumAnalyzer::DrawPicture(SpectrumLevels bars) {
  graph_->DrawFrame(view_.FrameCanvas());
  Canvas& graph = view_.GraphCanvas();
  graph_->DrawGraphBackground(graph);
  state_.drawnLevels.fill(0);
  graph_->DrawBars(graph, bars, state_.drawnLevels);
  if (Frozen()) DrawTrend();
}

void SpectrumAnalyzer::DrawTrend() {
  graph_->DrawTrendLine(view_.GraphCanvas(), TrendLine::Fit(state_.levels));
}

void SpectrumAnalyzer::DrawStep() {
  if (!graph_ || state_.dataReady != 1 || Frozen()) return;
  graph_->DrawBars(view_.GraphCanvas(), state_.levels, state_.drawnLevels);
  state_.dataReady = 0;
}

void SpectrumAnalyzer::StopRestart() {
  if (!graph_ || closing_) return;
  if (!Frozen()) {
    state_.frozen = 1;
    // What is frozen is what the bars show: the trend line and the printed spectrum take these
    // levels, and the read cycle, seeing a reading not yet drawn, reads no more.
    state_.levels = state_.drawnLevels;
    state_.dataReady = 1;
    DrawTrend();
    return;
  }
  state_.frozen = 0;
  state_.levels.fill(0);
  state_.dataReady = 0;
  DrawPicture(SpectrumLevels{});
}

void SpectrumAnalyzer::Cancel() {
  if (!graph_ || closing_) return;
  closing_ = true;
  view_.StopDrawTimer();
  form_.Post({FormMessage::SpectrumClose, 0, 0});
}
