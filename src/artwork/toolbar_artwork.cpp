#include "artwork/toolbar_artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "artwork/artwork_text.h"
#include "artwork/brand_artwork.h"

namespace {

const QColor kOutline(40, 44, 52);
const QColor kBlue(40, 120, 200);

// Every image is drawn on a 24 x 24 design grid.
void DrawOpen(QPainter& p) {
  QLinearGradient back(0, 4, 0, 20);
  back.setColorAt(0.0, QColor(238, 190, 80));
  back.setColorAt(1.0, QColor(200, 140, 40));
  p.setPen(QPen(kOutline, 1.2));
  p.setBrush(back);
  QPainterPath folder;
  folder.moveTo(2.5, 5.5);
  folder.lineTo(9, 5.5);
  folder.lineTo(11, 7.5);
  folder.lineTo(19.5, 7.5);
  folder.lineTo(19.5, 19.5);
  folder.lineTo(2.5, 19.5);
  folder.closeSubpath();
  p.drawPath(folder);
  QLinearGradient front(0, 10, 0, 20);
  front.setColorAt(0.0, QColor(255, 220, 120));
  front.setColorAt(1.0, QColor(236, 170, 50));
  p.setBrush(front);
  QPainterPath flap;
  flap.moveTo(5.5, 10.5);
  flap.lineTo(22.5, 10.5);
  flap.lineTo(19.5, 19.5);
  flap.lineTo(2.5, 19.5);
  flap.closeSubpath();
  p.drawPath(flap);
}

void DrawSave(QPainter& p) {
  QLinearGradient body(0, 3, 0, 21);
  body.setColorAt(0.0, QColor(70, 130, 200));
  body.setColorAt(1.0, QColor(30, 70, 130));
  p.setPen(QPen(kOutline, 1.2));
  p.setBrush(body);
  QPainterPath disk;
  disk.moveTo(3.5, 3.5);
  disk.lineTo(18, 3.5);
  disk.lineTo(20.5, 6);
  disk.lineTo(20.5, 20.5);
  disk.lineTo(3.5, 20.5);
  disk.closeSubpath();
  p.drawPath(disk);
  p.setBrush(QColor(235, 238, 242));
  p.drawRect(QRectF(6.5, 3.5, 11, 6.5));
  p.setBrush(QColor(60, 64, 72));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(13.5, 4.5, 2.5, 4.5));
  p.setBrush(QColor(250, 250, 250));
  p.setPen(QPen(kOutline, 0.8));
  p.drawRect(QRectF(6.5, 13, 11, 7.5));
  p.setPen(QPen(QColor(160, 166, 176), 0.8));
  p.drawLine(QPointF(8, 15.5), QPointF(16, 15.5));
  p.drawLine(QPointF(8, 18), QPointF(16, 18));
}

void DrawProfile(QPainter& p) {
  // A customer card with a portrait.
  p.setPen(QPen(kOutline, 1.2));
  p.setBrush(QColor(248, 248, 246));
  p.drawRoundedRect(QRectF(2.5, 4.5, 19, 15), 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(BrandArtwork::Amber());
  p.drawRect(QRectF(3.1, 5.1, 17.8, 3));
  p.setBrush(QColor(90, 100, 115));
  p.drawEllipse(QPointF(8, 12), 2.4, 2.4);
  QPainterPath shoulders;
  shoulders.moveTo(4, 18.6);
  shoulders.quadTo(8, 13.5, 12, 18.6);
  shoulders.closeSubpath();
  p.drawPath(shoulders);
  p.setPen(QPen(QColor(150, 156, 166), 1.0));
  p.drawLine(QPointF(13.5, 12), QPointF(19.5, 12));
  p.drawLine(QPointF(13.5, 14.5), QPointF(19.5, 14.5));
  p.drawLine(QPointF(13.5, 17), QPointF(17.5, 17));
}

void DrawRoundBadge(QPainter& p, const QString& letter, const QPointF& centre, double radius) {
  QLinearGradient g(0, centre.y() - radius, 0, centre.y() + radius);
  g.setColorAt(0.0, QColor(90, 160, 235));
  g.setColorAt(1.0, kBlue.darker(140));
  p.setPen(QPen(kOutline, 1.1));
  p.setBrush(g);
  p.drawEllipse(centre, radius, radius);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  const double h = radius * 1.25;
  p.drawPath(ArtworkText::Fitted(letter, ArtworkText::Font(16, QFont::Bold),
                                 QRectF(centre.x() - radius, centre.y() - h / 2, 2 * radius, h),
                                 Qt::AlignHCenter));
}

void DrawAbout(QPainter& p) { DrawRoundBadge(p, QStringLiteral("i"), QPointF(12, 12), 9.5); }

void DrawContextHelp(QPainter& p) {
  // The arrow pointer with a question mark beside it.
  QPainterPath arrow;
  arrow.moveTo(3, 2.5);
  arrow.lineTo(3, 17);
  arrow.lineTo(6.5, 13.8);
  arrow.lineTo(9, 19.5);
  arrow.lineTo(11.3, 18.5);
  arrow.lineTo(8.8, 13);
  arrow.lineTo(13.5, 13);
  arrow.closeSubpath();
  p.setPen(QPen(Qt::black, 1.0));
  p.setBrush(Qt::white);
  p.drawPath(arrow);
  DrawRoundBadge(p, QStringLiteral("?"), QPointF(17.5, 8.5), 5.8);
}

}  // namespace

QIcon ToolbarArtwork::Icon(Image image) {
  QIcon icon;
  for (const int size : {16, 24, 32, 48}) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 24.0, size / 24.0);
    switch (image) {
      case Image::Open:
        DrawOpen(p);
        break;
      case Image::Save:
        DrawSave(p);
        break;
      case Image::Profile:
        DrawProfile(p);
        break;
      case Image::About:
        DrawAbout(p);
        break;
      case Image::ContextHelp:
        DrawContextHelp(p);
        break;
    }
    p.end();
    icon.addPixmap(pm);
  }
  return icon;
}
