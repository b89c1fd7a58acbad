#include "artwork/speaker_artwork.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>

namespace {

constexpr int kLeftWidth = 108;
constexpr int kMiddleWidth = 43;
constexpr std::array<int, 5> kRowTop{0, 33, 82, 195, 281};
constexpr std::array<int, 5> kRowHeight{33, 49, 113, 86, 33};

struct SpeakerSpot {
  double x;
  double y;
  double radius;
  double glow;  // kept inside the speaker's own cell, so that a lit neighbour never shows in it
};

// Where each speaker sits, in grid units: tweeters at the corners of the dash, mids high and
// woofers low in the front doors, the rear pair on the parcel shelf, the sub-woofers in the boot.
constexpr std::array<SpeakerSpot, kOutputCount> kSpots{{
    {62, 19, 7, 13},
    {197, 19, 7, 13},  // front high
    {36, 58, 11, 21},
    {223, 58, 11, 21},  // front mid
    {33, 138, 19, 34},
    {226, 138, 19, 34},  // front low
    {58, 260, 12, 19},
    {201, 260, 12, 19},  // rear
    {129.5, 36, 8, 15},  // center, on the dash
    {92, 297.5, 11, 15.5},
    {167, 297.5, 11, 15.5},  // sub-woofers
}};

const QColor kLit(255, 178, 30);

void DrawCar(QPainter& p) {
  // Body.
  QPainterPath body;
  body.addRoundedRect(QRectF(10, 1, 239, 312), 46, 38);
  QLinearGradient paint(10, 0, 249, 0);
  paint.setColorAt(0.0, QColor(58, 64, 74));
  paint.setColorAt(0.18, QColor(92, 100, 112));
  paint.setColorAt(0.5, QColor(70, 77, 88));
  paint.setColorAt(0.82, QColor(92, 100, 112));
  paint.setColorAt(1.0, QColor(58, 64, 74));
  p.setPen(QPen(QColor(150, 160, 174), 1.2));
  p.setBrush(paint);
  p.drawPath(body);

  // Windscreen and rear window.
  QPainterPath screen;
  screen.moveTo(40, 6);
  screen.quadTo(129.5, -2, 219, 6);
  screen.lineTo(206, 28);
  screen.quadTo(129.5, 22, 53, 28);
  screen.closeSubpath();
  QLinearGradient glass(0, 0, 0, 30);
  glass.setColorAt(0.0, QColor(92, 138, 180));
  glass.setColorAt(1.0, QColor(26, 44, 64));
  p.setPen(QPen(QColor(20, 26, 32), 1.0));
  p.setBrush(glass);
  p.drawPath(screen);

  // Cabin floor.
  QPainterPath cabin;
  cabin.addRoundedRect(QRectF(22, 30, 215, 245), 18, 18);
  p.setPen(QPen(QColor(16, 18, 22), 1.5));
  p.setBrush(QColor(30, 33, 38));
  p.drawPath(cabin);

  // Dashboard.
  QLinearGradient dash(0, 30, 0, 50);
  dash.setColorAt(0.0, QColor(52, 56, 62));
  dash.setColorAt(1.0, QColor(34, 37, 42));
  p.setPen(Qt::NoPen);
  p.setBrush(dash);
  p.drawRoundedRect(QRectF(24, 31, 211, 18), 8, 8);

  // Steering wheel.
  p.setPen(QPen(QColor(18, 20, 24), 4.0));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(78, 62), 15, 7);
  p.setPen(QPen(QColor(70, 75, 82), 1.2));
  p.drawEllipse(QPointF(78, 62), 15, 7);

  // Seats with headrests.
  auto seat = [&p](const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, QColor(64, 68, 76));
    g.setColorAt(1.0, QColor(40, 43, 49));
    p.setPen(QPen(QColor(18, 20, 24), 1.2));
    p.setBrush(g);
    p.drawRoundedRect(r, 9, 9);
    p.setPen(QPen(QColor(255, 255, 255, 18), 1.0));
    for (int i = 1; i < 4; ++i) {
      const double y = r.top() + r.height() * i / 4.0;
      p.drawLine(QPointF(r.left() + 6, y), QPointF(r.right() - 6, y));
    }
  };
  seat(QRectF(52, 96, 52, 74));
  seat(QRectF(155, 96, 52, 74));
  p.setPen(QPen(QColor(18, 20, 24), 1.0));
  p.setBrush(QColor(56, 60, 67));
  p.drawRoundedRect(QRectF(64, 172, 28, 10), 4, 4);
  p.drawRoundedRect(QRectF(167, 172, 28, 10), 4, 4);
  seat(QRectF(40, 204, 179, 44));

  // Centre console with its gear lever.
  p.setPen(QPen(QColor(18, 20, 24), 1.0));
  p.setBrush(QColor(44, 47, 53));
  p.drawRoundedRect(QRectF(113, 52, 33, 140), 8, 8);
  p.setBrush(QColor(24, 26, 30));
  p.drawRoundedRect(QRectF(120, 60, 19, 28), 3, 3);  // head unit
  p.setPen(QPen(QColor(54, 198, 255, 160), 1.0));
  p.drawLine(QPointF(123, 66), QPointF(136, 66));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(80, 86, 95));
  p.drawEllipse(QPointF(129.5, 118), 4.5, 4.5);

  // Door seams and mirrors.
  p.setPen(QPen(QColor(30, 34, 40), 1.2));
  for (const double x : {12.5, 246.5}) {
    p.drawLine(QPointF(x, 86), QPointF(x, 88));
    p.drawLine(QPointF(x, 190), QPointF(x, 192));
  }
  p.setPen(QPen(QColor(20, 22, 26), 1.0));
  p.setBrush(QColor(74, 80, 90));
  p.drawRoundedRect(QRectF(2, 40, 12, 8), 3, 3);
  p.drawRoundedRect(QRectF(245, 40, 12, 8), 3, 3);

  // Rear window, parcel shelf and boot.
  QPainterPath rear;
  rear.moveTo(44, 277);
  rear.quadTo(129.5, 272, 215, 277);
  rear.lineTo(222, 287);
  rear.quadTo(129.5, 283, 37, 287);
  rear.closeSubpath();
  p.setPen(QPen(QColor(20, 26, 32), 1.0));
  p.setBrush(glass);
  p.drawPath(rear);
  p.setPen(QPen(QColor(18, 20, 24), 1.0));
  p.setBrush(QColor(36, 39, 44));
  p.drawRoundedRect(QRectF(28, 252, 203, 20), 6, 6);
  p.setBrush(QColor(26, 28, 32));
  p.drawRoundedRect(QRectF(56, 288, 147, 21), 8, 8);
}

