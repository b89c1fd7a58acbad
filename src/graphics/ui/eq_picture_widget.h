#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "graphics/canvas.h"

class QtPainterCanvas;

// A control that shows a picture drawn through a Canvas: the equalizer graph or its legend
// column. What is drawn stays in an off-screen image until drawn over, as on a window's own
// device context; left-button presses, drags and releases go to the callbacks in pixels of the
// control.
class EqPictureWidget : public QWidget {
 public:
  explicit EqPictureWidget(QSize normalSize, QWidget* parent = nullptr);
  ~EqPictureWidget() override;

  Canvas& DrawingCanvas();
  // The picture as it stands (for tests and for looking at it).
  QImage Picture();

  std::function<void(CanvasPoint)> onPress;
  std::function<void(CanvasPoint)> onMove;
  std::function<void()> onRelease;
  // The control changed its size; the new picture is black until drawn.
  std::function<void()> onResized;

  QSize sizeHint() const override { return normalSize_; }
  QSize minimumSizeHint() const override { return normalSize_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QSize normalSize_;
  QImage image_;
  std::unique_ptr<QtPainterCanvas> canvas_;
};
