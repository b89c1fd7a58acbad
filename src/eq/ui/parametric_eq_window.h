#pragma once

#include "common/ui/graph_window_object.h"
#include "eq/parametric_eq_editor.h"
#include "eq/parametric_eq_view.h"
#include "eq/ui/parametric_eq_dialog.h"

// The parametric EQ window as the main form drives it; the "Parametric EQ Window" itself is
// created when it opens and destroyed when the form closes it.
class ParametricEqWindow
    : public GraphWindowObject<ParametricEqEditor, ParametricEqDialog, ParametricEqView> {
 public:
  using GraphWindowObject::GraphWindowObject;
};
