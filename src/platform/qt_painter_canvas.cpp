#include "platform/qt_painter_canvas.h"
#include "platform/qt_text.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QString>
#include <cmath>

namespace {

// The page's logical top-left corner, which the device's origin shows.
constexpr int kPageOriginX = -200;
constexpr int kPageOriginY = 200;
// A printer's default font is a plain ten-point face.
constexpr double kPageDefaultPointSize = 10.0;
constexpr double kThinScreenPenPixels = 3.0;

QColor ToQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

}  // namespace

QtPainterCanvas::QtPainterCanvas(QPaintDevice& device, Units units) : device_(device), units_(units) {
  if (units_ == Units::PageTenthsOfMm) {
    scale_ = device_.logicalDpiX() / 254.0;
    scaleY_ = device_.logicalDpiY() / 254.0;
    font_ = QFont();
    font_.setPointSizeF(kPageDefaultPointSize);
  }
}

QtPainterCanvas::~QtPainterCanvas() { End(); }

bool QtPainterCanvas::Begin() { return Painter() != nullptr; }

void QtPainterCanvas::End() {
  if (painter_) {
    if (painter_->isActive()) painter_->end();
    painter_.reset();
  }
}

bool QtPainterCanvas::Active() const { return painter_ && painter_->isActive(); }

QPainter* QtPainterCanvas::Painter() {
  if (painter_) return painter_->isActive() ? painter_.get() : nullptr;
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(&device_)) return nullptr;
  ApplyPen();
  ApplyFont();
  return painter_.get();
}

QPointF QtPainterCanvas::Map(CanvasPoint p) const {
  if (units_ == Units::Pixels) return QPointF(p.x, p.y);
  return QPointF((p.x - kPageOriginX) * scale_, (kPageOriginY - p.y) * scaleY_);
}

void QtPainterCanvas::ApplyPen() {
  if (!painter_ || !painter_->isActive()) return;
  // Wide lines end round, as the system's pens always did. On a screen, lines of up to three
  // pixels look the same with square ends and bevelled corners, which draw several times faster
  // (a curve of 155 points has 154 corners).
  const double width = penWidth_ * scale_;
  const bool thin = units_ == Units::Pixels && width <= kThinScreenPenPixels;
  QPen pen(ToQColor(pen_), width, Qt::SolidLine, thin ? Qt::SquareCap : Qt::RoundCap,
           thin ? Qt::BevelJoin : Qt::RoundJoin);
  painter_->setPen(pen);
  painter_->setBrush(Qt::NoBrush);
}

void QtPainterCanvas::ApplyFont() {
  // A page keeps its text as typed: with ligatures a PDF's "Profile" would hold one glyph for
  // "fi", and a search for the word would fail.
  if (units_ == Units::PageTenthsOfMm) font_.setStyleStrategy(QFont::PreferNoShaping);
  if (painter_ && painter_->isActive()) painter_->setFont(font_);
}

void QtPainterCanvas::SetPen(Rgb colour, int width) {
  pen_ = colour;
  penWidth_ = width;
  ApplyPen();
}

void QtPainterCanvas::DrawLine(CanvasPoint from, CanvasPoint to) {
  if (QPainter* p = Painter()) p->drawLine(Map(from), Map(to));
}

void QtPainterCanvas::DrawPolyline(std::span<const CanvasPoint> points) {
  QPainter* p = Painter();
  if (p == nullptr || points.empty()) return;
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const CanvasPoint& pt : points) polygon.append(Map(pt));
  p->drawPolyline(polygon);
}

void QtPainterCanvas::FillRect(const CanvasRect& rect, Rgb colour) {
  QPainter* p = Painter();
  if (p == nullptr) return;
  const QRectF r = QRectF(Map({rect.left, rect.top}), Map({rect.right, rect.bottom})).normalized();
  p->fillRect(r, ToQColor(colour));
}

void QtPainterCanvas::DrawRect(const CanvasRect& rect) {
  QPainter* p = Painter();
  if (p == nullptr) return;
  p->drawRect(QRectF(Map({rect.left, rect.top}), Map({rect.right, rect.bottom})).normalized());
}

void QtPainterCanvas::SetFont(std::string_view family, int height) {
  font_ = QFont(QtText(family));
  font_.setStyleHint(QFont::SansSerif);
  font_.setPixelSize(std::max(1, static_cast<int>(std::lround(height * scaleY_))));
  ApplyFont();
}

void QtPainterCanvas::SetDefaultFont() {
  font_ = QFont();
  if (units_ == Units::PageTenthsOfMm) font_.setPointSizeF(kPageDefaultPointSize);
  ApplyFont();
}

void QtPainterCanvas::SetTextColours(Rgb text, Rgb background) {
  text_ = text;
  background_ = background;
}

void QtPainterCanvas::DrawText(CanvasPoint at, std::string_view text) {
  QPainter* p = Painter();
  if (p == nullptr) return;
  const QString s = QtText(text);
  const QFontMetricsF metrics = p->fontMetrics();
  const QPointF top = Map(at);
  // The position is the top-left of the text's cell, which is filled with the background.
  p->fillRect(QRectF(top.x(), top.y(), metrics.horizontalAdvance(s), metrics.height()),
              ToQColor(background_));
  p->save();
  p->setPen(ToQColor(text_));
  p->drawText(QPointF(top.x(), top.y() + metrics.ascent()), s);
  p->restore();
}

int QtPainterCanvas::LineHeight() {
  QPainter* p = Painter();
  const QFontMetricsF metrics = p != nullptr ? p->fontMetrics() : QFontMetricsF(font_, &device_);
  return static_cast<int>(std::lround((metrics.height() + metrics.leading()) / scaleY_));
}
