#include "eq/ui/picture_button.h"

#include <QPainter>

PictureButton::PictureButton(const QPixmap& up, const QPixmap& down, QWidget* parent)
    : QAbstractButton(parent), up_(up), down_(down) {
  setCheckable(true);
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPixmap& picture = isDown() || isChecked() ? down_ : up_;
  painter.drawPixmap(rect(), picture);
  if (hasFocus()) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(3, 3, -4, -4));
  }
}
