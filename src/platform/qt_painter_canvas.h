#pragma once

#include <QFont>
#include <QPointF>
#include <memory>

#include "graphics/canvas.h"

class QPainter;
class QPaintDevice;

// The Canvas on a QPainter: on a widget (inside its paint event), on an image, on a printer page
// or on a PDF page. Painting starts with the first drawing call and may be ended at any time
// (an image must be ended before it is shown); the next call starts again with the same pen,
// font and text colours.
class QtPainterCanvas : public Canvas {
 public:
  enum class Units {
    Pixels,  // device pixels, y growing downward
    // 0.1 mm with y growing upward; the point (-200, 200) lies at the device's origin, which is
    // the top-left corner of a printer's printable area or of a PDF page's margins.
    PageTenthsOfMm,
  };

  explicit QtPainterCanvas(QPaintDevice& device, Units units = Units::Pixels);
  ~QtPainterCanvas() override;
  QtPainterCanvas(const QtPainterCanvas&) = delete;
  QtPainterCanvas& operator=(const QtPainterCanvas&) = delete;

  // Starts painting now; false when the device cannot be painted on.
  bool Begin();
  void End();
  bool Active() const;

  void SetPen(Rgb colour, int width) override;
  void DrawLine(CanvasPoint from, CanvasPoint to) override;
  void DrawPolyline(std::span<const CanvasPoint> points) override;
  void FillRect(const CanvasRect& rect, Rgb colour) override;
  void DrawRect(const CanvasRect& rect) override;
  void SetFont(std::string_view family, int height) override;
  void SetDefaultFont() override;
  void SetTextColours(Rgb text, Rgb background) override;
  void DrawText(CanvasPoint at, std::string_view text) override;
  int LineHeight() override;

  // Device pixels per canvas unit.
  double Scale() const { return scale_; }

 private:
  QPointF Map(CanvasPoint p) const;
  void ApplyPen();
  void ApplyFont();
  QPainter* Painter();

  QPaintDevice& device_;
  Units units_;
  double scale_ = 1.0;   // page units to device pixels, across
  double scaleY_ = 1.0;  // and down (a printer may resolve the two differently)
  std::unique_ptr<QPainter> painter_;
  Rgb pen_;
  int penWidth_ = 1;
  QFont font_;
  Rgb text_{0, 0, 0};
  Rgb background_{255, 255, 255};
};
