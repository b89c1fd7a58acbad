#pragma once

class Canvas;

// What the graphic editor asks of its window: the pictures of the graph and of the legend
// column (what is drawn on them stays until drawn over) and the mouse capture.
class GraphicEqView {
 public:
  virtual ~GraphicEqView() = default;
  virtual Canvas& GraphCanvas() = 0;
  virtual Canvas& LegendCanvas() = 0;
  virtual void SetMouseCapture(bool captured) = 0;
};
