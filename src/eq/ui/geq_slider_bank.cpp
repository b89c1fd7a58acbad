#include "eq/ui/geq_slider_bank.h"

#include <QLabel>
#include <QResizeEvent>
#include <QSlider>
#include <string_view>

#include "document/setup_document.h"
#include "eq/equalizer_settings.h"
#include "eq/ui/geq_band_slider.h"
#include "graphics/eq_graph_axis.h"
#include "platform/qt_text.h"

namespace {

struct SliderCaption {
  int band;
  const char* text;
};
// The frequency captions under the sliders.
constexpr std::array<SliderCaption, 10> kSliderCaptions = {{{0, "20"},
                                                            {4, "50"},
                                                            {7, "100"},
                                                            {10, "200"},
                                                            {14, "500"},
                                                            {17, "1k"},
                                                            {20, "2k"},
                                                            {24, "5k"},
                                                            {27, "10k"},
                                                            {30, "20k"}}};

constexpr int kSliderWidth = 20;
constexpr int kCaptionHeight = 16;
constexpr QSize kNormalSize{740, 150};

}  // namespace

GeqSliderBank::GeqSliderBank(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  for (int b = 0; b < kGeqBandCount; ++b) {
    auto* slider = new GeqBandSlider(this);
    slider->setRange(0, kGeqMaxCode);
    // Code 0 (+9 dB) at the top; the Up key raises the level.
    slider->setInvertedAppearance(true);
    slider->setInvertedControls(true);
    slider->setPageStep(1);
    slider->setAccessibleName(QtText(GeqBandLabel(b)));
    slider->setToolTip(QtText(GeqBandLabel(b)));
    sliders_[static_cast<std::size_t>(b)] = slider;
    connect(slider, &QSlider::valueChanged, this, [this, b](int position) {
      if (onMoved) onMoved(b, position);
    });
  }
  for (std::size_t i = 0; i < kSliderCaptions.size(); ++i) {
    auto* label = new QLabel(QString::fromLatin1(kSliderCaptions[i].text), this);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    captions_[i] = label;
  }
  Place();
}

QSize GeqSliderBank::sizeHint() const { return kNormalSize; }

QSize GeqSliderBank::minimumSizeHint() const { return kNormalSize; }

void GeqSliderBank::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Place();
}

void GeqSliderBank::Place() {
  // The same frequency-to-x as the graph above, which has this width.
  const EqGraphAxis axis = EqGraphAxis::Graphic(GraphScale{width(), GraphScale::kLogicalHeight});
  const int sliderHeight = std::max(40, height() - kCaptionHeight - 2);
  for (int b = 0; b < kGeqBandCount; ++b) {
    const int x = axis.CurvePointX(kGeqBandFrequencies[static_cast<std::size_t>(b)]);
    sliders_[static_cast<std::size_t>(b)]->setGeometry(x - kSliderWidth / 2, 0, kSliderWidth, sliderHeight);
  }
  for (std::size_t i = 0; i < kSliderCaptions.size(); ++i) {
    const int x = axis.CurvePointX(kGeqBandFrequencies[static_cast<std::size_t>(kSliderCaptions[i].band)]);
    constexpr int kCaptionWidth = 30;
    captions_[i]->setGeometry(x - kCaptionWidth / 2, sliderHeight + 2, kCaptionWidth, kCaptionHeight);
  }
}
