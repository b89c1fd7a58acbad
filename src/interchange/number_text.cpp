#include "interchange/number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace NumberText {

namespace {

template <typename T>
std::optional<T> Parse(std::string_view text) {
  if (text.empty() || text.size() > 64) return std::nullopt;
  std::string s(text);
  for (char& c : s) {
    if (c == ',') c = '.';
  }
  // from_chars takes no leading '+'.
  std::size_t start = s[0] == '+' ? 1 : 0;
  if (start == s.size()) return std::nullopt;
  T value{};
  const char* first = s.data() + start;
  const char* last = s.data() + s.size();
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::string Shortest(float value) {
  if (value == 0.0f) return "0";  // no "-0"
  std::array<char, 64> buffer{};
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  if (error != std::errc()) return "0";
  return std::string(buffer.data(), end);
}

std::optional<float> ParseFloat(std::string_view text) { return Parse<float>(text); }
std::optional<double> ParseDouble(std::string_view text) { return Parse<double>(text); }

}  // namespace NumberText
