#pragma once

#include <QScrollArea>

// Holds the main form in the main frame. The form keeps its own size and layout; on a screen
// too small for it (1366 x 768 with a panel and a title bar) the frame still fits the screen,
// status bar included, and the form scrolls inside it.
class FormScrollArea : public QScrollArea {
 public:
  FormScrollArea(QWidget* form, QWidget* parent);

  // The form's own size, so that the frame is as large as the form wherever the screen allows.
  QSize sizeHint() const override;
};
