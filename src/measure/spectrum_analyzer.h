#pragma once

#include <optional>
#include <string_view>

#include "measure/analyzer_state.h"
#include "measure/spectrum_analyzer_view.h"
#include "measure/spectrum_graph.h"

class FormRequestSink;

inline constexpr std::string_view kSpectrumWindowTitle = "Spectrum Analyzer";
inline constexpr std::string_view kStopRestartText = "Stop/Restart\n(for PRINT)";
inline constexpr std::string_view kSpectrumCancelText = "Cancel";

// The spectrum analyzer window's behaviour. The main form's read cycle puts each reading into the
// shared AnalyzerState and marks it new; every 50 ms the window draws a new reading (only the
// segments that changed) unless it is frozen. "Stop" freezes the picture and draws the trend
// line; "Restart" clears the picture and runs again. The window object, and so this analyzer,
// lives as long as the form; the window comes and goes.
class SpectrumAnalyzer {
 public:
  static constexpr int kDrawIntervalMs = 50;

  SpectrumAnalyzer(SpectrumAnalyzerView& view, FormRequestSink& form, AnalyzerState& state);

  // Opening, with the size of the frame control: the picture is drawn and the draw timer runs.
  void Open(int frameWidth, int frameHeight);
  // The frame changed size while open: the graph frame is laid out anew and the picture drawn
  // again as it stood, bars and (while frozen) trend line included.
  void Resize(int frameWidth, int frameHeight);
  // The form has closed the window.
  void Closed();
  bool IsOpen() const { return graph_.has_value(); }
  bool Frozen() const { return state_.frozen == 1; }
  const std::optional<SpectrumGraph>& Graph() const { return graph_; }

  // The draw timer's step: a reading not yet drawn is drawn, unless frozen.
  void DrawStep();
  // "Stop/Restart\n(for PRINT)".
  void StopRestart();
  // "Cancel", Escape and the window's close box: the timer stops and the form is asked to end
  // the read cycle and close the window.
  void Cancel();

 private:
  // Taken by value: the bars to draw may be the drawn levels themselves, which start again at 0.
  void DrawPicture(SpectrumLevels bars);
  void DrawTrend();

  SpectrumAnalyzerView& view_;
  FormRequestSink& form_;
  AnalyzerState& state_;
  std::optional<SpectrumGraph> graph_;
  bool closing_ = false;
};
