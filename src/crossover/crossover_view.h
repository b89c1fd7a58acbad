#pragma once

class Canvas;

// The control that takes the keyboard when a handle is grabbed: the HPF slider for the HPF
// corner, the level list for the level handle, the LPF slider for the LPF corner.
enum class CrossoverFocus { HpfSlider, LevelList, LpfSlider };

// What the crossover editor asks of its window: the pictures of the graph and of the legend
// (what is drawn on them stays until drawn over), the mouse capture and the keyboard focus.
class CrossoverView {
 public:
  virtual ~CrossoverView() = default;
  virtual Canvas& GraphCanvas() = 0;
  virtual Canvas& LegendCanvas() = 0;
  virtual void SetMouseCapture(bool captured) = 0;
  virtual void MoveFocus(CrossoverFocus control) = 0;
};