void DrawSpeaker(QPainter& p, const SpeakerSpot& s, bool on) {
  const QPointF c(s.x, s.y);
  const double r = s.radius;
  if (on) {
    QRadialGradient glow(c, s.glow);
    glow.setColorAt(0.0, QColor(255, 190, 60, 170));
    glow.setColorAt(0.55, QColor(255, 150, 20, 70));
    glow.setColorAt(1.0, QColor(255, 140, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, s.glow, s.glow);
  }
  // Basket and surround.
  p.setPen(QPen(on ? kLit : QColor(70, 72, 76), on ? 1.3 : 1.0));
  p.setBrush(QColor(12, 13, 15));
  p.drawEllipse(c, r, r);
  // Cone.
  QRadialGradient cone(c - QPointF(r * 0.25, r * 0.3), r * 0.95);
  if (on) {
    cone.setColorAt(0.0, QColor(140, 148, 160));
    cone.setColorAt(0.7, QColor(52, 56, 64));
    cone.setColorAt(1.0, QColor(24, 26, 30));
  } else {
    cone.setColorAt(0.0, QColor(66, 68, 72));
    cone.setColorAt(1.0, QColor(22, 23, 25));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(cone);
  p.drawEllipse(c, r * 0.78, r * 0.78);
  // Dust cap.
  p.setBrush(on ? QColor(255, 204, 110) : QColor(58, 60, 64));
  p.drawEllipse(c, r * 0.26, r * 0.26);
  if (!on) {
    // A muted speaker: a thin slash across it.
    p.setPen(QPen(QColor(210, 60, 50, 200), std::max(1.0, r * 0.14), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-r * 0.62, r * 0.62), c + QPointF(r * 0.62, -r * 0.62));
  }
}

const QImage& Picture(bool on) {
  static const QImage pictures[2] = {
      [] {
        QImage img(SpeakerArtwork::kGridWidth * SpeakerArtwork::kScale,
                   SpeakerArtwork::kGridHeight * SpeakerArtwork::kScale, QImage::Format_ARGB32_Premultiplied);
        img.fill(QColor(14, 16, 19));
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(SpeakerArtwork::kScale, SpeakerArtwork::kScale);
        DrawCar(p);
        for (const SpeakerSpot& s : kSpots) DrawSpeaker(p, s, false);
        return img;
      }(),
      [] {
        QImage img(SpeakerArtwork::kGridWidth * SpeakerArtwork::kScale,
                   SpeakerArtwork::kGridHeight * SpeakerArtwork::kScale, QImage::Format_ARGB32_Premultiplied);
        img.fill(QColor(14, 16, 19));
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(SpeakerArtwork::kScale, SpeakerArtwork::kScale);
        DrawCar(p);
        for (const SpeakerSpot& s : kSpots) DrawSpeaker(p, s, true);
        return img;
      }(),
  };
  return pictures[on ? 1 : 0];
}

}  // namespace

QRect SpeakerArtwork::Cell(OutputChannel channel) {
  if (channel == OutputChannel::Center) return QRect(kLeftWidth, 0, kMiddleWidth, kGridHeight);
  int row = 0;
  switch (channel) {
    case OutputChannel::FrontHighL:
    case OutputChannel::FrontHighR:
      row = 0;
      break;
    case OutputChannel::FrontMidL:
    case OutputChannel::FrontMidR:
      row = 1;
      break;
    case OutputChannel::FrontLowL:
    case OutputChannel::FrontLowR:
      row = 2;
      break;
    case OutputChannel::RearL:
    case OutputChannel::RearR:
      row = 3;
      break;
    default:
      row = 4;
      break;
  }
  const bool left = channel == OutputChannel::FrontHighL || channel == OutputChannel::FrontMidL ||
                    channel == OutputChannel::FrontLowL || channel == OutputChannel::RearL ||
                    channel == OutputChannel::SubWooferL;
  const int x = left ? 0 : kLeftWidth + kMiddleWidth;
  return QRect(x, kRowTop[static_cast<std::size_t>(row)], kLeftWidth,
               kRowHeight[static_cast<std::size_t>(row)]);
}

QPixmap SpeakerArtwork::Tile(OutputChannel channel, bool on) {
  const QRect cell = Cell(channel);
  const QRect source(cell.x() * kScale, cell.y() * kScale, cell.width() * kScale, cell.height() * kScale);
  return QPixmap::fromImage(Picture(on).copy(source));
}
