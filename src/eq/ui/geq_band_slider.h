#pragma once

#include <QSlider>

// One band slider of the graphic window. Its groove is drawn without the style's fill: the fill
// runs from one end of the groove to the handle, so with +9 dB at the top a cut would read as a
// long bar and a boost as a short one. The handle alone tells the level.
class GeqBandSlider : public QSlider {
 public:
  explicit GeqBandSlider(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
