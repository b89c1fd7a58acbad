#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// The lines of an exchanged text file one at a time, numbered from 1: without a leading UTF-8
// byte order mark, and without the blanks, tabs and carriage returns around them.
class TextLines {
 public:
  explicit TextLines(std::string_view text);

  // The next line; false after the last.
  bool Next(std::string_view& line);
  // The number of the line Next gave last.
  int Number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int number_ = 0;
};

// The runs of `line` between separators (the characters `separates` is true for).
template <typename Separates>
std::vector<std::string_view> SplitFields(std::string_view line, Separates separates) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && separates(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !separates(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}
