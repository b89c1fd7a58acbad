#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "document/types.h"

class QLabel;
class QSlider;

// The graphic window's 31 band sliders, each standing under its band's bar on a graph of the
// same width, with the frequency captions beneath. Position 0 is the top (+9 dB).
class GeqSliderBank : public QWidget {
 public:
  explicit GeqSliderBank(QWidget* parent = nullptr);

  QSlider* Slider(int band) const { return sliders_[static_cast<std::size_t>(band)]; }

  // A slider was moved by the user (drag, keyboard, wheel or an accessibility action).
  std::function<void(int band, int position)> onMoved;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Place();

  std::array<QSlider*, kGeqBandCount> sliders_{};
  std::array<QLabel*, 10> captions_{};
};
