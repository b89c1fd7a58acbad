#include "artwork/brand_artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>

#include "artwork/artwork_text.h"

namespace {

QColor WithAlpha(QColor colour, int alpha) {
  colour.setAlpha(alpha);
  return colour;
}

constexpr double kPi = 3.14159265358979323846;
const QColor kDeepAmber(232, 104, 20);
const QColor kCyan(54, 198, 255);
const QColor kSilverHi(246, 248, 250);
const QColor kSilverLo(150, 160, 172);

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
double EaseOut(double t) { return 1.0 - (1.0 - t) * (1.0 - t) * (1.0 - t); }

QPixmap Transparent(int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  return pm;
}

QLinearGradient Silver(const QRectF& r) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0.0, kSilverHi);
  g.setColorAt(0.55, QColor(205, 211, 218));
  g.setColorAt(0.56, kSilverLo);
  g.setColorAt(1.0, QColor(198, 204, 212));
  return g;
}

// The resting shape of the spectrum behind the product name: a gentle installer's curve.
double BarShape(int i, int count) {
  const double x = static_cast<double>(i) / (count - 1);
  return 0.58 + 0.26 * std::sin(kPi * x * 2.2 + 0.5) + 0.12 * std::cos(kPi * x * 7.0);
}

void DrawBars(QPainter& p, const std::array<double, 24>& heights, double alpha) {
  constexpr double kBottom = 60.0;
  for (std::size_t i = 0; i < heights.size(); ++i) {
    const double h = heights[i];
    if (h <= 0.5) continue;
    const QRectF bar(8.0 + 10.0 * static_cast<double>(i), kBottom - h, 7.0, h);
    QLinearGradient g(bar.bottomLeft(), QPointF(bar.left(), kBottom - 48.0));
    g.setColorAt(0.0, QColor(20, 70, 110, static_cast<int>(200 * alpha)));
    g.setColorAt(0.6, QColor(kCyan.red(), kCyan.green(), kCyan.blue(), static_cast<int>(170 * alpha)));
    g.setColorAt(1.0, WithAlpha(BrandArtwork::Amber(), static_cast<int>(220 * alpha)));
    p.fillRect(bar, g);
    // Segment gaps, as on a hardware level display.
    p.setPen(QPen(QColor(0, 0, 0, 150), 1.0));
    for (double y = kBottom - 3.0; y > kBottom - h; y -= 3.0)
      p.drawLine(QPointF(bar.left(), y), QPointF(bar.right(), y));
    p.fillRect(QRectF(bar.left(), kBottom - h - 2.5, 7.0, 1.5),
               QColor(255, 230, 180, static_cast<int>(230 * alpha)));
  }
}

}  // namespace

QPixmap BrandArtwork::Logo() {
  QPixmap pm = Transparent(kLogoWidth, kLogoHeight);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);

  // Maker's wordmark, wide and leaning forward.
  QFont heavy = ArtworkText::Font(40, QFont::Black);
  heavy.setItalic(true);
  const QRectF markRect(6, 3, 226, 38);
  const QPainterPath mark = ArtworkText::Fitted("TORVAL", heavy, markRect, Qt::AlignLeft);
  p.setPen(QPen(QColor(0, 0, 0, 200), 2.5));
  p.drawPath(mark.translated(1.5, 1.5));
  p.setPen(Qt::NoPen);
  p.setBrush(Silver(markRect));
  p.drawPath(mark);

  // The swoosh under the wordmark.
  QPainterPath swoosh;
  swoosh.moveTo(4, 50);
  swoosh.cubicTo(80, 41, 170, 43, 236, 45);
  swoosh.cubicTo(170, 47, 90, 48, 4, 53);
  swoosh.closeSubpath();
  QLinearGradient sg(4, 0, 236, 0);
  sg.setColorAt(0.0, kDeepAmber);
  sg.setColorAt(0.7, BrandArtwork::Amber());
  sg.setColorAt(1.0, QColor(255, 220, 140, 0));
  p.setBrush(sg);
  p.drawPath(swoosh);

  // Model tag on the right.
  p.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
  p.drawLine(QPointF(248, 8), QPointF(244, 48));
  const QPainterPath model = ArtworkText::Fitted("KRV5200", ArtworkText::Font(20, QFont::Bold),
                                                 QRectF(254, 9, 120, 22), Qt::AlignLeft);
  p.setPen(Qt::NoPen);
  p.setBrush(BrandArtwork::Amber());
  p.drawPath(model);
  const QPainterPath tag =
      ArtworkText::Fitted("DIGITAL SOUND PROCESSOR", ArtworkText::Font(8, QFont::DemiBold),
                          QRectF(255, 36, 118, 8), Qt::AlignLeft);
  p.setBrush(QColor(190, 198, 208));
  p.drawPath(tag);
  return pm;
}

