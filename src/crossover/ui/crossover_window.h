#pragma once

#include "common/ui/graph_window_object.h"
#include "crossover/crossover_editor.h"
#include "crossover/crossover_view.h"
#include "crossover/ui/crossover_dialog.h"

// The crossover window as the main form drives it; the "Crossover Window" itself is created when
// it opens and destroyed when the form closes it.
class CrossoverWindow : public GraphWindowObject<CrossoverEditor, CrossoverDialog, CrossoverView> {
 public:
  using GraphWindowObject::GraphWindowObject;

  // The controls follow loaded data even while the window is closed.
  void Refresh() override {
    editor_.Refresh();
    if (dialog_) dialog_->Sync();
  }

  // The six group-present flags, after every speaker switch.
  void SetPresence(const GroupPresence& present) { editor_.SetPresence(present); }

 private:
  void MoveFocus(CrossoverFocus control) override {
    if (dialog_) dialog_->MoveFocus(control);
  }
};
