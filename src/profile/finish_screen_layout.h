#pragma once

#include <string>
#include <vector>

#include "graphics/canvas.h"

// Where the closing screen "FINISH " puts its pieces, in pixels of the screen's client area: a
// black title strip with the logo, and a black body below it with the closing words.
struct FinishScreenLayout {
  struct Line {
    CanvasPoint at;  // top-left of the text, in the screen's coordinates
    std::string text;

    friend bool operator==(const Line&, const Line&) = default;
  };

  CanvasRect strip;
  // The logo: three fifths of the strip's width and its full height, from 5/24 of the width and
  // 1/15 of the height.
  CanvasRect logo;
  CanvasRect body;
  // Character height of the closing words: two thirds of the strip's height.
  int textHeight = 0;
  Rgb textColour{255, 255, 153};
  // In the U.S.A the request to send the data in by e-mail, then always "THANK YOU !!".
  std::vector<Line> lines;

  // For a client area of `width` x `height` pixels whose top `stripHeight` pixels are the strip.
  static FinishScreenLayout For(int width, int height, int stripHeight, bool countryIsUsa);
};
