#include "interchange/measurement_file.h"

#include <cmath>

#include "interchange/number_text.h"
#include "interchange/text_lines.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\r' || c == '\f' || c == '\v'; }

// The fields of one row. Tabs and semicolons always separate and make commas decimal; so do
// blanks between numbers written with decimal commas ("20,5 75,3"). Otherwise commas separate.
std::vector<std::string_view> RowFields(std::string_view row) {
  const bool strong = row.find_first_of(";\t") != std::string_view::npos;
  bool commaSeparates = false;
  if (!strong && row.find(',') != std::string_view::npos) {
    commaSeparates = true;
    if (row.find(' ') != std::string_view::npos) {
      // "20.0, 75.3" separates with commas; "20,5 75,3" has decimal commas between blanks.
      commaSeparates = row.find(", ") != std::string_view::npos || row.find(" ,") != std::string_view::npos ||
                       row.find('.') != std::string_view::npos;
    }
  }
  return SplitFields(
      row, [&](char c) { return IsSpace(c) || c == '\t' || c == ';' || (commaSeparates && c == ','); });
}

std::string RowError(int line, const std::string& what) {
  return "line " + std::to_string(line) + ": " + what;
}

}  // namespace

MeasurementReading ReadMeasurement(std::string_view text, std::size_t minimumRows) {
  MeasurementReading reading;
  Measurement m;
  TextLines lines(text);
  std::string_view row;
  while (lines.Next(row)) {
    const int lineNumber = lines.Number();
    if (row.empty() || row.front() == '*') continue;
    const std::vector<std::string_view> fields = RowFields(row);
    std::optional<double> frequency;
    std::optional<double> level;
    if (fields.size() >= 2 && fields.size() <= 3) {
      frequency = NumberText::ParseDouble(fields[0]);
      level = NumberText::ParseDouble(fields[1]);
      if (fields.size() == 3 && !NumberText::ParseDouble(fields[2])) level.reset();
    }
    if (!frequency || !level) {
      reading.error = RowError(lineNumber, "\"" + std::string(row.substr(0, 60)) +
                                               "\" is not a row of frequency, level in dB and phase");
      return reading;
    }
    if (!(*frequency > 0.0)) {
      reading.error = RowError(lineNumber, "the frequency must be above 0 Hz");
      return reading;
    }
    if (!m.frequency.empty() && !(*frequency > m.frequency.back())) {
      reading.error = RowError(
          lineNumber, "the frequency " + std::string(fields[0]) + " Hz does not rise above the row before");
      return reading;
    }
    m.frequency.push_back(*frequency);
    m.level.push_back(*level);
  }
  if (m.Size() < minimumRows) {
    reading.error = "The file has " + std::to_string(m.Size()) + " rows of frequency and level; at least " +
                    std::to_string(minimumRows) + " are needed.";
    return reading;
  }
  reading.measurement = std::move(m);
  return reading;
}
