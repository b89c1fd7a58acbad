#include "alignment/ui/speaker_layout_picture.h"

#include <QPainter>
#include <algorithm>

#include "artwork/brand_artwork.h"
#include "artwork/speaker_artwork.h"

namespace {

constexpr int kBannerGap = 6;

}  // namespace

SpeakerLayoutPicture::SpeakerLayoutPicture(QWidget* parent)
    : QWidget(parent), banner_(BrandArtwork::Banner()) {
  on_.fill(true);
  for (int i = 0; i < kOutputCount; ++i) {
    const auto channel = static_cast<OutputChannel>(i);
    tiles_[static_cast<std::size_t>(i)] = {SpeakerArtwork::Tile(channel, false),
                                           SpeakerArtwork::Tile(channel, true)};
  }
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setAccessibleName(QStringLiteral("Speaker layout"));
  setAccessibleDescription(QStringLiteral("The outputs that are switched on are lit."));
}

void SpeakerLayoutPicture::SetSwitches(const std::array<bool, kOutputCount>& on) {
  if (on == on_) return;
  on_ = on;
  update();
}

QRect SpeakerLayoutPicture::CarRect() const {
  // The car and the banner under it, as large as the control allows.
  const double bannerPerCarHeight =
      static_cast<double>(SpeakerArtwork::kGridWidth) * BrandArtwork::kBannerHeight /
      (static_cast<double>(SpeakerArtwork::kGridHeight) * BrandArtwork::kBannerWidth);
  const int maxH = std::max(1, static_cast<int>((height() - kBannerGap) / (1.0 + bannerPerCarHeight)));
  int h = maxH;
  int w = h * SpeakerArtwork::kGridWidth / SpeakerArtwork::kGridHeight;
  if (w > width()) {
    w = width();
    h = w * SpeakerArtwork::kGridHeight / SpeakerArtwork::kGridWidth;
  }
  return QRect((width() - w) / 2, 0, w, h);
}

QRect SpeakerLayoutPicture::BannerRect() const {
  const QRect car = CarRect();
  const int h = car.width() * BrandArtwork::kBannerHeight / BrandArtwork::kBannerWidth;
  return QRect(car.left(), car.bottom() + 1 + kBannerGap, car.width(), h);
}

void SpeakerLayoutPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRect car = CarRect();
  for (int i = 0; i < kOutputCount; ++i) {
    const QRect cell = SpeakerArtwork::Cell(static_cast<OutputChannel>(i));
    const int x0 = car.left() + cell.left() * car.width() / SpeakerArtwork::kGridWidth;
    const int x1 = car.left() + (cell.left() + cell.width()) * car.width() / SpeakerArtwork::kGridWidth;
    const int y0 = car.top() + cell.top() * car.height() / SpeakerArtwork::kGridHeight;
    const int y1 = car.top() + (cell.top() + cell.height()) * car.height() / SpeakerArtwork::kGridHeight;
    const auto slot = static_cast<std::size_t>(i);
    p.drawPixmap(QRect(x0, y0, x1 - x0, y1 - y0), tiles_[slot][on_[slot] ? 1 : 0]);
  }
  p.drawPixmap(BannerRect(), banner_);
}
