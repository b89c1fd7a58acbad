#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>

#include "document/types.h"

// The car with its eleven speakers, each shown on or off by the output's speaker switch, and the
// banner under it: the picture of the time correction window. The car keeps its proportions
// inside the control; the banner is as wide as the car.
class SpeakerLayoutPicture : public QWidget {
 public:
  explicit SpeakerLayoutPicture(QWidget* parent = nullptr);

  void SetSwitches(const std::array<bool, kOutputCount>& on);
  const std::array<bool, kOutputCount>& Switches() const { return on_; }

  // Where the car and the banner are drawn in the control.
  QRect CarRect() const;
  QRect BannerRect() const;

  QSize sizeHint() const override { return QSize(259, 360); }
  QSize minimumSizeHint() const override { return QSize(160, 220); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<bool, kOutputCount> on_{};
  std::array<std::array<QPixmap, 2>, kOutputCount> tiles_;
  QPixmap banner_;
};
