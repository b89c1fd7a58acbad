#pragma once

class Canvas;

// What the analyzer asks of its window: the pictures of the frame and of the graph frame (what is
// drawn on them stays until drawn over) and the window's own draw timer.
class SpectrumAnalyzerView {
 public:
  virtual ~SpectrumAnalyzerView() = default;
  virtual Canvas& FrameCanvas() = 0;
  virtual Canvas& GraphCanvas() = 0;
  // Calls the analyzer's DrawStep every `intervalMs` until stopped.
  virtual void StartDrawTimer(int intervalMs) = 0;
  virtual void StopDrawTimer() = 0;
};
