#include "eq/ui/geq_band_slider.h"

#include <QStyleOptionSlider>
#include <QStylePainter>

GeqBandSlider::GeqBandSlider(QWidget* parent) : QSlider(Qt::Vertical, parent) {}

void GeqBandSlider::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionSlider option;
  initStyleOption(&option);

  // The groove as the style draws it with the handle at the minimum, where its fill is empty.
  QStyleOptionSlider groove = option;
  groove.subControls = QStyle::SC_SliderGroove;
  groove.activeSubControls = QStyle::SC_None;
  groove.sliderPosition = minimum();
  groove.sliderValue = minimum();
  painter.drawComplexControl(QStyle::CC_Slider, groove);

  option.subControls = QStyle::SC_SliderHandle;
  if (tickPosition() != NoTicks) option.subControls |= QStyle::SC_SliderTickmarks;
  painter.drawComplexControl(QStyle::CC_Slider, option);
}