QPixmap BrandArtwork::Banner() {
  QPixmap pm(kBannerWidth, kBannerHeight);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient bg(0, 0, 0, kBannerHeight);
  bg.setColorAt(0.0, QColor(44, 51, 61));
  bg.setColorAt(0.5, QColor(24, 28, 35));
  bg.setColorAt(1.0, QColor(12, 14, 18));
  p.fillRect(pm.rect(), bg);
  p.fillRect(QRectF(0, 0, kBannerWidth, 1), QColor(255, 255, 255, 40));
  QLinearGradient line(0, 0, kBannerWidth, 0);
  line.setColorAt(0.0, kDeepAmber);
  line.setColorAt(0.5, BrandArtwork::Amber());
  line.setColorAt(1.0, WithAlpha(BrandArtwork::Amber(), 40));
  p.fillRect(QRectF(0, kBannerHeight - 2, kBannerWidth, 2), line);

  // A small level display as the mark.
  constexpr std::array<int, 6> kLevels{10, 17, 24, 19, 13, 21};
  for (std::size_t i = 0; i < kLevels.size(); ++i) {
    const QRectF bar(9.0 + 5.0 * static_cast<double>(i), 31.0 - kLevels[i], 3.5, kLevels[i]);
    QLinearGradient g(bar.bottomLeft(), QPointF(bar.left(), 7));
    g.setColorAt(0.0, kCyan);
    g.setColorAt(1.0, BrandArtwork::Amber());
    p.fillRect(bar, g);
  }

  p.setPen(Qt::NoPen);
  p.setBrush(Silver(QRectF(46, 7, 100, 19)));
  p.drawPath(ArtworkText::Fitted("KRV5200", ArtworkText::Font(18, QFont::Black), QRectF(46, 7, 100, 19),
                                 Qt::AlignLeft));
  p.setBrush(QColor(160, 170, 182));
  p.drawPath(ArtworkText::Fitted("DIGITAL SOUND PROCESSOR", ArtworkText::Font(7, QFont::DemiBold),
                                 QRectF(47, 29, 124, 6.5), Qt::AlignLeft));
  p.setBrush(BrandArtwork::Amber());
  p.drawPath(ArtworkText::Fitted("PC SETUP", ArtworkText::Font(10, QFont::Bold), QRectF(196, 14, 76, 11),
                                 Qt::AlignRight));
  return pm;
}

