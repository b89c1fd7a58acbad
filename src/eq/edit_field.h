#pragma once

#include <optional>
#include <string>
#include <string_view>

class Dialogs;

// The edit boxes' standard validation: a text that is no number is refused with "Please enter
// an integer." or "Please enter a number." and leaves the stored value as it was; a number out
// of range is reported with the range and then clamped into it.
std::optional<int> ReadIntegerField(std::string_view text, int min, int max, Dialogs& dialogs);
std::optional<double> ReadNumberField(std::string_view text, double min, double max, Dialogs& dialogs);
// A field stored as a float is compared as one: "0.2" is the limit 0.2f, not below it.
std::optional<float> ReadNumberField(std::string_view text, float min, float max, Dialogs& dialogs);

// How an edit box shows a real number: up to six significant digits, no trailing zeros.
std::string FieldText(double value);

inline constexpr std::string_view kEnterInteger = "Please enter an integer.";
inline constexpr std::string_view kEnterIntegerBetween = "Please enter an integer between %1 and %2.";
inline constexpr std::string_view kEnterNumber = "Please enter a number.";
inline constexpr std::string_view kEnterNumberBetween = "Please enter a number between %1 and %2.";
