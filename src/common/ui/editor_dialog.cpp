#include "common/ui/editor_dialog.h"

#include <QTimer>

void EditorDialog::ScheduleResized() {
  if (resizeQueued_) return;
  resizeQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    resizeQueued_ = false;
    Do([this] { Resized(); });
  });
}