QPixmap BrandArtwork::AnimationFrame(int frame) {
  if (frame < 0 || frame >= kFrameCount) frame = kRestFrame;
  QPixmap pm(kFrameWidth, kFrameHeight);
  pm.fill(Qt::black);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);

  // A faint grid, as on a measurement screen.
  p.setPen(QPen(QColor(22, 30, 38), 1.0));
  for (int y = 12; y < kFrameHeight; y += 12) p.drawLine(0, y, kFrameWidth, y);
  for (int x = 16; x < kFrameWidth; x += 32) p.drawLine(x, 0, x, kFrameHeight);

  // Intro (0..23): the bars rise one after the other and the name slides in. Then (24..55) the
  // bars play and a sheen crosses the name, ending where the rest frame begins.
  std::array<double, 24> heights{};
  double textAlpha = 1.0;
  double textShift = 0.0;
  double tagAlpha = 1.0;
  double sheen = -1.0;
  for (std::size_t i = 0; i < heights.size(); ++i) {
    const double rest = 44.0 * BarShape(static_cast<int>(i), 24);
    if (frame <= kRestFrame) {
      const double grow = EaseOut(Clamp01((frame - static_cast<double>(i) * 0.4) / 10.0));
      heights[i] = rest * grow;
    } else {
      const double t = (frame - 24) / 31.0;
      const double envelope = std::sin(kPi * t);
      heights[i] = std::max(
          2.0, rest + 14.0 * envelope * std::sin(2.0 * kPi * (2.0 * t + static_cast<double>(i) * 0.13)));
    }
  }
  if (frame <= kRestFrame) {
    const double t = EaseOut(Clamp01((frame - 6) / 17.0));
    textAlpha = t;
    textShift = (1.0 - t) * -36.0;
    tagAlpha = Clamp01((frame - 15) / 8.0);
  } else {
    sheen = -50.0 + (frame - 24) / 31.0 * 360.0;
  }
  DrawBars(p, heights, 0.8);

  if (textAlpha > 0.0) {
    const QRectF nameRect(32 + textShift, 7, 192, 34);
    const QPainterPath name =
        ArtworkText::Fitted("KRV5200", ArtworkText::Font(34, QFont::Black), nameRect, Qt::AlignHCenter);
    p.setOpacity(textAlpha);
    p.setPen(QPen(QColor(0, 0, 0, 220), 3.0));
    p.drawPath(name.translated(1.5, 1.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Silver(nameRect));
    p.drawPath(name);
    if (sheen > -50.0) {
      QLinearGradient shine(sheen, 0, sheen + 40, 20);
      shine.setColorAt(0.0, QColor(255, 255, 255, 0));
      shine.setColorAt(0.5, QColor(255, 236, 190, 230));
      shine.setColorAt(1.0, QColor(255, 255, 255, 0));
      p.setBrush(shine);
      p.drawPath(name);
    }
    p.setOpacity(1.0);
  }
  if (tagAlpha > 0.0) {
    p.setOpacity(tagAlpha);
    p.setPen(Qt::NoPen);
    p.setBrush(BrandArtwork::Amber());
    p.drawPath(ArtworkText::Fitted("DIGITAL SOUND PROCESSOR", ArtworkText::Font(8, QFont::Bold),
                                   QRectF(58, 46, 140, 8), Qt::AlignHCenter));
    p.setOpacity(1.0);
  }
  return pm;
}

QIcon BrandArtwork::AppIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128}) {
    QPixmap pm = Transparent(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    QLinearGradient bg(0, 0, 0, 64);
    bg.setColorAt(0.0, QColor(52, 60, 72));
    bg.setColorAt(1.0, QColor(14, 16, 20));
    p.setPen(QPen(QColor(255, 255, 255, 50), 1.5));
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    constexpr std::array<int, 5> kLevels{18, 30, 40, 26, 34};
    for (std::size_t i = 0; i < kLevels.size(); ++i) {
      const QRectF bar(11.0 + 9.0 * static_cast<double>(i), 52.0 - kLevels[i], 6.0, kLevels[i]);
      QLinearGradient g(bar.bottomLeft(), QPointF(bar.left(), 12));
      g.setColorAt(0.0, kDeepAmber);
      g.setColorAt(1.0, BrandArtwork::Amber());
      p.setPen(Qt::NoPen);
      p.setBrush(g);
      p.drawRoundedRect(bar, 1.5, 1.5);
    }
    QPainterPath curve;
    curve.moveTo(8, 40);
    curve.cubicTo(22, 18, 36, 50, 56, 20);
    p.setPen(QPen(kCyan, 3.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.end();
    icon.addPixmap(pm);
  }
  return icon;
}
