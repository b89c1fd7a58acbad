#pragma once

#include <string>
#include <vector>

#include "graphics/canvas.h"

// Remembers every drawing call with the pen and font in force, so that tests can check exact
// coordinates and colours.
class RecordingCanvas : public Canvas {
 public:
  enum class Kind { Line, Polyline, Fill, Rect, Text };
  struct Op {
    Kind kind;
    std::vector<CanvasPoint> points;  // Line: two; Polyline: all; Text: one
    CanvasRect rect;                  // Fill, Rect
    Rgb colour;                       // pen colour, fill colour or text colour
    int width = 0;                    // pen width
    Rgb background;                   // text background
    std::string text;
    std::string family;  // font; empty for the device's default font
    int height = 0;
  };

  void SetPen(Rgb colour, int width) override {
    pen_ = colour;
    penWidth_ = width;
  }
  void DrawLine(CanvasPoint from, CanvasPoint to) override { Add(Kind::Line, {from, to}); }
  void DrawPolyline(std::span<const CanvasPoint> points) override {
    Add(Kind::Polyline, std::vector<CanvasPoint>(points.begin(), points.end()));
  }
  void FillRect(const CanvasRect& rect, Rgb colour) override {
    Op op{Kind::Fill, {}, rect, colour, 0, {}, {}, {}, 0};
    ops.push_back(op);
  }
  void DrawRect(const CanvasRect& rect) override {
    Op op{Kind::Rect, {}, rect, pen_, penWidth_, {}, {}, {}, 0};
    ops.push_back(op);
  }
  void SetFont(std::string_view family, int height) override {
    family_ = std::string(family);
    height_ = height;
  }
  void SetDefaultFont() override {
    family_.clear();
    height_ = 0;
  }
  void SetTextColours(Rgb text, Rgb background) override {
    text_ = text;
    background_ = background;
  }
  void DrawText(CanvasPoint at, std::string_view text) override {
    ops.push_back(Op{Kind::Text, {at}, {}, text_, 0, background_, std::string(text), family_, height_});
  }
  int LineHeight() override { return lineHeight; }

  std::vector<Op> Of(Kind kind) const {
    std::vector<Op> out;
    for (const Op& op : ops)
      if (op.kind == kind) out.push_back(op);
    return out;
  }
  const Op* FindText(std::string_view text) const {
    for (const Op& op : ops)
      if (op.kind == Kind::Text && op.text == text) return &op;
    return nullptr;
  }
  void Clear() { ops.clear(); }

  std::vector<Op> ops;
  int lineHeight = 40;

 private:
  void Add(Kind kind, std::vector<CanvasPoint> points) {
    ops.push_back(Op{kind, std::move(points), {}, pen_, penWidth_, {}, {}, {}, 0});
  }

  Rgb pen_;
  int penWidth_ = 1;
  std::string family_;
  int height_ = 0;
  Rgb text_;
  Rgb background_{255, 255, 255};
};
