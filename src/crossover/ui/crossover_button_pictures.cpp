#include "crossover/ui/crossover_button_pictures.h"

#include <QPainter>
#include <QPolygon>

namespace {

constexpr int kButtonWidth = 57;
constexpr int kButtonHeight = 48;

// Three bands side by side, as the graph shows the front groups together.
void Bands(QPainter& p, const QRect& plot) {
  struct Band {
    int left;
    int right;
    QColor colour;
  };
  const Band bands[] = {
      {-6, 16, QColor(125, 125, 200)}, {10, 32, QColor(125, 200, 125)}, {26, 50, QColor(255, 0, 0)}};
  const int top = plot.top() + 6;
  const int bottom = plot.bottom() - 2;
  for (const Band& b : bands) {
    p.setPen(QPen(b.colour, 2));
    const QPolygon line({QPoint(plot.left() + b.left, bottom), QPoint(plot.left() + b.left + 6, top),
                         QPoint(plot.left() + b.right - 6, top), QPoint(plot.left() + b.right, bottom)});
    p.drawPolyline(line);
  }
}

QPixmap Draw(bool down) {
  QPixmap pixmap(kButtonWidth, kButtonHeight);
  QPainter p(&pixmap);
  const QRect r(0, 0, kButtonWidth, kButtonHeight);
  p.fillRect(r, QColor(192, 192, 192));
  p.setPen(down ? QColor(64, 64, 64) : QColor(255, 255, 255));
  p.drawLine(0, 0, kButtonWidth - 1, 0);
  p.drawLine(0, 0, 0, kButtonHeight - 1);
  p.setPen(down ? QColor(255, 255, 255) : QColor(64, 64, 64));
  p.drawLine(0, kButtonHeight - 1, kButtonWidth - 1, kButtonHeight - 1);
  p.drawLine(kButtonWidth - 1, 0, kButtonWidth - 1, kButtonHeight - 1);
  const int d = down ? 1 : 0;
  const QRect plot(5 + d, 6 + d, kButtonWidth - 10, kButtonHeight - 12);
  p.fillRect(plot, Qt::black);
  p.setClipRect(plot);
  p.setRenderHint(QPainter::Antialiasing);
  Bands(p, plot);
  return pixmap;
}

}  // namespace

QPixmap CrossoverButtonPicture(std::string_view name) {
  if (name == "DGRAPHU") return Draw(false);
  if (name == "DGRAPHD") return Draw(true);
  return {};
}
