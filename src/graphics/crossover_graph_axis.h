#pragma once

#include <array>

#include "graphics/graph_scale.h"

// The crossover graph's coordinates: a log-frequency axis from 20 Hz to 20 kHz and a linear dB
// axis with 0 dB near the top and a floor about 12 dB below it. The screen graph derives every
// size from the graph area through GraphScale; the printed report uses the same geometry on the
// unscaled logical frame (one unit = 0.2 mm, so the report doubles x and doubles and negates y).
class CrossoverGraphAxis {
 public:
  static constexpr double kLowestFrequency = 20.0;
  static constexpr double kHighestFrequency = 20000.0;
  // Horizontal pixels that stand for one octave in a slope's gradient on screen.
  static constexpr int kScreenGradientRun = 60;
  static constexpr int kPrintGradientRun = 66;

  // The screen graph for a graph area of scale.width x scale.height pixels.
  explicit CrossoverGraphAxis(const GraphScale& scale);
  // A graph area of width x height pixels.
  CrossoverGraphAxis(int width, int height);
  // The printed report's graph, in logical units.
  static CrossoverGraphAxis ForPrint();

  // Octaves above 20 Hz, one octave taken as 0.301 decades.
  static double Octaves(double frequency);

  int PixelsPerOctave() const { return pixelsPerOctave_; }
  int LeftEdge() const { return leftEdge_; }  // x of 20 Hz
  int ZeroDbY() const { return zeroDbY_; }
  int PixelsPerDb() const { return pixelsPerDb_; }
  int FloorDepth() const { return floorDepth_; }  // how far below 0 dB a curve may go
  int GradientRun() const { return gradientRun_; }
  int Top() const { return top_; }  // frame and vertical grid lines
  int Bottom() const { return bottom_; }

  int X(double frequency) const;
  int RightEdge() const { return X(kHighestFrequency); }
  // The level line of a level in dB (0..-12): attenuation moves it down.
  int LevelY(int level) const { return zeroDbY_ - level * pixelsPerDb_; }
  int DbY(int db) const { return LevelY(db); }
  // Pixels a slope of `slope` dB/oct falls per horizontal pixel.
  double Gradient(double slope) const;

 private:
  CrossoverGraphAxis(int pixelsPerOctave, int leftEdge, int zeroDbY, int pixelsPerDb, int floorDepth,
                     int gradientRun, int top, int bottom);

  int pixelsPerOctave_;
  int leftEdge_;
  int zeroDbY_;
  int pixelsPerDb_;
  int floorDepth_;
  int gradientRun_;
  int top_;
  int bottom_;
};

// Grey grid lines: 20..90 Hz, 200..900 Hz and 2000..9000 Hz.
inline constexpr std::array<double, 24> kCrossoverMinorGridFrequencies = {
    20.0,  30.0,  40.0,  50.0,  60.0,   70.0,   80.0,   90.0,   200.0,  300.0,  400.0,  500.0,
    600.0, 700.0, 800.0, 900.0, 2000.0, 3000.0, 4000.0, 5000.0, 6000.0, 7000.0, 8000.0, 9000.0};
// White grid lines at the decades.
inline constexpr std::array<double, 3> kCrossoverDecadeGridFrequencies = {100.0, 1000.0, 10000.0};
