#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// A colour as red, green and blue.
struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct CanvasPoint {
  int x = 0;
  int y = 0;

  friend bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

// The cells from (left, top) up to but not including (right, bottom), as a filled rectangle
// covers them. On a page with y growing upward "top" is the larger y.
struct CanvasRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  friend bool operator==(const CanvasRect&, const CanvasRect&) = default;
};

// Where graphs and reports draw: screen pixels with y growing downward, or a printed page in
// 0.1 mm with y growing upward. Coordinates are the canvas's own units throughout, pen widths
// and font heights included.
class Canvas {
 public:
  virtual ~Canvas() = default;

  // The pen for lines and polylines.
  virtual void SetPen(Rgb colour, int width) = 0;
  virtual void DrawLine(CanvasPoint from, CanvasPoint to) = 0;
  virtual void DrawPolyline(std::span<const CanvasPoint> points) = 0;
  // Fills the rectangle's cells without an outline.
  virtual void FillRect(const CanvasRect& rect, Rgb colour) = 0;
  // The outline of the rectangle with the current pen.
  virtual void DrawRect(const CanvasRect& rect) = 0;

  // Text uses a named font of a character height in canvas units, or the device's own default
  // font (a printer's default font for reports).
  virtual void SetFont(std::string_view family, int height) = 0;
  virtual void SetDefaultFont() = 0;
  // Text is drawn in `text` on an opaque cell of `background`.
  virtual void SetTextColours(Rgb text, Rgb background) = 0;
  // `at` is the top-left corner of the text's cell.
  virtual void DrawText(CanvasPoint at, std::string_view text) = 0;
  // The current font's character height plus its external leading.
  virtual int LineHeight() = 0;
};

// A canvas that draws nothing: where drawing goes while no window or page is there to take it.
class NullCanvas : public Canvas {
 public:
  void SetPen(Rgb, int) override {}
  void DrawLine(CanvasPoint, CanvasPoint) override {}
  void DrawPolyline(std::span<const CanvasPoint>) override {}
  void FillRect(const CanvasRect&, Rgb) override {}
  void DrawRect(const CanvasRect&) override {}
  void SetFont(std::string_view, int) override {}
  void SetDefaultFont() override {}
  void SetTextColours(Rgb, Rgb) override {}
  void DrawText(CanvasPoint, std::string_view) override {}
  int LineHeight() override { return 0; }
};
