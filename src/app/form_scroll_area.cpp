#include "app/form_scroll_area.h"

FormScrollArea::FormScrollArea(QWidget* form, QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("formScrollArea"));
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setWidget(form);
}

QSize FormScrollArea::sizeHint() const {
  const int frame = 2 * frameWidth();
  return widget()->sizeHint().expandedTo(widget()->minimumSizeHint()) + QSize(frame, frame);
}
