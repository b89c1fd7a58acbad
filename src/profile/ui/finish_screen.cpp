#include "profile/ui/finish_screen.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "artwork/artwork_text.h"
#include "artwork/brand_artwork.h"

namespace {

// The screen's size in dialog units, and pixels per unit.
constexpr int kFinishUnitsWide = 246;
constexpr int kFinishUnitsHigh = 100;
constexpr int kStripUnits = 23;
constexpr double kPixelsPerUnit = 1.75;

QRect ToQRect(const CanvasRect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

// Text at `at` (its top left) in the given height; a face wider than the screen's own is
// narrowed so that the line still ends inside the screen.
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

FinishScreen::FinishScreen(bool countryIsUsa, int showMs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      countryIsUsa_(countryIsUsa),
      showMs_(showMs),
      logo_(BrandArtwork::Logo()) {
  setWindowTitle(QStringLiteral("FINISH "));
  setObjectName(QStringLiteral("FINISH "));
  setAccessibleName(QStringLiteral("FINISH "));
  setFixedSize(static_cast<int>(kFinishUnitsWide * kPixelsPerUnit),
               static_cast<int>(kFinishUnitsHigh * kPixelsPerUnit));
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &QDialog::accept);
}

FinishScreenLayout FinishScreen::Layout() const {
  return FinishScreenLayout::For(width(), height(), static_cast<int>(kStripUnits * kPixelsPerUnit),
                                 countryIsUsa_);
}

void FinishScreen::Run() {
  timer_.start(showMs_);
  exec();
  timer_.stop();
}

void FinishScreen::paintEvent(QPaintEvent*) {
  const FinishScreenLayout layout = Layout();
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.fillRect(ToQRect(layout.strip), Qt::black);
  p.fillRect(ToQRect(layout.body), Qt::black);
  p.drawPixmap(ToQRect(layout.logo), logo_);
  const Rgb c = layout.textColour;
  p.setPen(QColor(c.red, c.green, c.blue));
  for (const FinishScreenLayout::Line& line : layout.lines) {
    DrawLine(p, QString::fromStdString(line.text), QPoint(line.at.x, line.at.y), layout.textHeight,
             width() - line.at.x - 4);
  }
}

void FinishScreen::mousePressEvent(QMouseEvent* event) {
  event->accept();
  accept();
}
