#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A push button that is a picture: the "up" picture normally, the "down" picture while it is
// pressed or, as a toggle, switched on.
class PictureButton : public QAbstractButton {
 public:
  PictureButton(const QPixmap& up, const QPixmap& down, QWidget* parent = nullptr);

  QSize sizeHint() const override { return up_.size(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap up_;
  QPixmap down_;
};
