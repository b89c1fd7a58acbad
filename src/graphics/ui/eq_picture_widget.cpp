#include "graphics/ui/eq_picture_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include "platform/qt_painter_canvas.h"

namespace {

CanvasPoint At(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return {p.x(), p.y()};
}

}  // namespace

EqPictureWidget::EqPictureWidget(QSize normalSize, QWidget* parent)
    : QWidget(parent), normalSize_(normalSize), image_(normalSize, QImage::Format_RGB32) {
  image_.fill(Qt::black);
  canvas_ = std::make_unique<QtPainterCanvas>(image_);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  resize(normalSize);
}

EqPictureWidget::~EqPictureWidget() = default;

Canvas& EqPictureWidget::DrawingCanvas() {
  update();
  return *canvas_;
}

QImage EqPictureWidget::Picture() {
  canvas_->End();
  return image_;
}

void EqPictureWidget::paintEvent(QPaintEvent*) {
  canvas_->End();
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

void EqPictureWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (event->size() == image_.size()) return;
  canvas_->End();
  image_ = QImage(event->size(), QImage::Format_RGB32);
  image_.fill(Qt::black);
  if (onResized) onResized();
}

void EqPictureWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onPress) onPress(At(event));
}

void EqPictureWidget::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) && onMove) onMove(At(event));
}

void EqPictureWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onRelease) onRelease();
}
