#include "form/ui/speaker_panel.h"

#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <algorithm>

#include "artwork/brand_artwork.h"
#include "artwork/speaker_artwork.h"
#include "form/form_controls.h"

namespace {

constexpr int kButtonWidth = 78;
constexpr int kButtonHeight = 46;
// The high and mid rows are closest: 41 units between their centres.
constexpr int kClosestRowsUnits = 41;
constexpr int kGap = 10;
constexpr int kTop = 58;  // room for the center button above the picture
constexpr int kBannerGap = 12;

bool IsLeft(OutputChannel c) {
  return c == OutputChannel::FrontHighL || c == OutputChannel::FrontMidL || c == OutputChannel::FrontLowL ||
         c == OutputChannel::RearL || c == OutputChannel::SubWooferL;
}

}  // namespace

SpeakerPanel::SpeakerPanel(QWidget* parent) : QWidget(parent), banner_(BrandArtwork::Banner()) {
  setObjectName(QStringLiteral("speakerPanel"));
  for (int i = 0; i < kOutputCount; ++i) {
    const auto channel = static_cast<OutputChannel>(i);
    const std::string_view text = kSpeakerButtonTexts[static_cast<std::size_t>(i)];
    auto* button = new QPushButton(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), this);
    button->setObjectName(QStringLiteral("speaker%1").arg(i));
    button->setProperty("speaker", true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setWhatsThis(
        QStringLiteral("Switches this speaker output on or off; an output that is off gets no signal."));
    connect(button, &QPushButton::clicked, this, [this, i] { emit speakerPressed(i); });
    buttons_[static_cast<std::size_t>(i)] = button;
    tiles_[static_cast<std::size_t>(i)] = {SpeakerArtwork::Tile(channel, false),
                                           SpeakerArtwork::Tile(channel, true)};
  }
}

QRect SpeakerPanel::PictureRect() const {
  // As large as the panel allows, keeping the grid's proportions, with the buttons beside it
  // and the banner (as wide as the picture) below.
  const double bannerPerPictureHeight =
      static_cast<double>(SpeakerArtwork::kGridWidth) * BrandArtwork::kBannerHeight /
      (static_cast<double>(SpeakerArtwork::kGridHeight) * BrandArtwork::kBannerWidth);
  const int maxH =
      std::max(100, static_cast<int>((height() - kTop - kBannerGap - 4) / (1.0 + bannerPerPictureHeight)));
  const int maxW = std::max(80, width() - 2 * (kButtonWidth + kGap) - 16);
  int h = maxH;
  int w = h * SpeakerArtwork::kGridWidth / SpeakerArtwork::kGridHeight;
  if (w > maxW) {
    w = maxW;
    h = w * SpeakerArtwork::kGridHeight / SpeakerArtwork::kGridWidth;
  }
  return QRect((width() - w) / 2, kTop, w, h);
}

QRect SpeakerPanel::BannerRect() const {
  const QRect picture = PictureRect();
  const int h = picture.width() * BrandArtwork::kBannerHeight / BrandArtwork::kBannerWidth;
  return QRect(picture.left(), picture.bottom() + 1 + kBannerGap, picture.width(), h);
}

void SpeakerPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceButtons();
}

void SpeakerPanel::PlaceButtons() {
  const QRect picture = PictureRect();
  const int buttonHeight =
      std::clamp(kClosestRowsUnits * picture.height() / SpeakerArtwork::kGridHeight - 6, 24, kButtonHeight);
  for (int i = 0; i < kOutputCount; ++i) {
    const auto channel = static_cast<OutputChannel>(i);
    QPushButton* button = buttons_[static_cast<std::size_t>(i)];
    if (channel == OutputChannel::Center) {
      button->setGeometry(picture.center().x() - kButtonWidth / 2, kTop - 38 - kGap, kButtonWidth, 38);
      continue;
    }
    const QRect cell = SpeakerArtwork::Cell(channel);
    const int centreY = picture.top() + (cell.top() * 2 + cell.height()) * picture.height() /
                                            (2 * SpeakerArtwork::kGridHeight);
    const int x = IsLeft(channel) ? picture.left() - kGap - kButtonWidth : picture.right() + 1 + kGap;
    button->setGeometry(x, centreY - buttonHeight / 2, kButtonWidth, buttonHeight);
  }
}

void SpeakerPanel::Restyle(const std::array<bool, kOutputCount>& on) {
  for (int i = 0; i < kOutputCount; ++i) {
    QPushButton* button = buttons_[static_cast<std::size_t>(i)];
    const bool lit = on[static_cast<std::size_t>(i)];
    if (button->property("on").toBool() == lit && button->property("on").isValid()) continue;
    button->setProperty("on", lit);
    button->setToolTip(lit ? QStringLiteral("Speaker on: click to switch it off")
                           : QStringLiteral("Speaker off: click to switch it on"));
    // Re-evaluate the style sheet's [on="true"] rules.
    button->style()->unpolish(button);
    button->style()->polish(button);
  }
}

std::array<bool, kOutputCount> SpeakerPanel::Switches() const {
  std::array<bool, kOutputCount> on{};
  on.fill(true);
  if (switches) on = switches();
  return on;
}

void SpeakerPanel::Repaint() {
  Restyle(Switches());
  update();
}

void SpeakerPanel::paintEvent(QPaintEvent*) {
  const std::array<bool, kOutputCount> on = Switches();

  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setRenderHint(QPainter::Antialiasing);
  const QRect picture = PictureRect();
  // A recessed frame around the picture.
  p.setPen(QPen(QColor(70, 78, 90), 1));
  p.setBrush(QColor(10, 12, 15));
  p.drawRoundedRect(picture.adjusted(-5, -5, 5, 5), 6, 6);
  for (int i = 0; i < kOutputCount; ++i) {
    const QRect cell = SpeakerArtwork::Cell(static_cast<OutputChannel>(i));
    const int x0 = picture.left() + cell.left() * picture.width() / SpeakerArtwork::kGridWidth;
    const int x1 =
        picture.left() + (cell.left() + cell.width()) * picture.width() / SpeakerArtwork::kGridWidth;
    const int y0 = picture.top() + cell.top() * picture.height() / SpeakerArtwork::kGridHeight;
    const int y1 =
        picture.top() + (cell.top() + cell.height()) * picture.height() / SpeakerArtwork::kGridHeight;
    const QRect target(x0, y0, x1 - x0, y1 - y0);
    p.drawPixmap(target, tiles_[static_cast<std::size_t>(i)][on[static_cast<std::size_t>(i)] ? 1 : 0]);
  }
  p.drawPixmap(BannerRect(), banner_);
}
