#include "app/finish_screen.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "app/artwork_text.h"
#include "app/brand_artwork.h"

namespace {

// The screen's size in dialog units, and pixels per unit.
constexpr int kUnitsWide = 246;
constexpr int kUnitsHigh = 100;
constexpr int kStripUnits = 23;
constexpr double kPixelsPerUnit = 1.75;

// Text at `at` (its top left) in the given height, narrowed to `maxWidth` when it is longer.
void DrawLine(QPainter& p, const QString& text, QPoint at, int height, int maxWidth) {
  const QFont font = ArtworkText::ScreenFont(height);
  const int natural = QFontMetrics(font).horizontalAdvance(text);
  p.save();
  p.setFont(font);
  p.translate(at);
  if (natural > maxWidth && natural > 0) p.scale(static_cast<double>(maxWidth) / natural, 1.0);
  p.drawText(QRect(0, 0, std::max(natural, maxWidth) + 8, height * 2), Qt::AlignLeft | Qt::AlignTop, text);
  p.restore();
}

}  // namespace

FinishScreen::FinishScreen(bool countryIsUsa, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      countryIsUsa_(countryIsUsa),
      logo_(BrandArtwork::Logo()) {
  setWindowTitle(QStringLiteral("FINISH "));
  setObjectName(QStringLiteral("FINISH "));
  setFixedSize(static_cast<int>(kUnitsWide * kPixelsPerUnit), static_cast<int>(kUnitsHigh * kPixelsPerUnit));
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &QDialog::accept);
}

void FinishScreen::Run() {
  timer_.start(kShowMs);
  exec();
  timer_.stop();
}

void FinishScreen::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.fillRect(rect(), Qt::black);
  const int stripH = static_cast<int>(kStripUnits * kPixelsPerUnit);
  const int sw = width();
  p.drawPixmap(QRect(sw * 5 / 24, stripH / 15, sw * 3 / 5, stripH), logo_);

  // The body below the strip.
  const int top = stripH + stripH / 15;
  const int w = width();
  const int h = height() - top;
  const int textH = stripH * 2 / 3;
  p.setPen(QColor(255, 255, 153));
  if (countryIsUsa_) {
    DrawLine(p, QStringLiteral("Please send this data to"), QPoint(w / 12, top), textH, w - w / 12 - 8);
    DrawLine(p, QStringLiteral("by E-mail: %1").arg(QLatin1String(kSupportAddress)),
             QPoint(w / 30, top + h / 4), textH, w - w / 15);
  }
  DrawLine(p, QStringLiteral("THANK YOU !!"), QPoint(w / 6, top + 3 * h / 4), textH, w - w / 6 - 8);
}

void FinishScreen::mousePressEvent(QMouseEvent* event) {
  event->accept();
  accept();
}
