#pragma once

#include "document/types.h"
#include "eq/response_curve.h"
#include "graphics/canvas.h"

class ResponseGraph;

// What the equalizer graphs may show beside their own curves (a loaded measurement and the
// result of correcting it): drawn after the background and before the curves, with an entry in
// the legend column's free fifth row.
class GraphOverlay {
 public:
  virtual ~GraphOverlay() = default;
  // Whether there is anything to draw: the windows skip the overlay's curve otherwise.
  virtual bool Showing() const = 0;
  // `edited` is the summed curve of the group and side the window edits.
  virtual void DrawCurves(Canvas& canvas, const ResponseGraph& graph, EqGroup group,
                          const CurveValues& edited) const = 0;
  virtual void DrawLegend(Canvas& canvas, const ResponseGraph& graph) const = 0;
};
