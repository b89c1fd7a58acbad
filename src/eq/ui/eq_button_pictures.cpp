#include "eq/ui/eq_button_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr int kEqButtonWidth = 48;
constexpr int kEqButtonHeight = 32;

void Bevel(QPainter& p, bool down) {
  const QRect r(0, 0, kEqButtonWidth, kEqButtonHeight);
  p.fillRect(r, QColor(192, 192, 192));
  const QColor light = down ? QColor(64, 64, 64) : QColor(255, 255, 255);
  const QColor dark = down ? QColor(255, 255, 255) : QColor(64, 64, 64);
  p.setPen(light);
  p.drawLine(0, 0, kEqButtonWidth - 1, 0);
  p.drawLine(0, 0, 0, kEqButtonHeight - 1);
  p.setPen(dark);
  p.drawLine(0, kEqButtonHeight - 1, kEqButtonWidth - 1, kEqButtonHeight - 1);
  p.drawLine(kEqButtonWidth - 1, 0, kEqButtonWidth - 1, kEqButtonHeight - 1);
}

// A small black plot, shifted by a pixel when the button is pressed in.
QRect Plot(QPainter& p, bool down) {
  const int d = down ? 1 : 0;
  const QRect plot(6 + d, 5 + d, kEqButtonWidth - 12, kEqButtonHeight - 10);
  p.fillRect(plot, Qt::black);
  p.setPen(QColor(100, 100, 100));
  p.drawLine(plot.left(), plot.center().y(), plot.right(), plot.center().y());
  return plot;
}

void Curve(QPainter& p, const QRect& plot, QColor colour, double phase, double height) {
  QPainterPath path;
  for (int x = 0; x <= plot.width(); ++x) {
    const double y = plot.center().y() - height * std::sin(phase + x * 0.25);
    if (x == 0)
      path.moveTo(plot.left() + x, y);
    else
      path.lineTo(plot.left() + x, y);
  }
  p.setPen(QPen(colour, 1.5));
  p.drawPath(path);
}

QPixmap Draw(std::string_view kind, bool down) {
  QPixmap pixmap(kEqButtonWidth, kEqButtonHeight);
  QPainter p(&pixmap);
  Bevel(p, down);
  const QRect plot = Plot(p, down);
  p.setRenderHint(QPainter::Antialiasing);
  if (kind == "GRAPH") {
    Curve(p, plot, QColor(255, 0, 0), 0.0, 6.0);
    Curve(p, plot, QColor(0, 255, 0), 1.5, 5.0);
    Curve(p, plot, QColor(0, 0, 255), 3.0, 4.0);
    Curve(p, plot, QColor(255, 255, 0), 4.5, 3.0);
  } else if (kind == "BOX") {
    Curve(p, plot, QColor(20, 200, 200), 0.8, 5.0);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(plot.left() + 14, plot.center().y() - 8, 8, 8), QColor(255, 153, 153));
  } else {  // GBOX: graphic bars
    p.setRenderHint(QPainter::Antialiasing, false);
    const int heights[] = {4, 7, 3, -3, -6, 2, 5};
    for (int i = 0; i < 7; ++i) {
      const int x = plot.left() + 3 + i * 5;
      const int h = heights[i];
      const QRect bar =
          h >= 0 ? QRect(x, plot.center().y() - h, 3, h + 1) : QRect(x, plot.center().y(), 3, -h + 1);
      p.fillRect(bar, QColor(68, 136, 68));
      p.fillRect(QRect(x, h >= 0 ? bar.top() : bar.bottom() - 1, 3, 2), QColor(102, 102, 102));
    }
  }
  return pixmap;
}

}  // namespace

QPixmap EqButtonPicture(std::string_view name) {
  if (name.empty()) return {};
  const bool down = name.back() == 'D';
  const std::string_view kind = name.substr(0, name.size() - 1);
  if (kind != "GRAPH" && kind != "BOX" && kind != "GBOX") return {};
  return Draw(kind, down);
}

QPixmap EqPictureStrip() {
  QPixmap pixmap(280, 40);
  QPainter p(&pixmap);
  QLinearGradient fade(0, 0, 280, 0);
  fade.setColorAt(0.0, QColor(10, 10, 40));
  fade.setColorAt(1.0, QColor(40, 40, 90));
  p.fillRect(pixmap.rect(), fade);
  // A row of level meters, as on the processor's front.
  for (int i = 0; i < 31; ++i) {
    const int x = 6 + i * 9;
    const int level = 6 + static_cast<int>(12 * (1.0 + std::sin(i * 0.45)));
    for (int k = 0; k < level; k += 3) {
      const QColor colour =
          k < 18 ? QColor(60, 200, 120) : (k < 27 ? QColor(230, 210, 60) : QColor(230, 70, 60));
      p.fillRect(QRect(x, 36 - k, 6, 2), colour);
    }
  }
  return pixmap;
}
