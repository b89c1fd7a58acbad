#pragma once

#include "common/ui/graph_window_object.h"
#include "eq/graphic_eq_editor.h"
#include "eq/graphic_eq_view.h"
#include "eq/ui/graphic_eq_dialog.h"

// The graphic EQ window as the main form drives it; the "Graphic EQ Window" itself is created
// when it opens and destroyed when the form closes it.
class GraphicEqWindow : public GraphWindowObject<GraphicEqEditor, GraphicEqDialog, GraphicEqView> {
 public:
  using GraphWindowObject::GraphWindowObject;

  // The band locks of an automatic-EQ result (0 none, 1 SubWoofer, 2 low Front bands, 3 both).
  void SetBandLockMode(int mode) {
    editor_.SetBandLockMode(mode);
    if (dialog_) dialog_->Sync();
  }
};
