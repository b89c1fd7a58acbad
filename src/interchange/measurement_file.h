#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A frequency response: level in dB at rising frequencies.
struct Measurement {
  std::vector<double> frequency;  // Hz, rising
  std::vector<double> level;      // dB

  std::size_t Size() const { return frequency.size(); }
};

struct MeasurementReading {
  std::optional<Measurement> measurement;
  std::string error;  // names the line that could not be read
};

// The rows a measurement needs; a house curve may have fewer.
inline constexpr std::size_t kMeasurementMinimumRows = 10;

// Reads a measurement program's text export or an FRD file: lines starting with "*" and blank
// lines are comments; each other line is a frequency, a level in dB and optionally a phase,
// separated by commas, tabs, blanks or semicolons, with decimal commas where commas do not
// separate. Fewer than `minimumRows` rows, a frequency that does not rise or a row that cannot
// be read: an error naming the line, and no measurement.
MeasurementReading ReadMeasurement(std::string_view text, std::size_t minimumRows = kMeasurementMinimumRows);
