#include "eq/edit_field.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "common/dialogs.h"
#include "common/text_fill.h"

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string FieldText(double value) {
  // to_chars, not printf: the program's locale must not turn the decimal point into a comma.
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  return std::string(text, result.ptr);
}

std::optional<int> ReadIntegerField(std::string_view text, int min, int max, Dialogs& dialogs) {
  std::string_view t = Trimmed(text);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  long long value = 0;
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
  const bool tooLarge = error == std::errc::result_out_of_range;
  if (t.empty() || end != t.data() + t.size() || (error != std::errc() && !tooLarge)) {
    dialogs.ShowMessage(kEnterInteger, MessageIcon::Exclamation);
    return std::nullopt;
  }
  if (tooLarge)
    value = t.front() == '-' ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
  if (value < min || value > max) {
    dialogs.ShowMessage(FillPlaceholders(kEnterIntegerBetween, std::to_string(min), std::to_string(max)),
                        MessageIcon::Exclamation);
    return value < min ? min : max;
  }
  return static_cast<int>(value);
}

namespace {

// The typed number, or none after "Please enter a number.".
std::optional<double> ParseNumberField(std::string_view text, Dialogs& dialogs) {
  std::string_view t = Trimmed(text);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
  const bool tooLarge = error == std::errc::result_out_of_range;
  // Infinities and NaN spelt out are not numbers an installer types; refuse them like words.
  if (t.empty() || end != t.data() + t.size() || (error != std::errc() && !tooLarge) ||
      (!tooLarge && !std::isfinite(value))) {
    dialogs.ShowMessage(kEnterNumber, MessageIcon::Exclamation);
    return std::nullopt;
  }
  if (tooLarge) value = std::strtod(std::string(t).c_str(), nullptr);  // huge or tiny, with its sign
  return value;
}

}  // namespace

std::optional<double> ReadNumberField(std::string_view text, double min, double max, Dialogs& dialogs) {
  const auto value = ParseNumberField(text, dialogs);
  if (!value) return std::nullopt;
  if (*value < min || *value > max) {
    dialogs.ShowMessage(FillPlaceholders(kEnterNumberBetween, FieldText(min), FieldText(max)),
                        MessageIcon::Exclamation);
    return *value < min ? min : max;
  }
  return value;
}

std::optional<float> ReadNumberField(std::string_view text, float min, float max, Dialogs& dialogs) {
  const auto value = ParseNumberField(text, dialogs);
  if (!value) return std::nullopt;
  constexpr double kFloatMax = std::numeric_limits<float>::max();
  const float f = *value > kFloatMax    ? std::numeric_limits<float>::infinity()
                  : *value < -kFloatMax ? -std::numeric_limits<float>::infinity()
                                        : static_cast<float>(*value);
  if (f < min || f > max) {
    dialogs.ShowMessage(FillPlaceholders(kEnterNumberBetween, FieldText(min), FieldText(max)),
                        MessageIcon::Exclamation);
    return f < min ? min : max;
  }
  return f;
}
