#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers in the text files the tool exchanges with measurement and equalizer programs.
namespace NumberText {

// A float printed in the shortest plain decimal form that reads back as the same float
// ("31.25", "-3", "0.70710677"); never in exponent form, which other programs may not read.
std::string Shortest(float value);

// The whole of `text` as a number, with a decimal comma taken as a point ("50,0"); nothing for
// anything else (empty text, letters, a second sign, "inf", "nan"). An exponent ("2.0e+01") is
// read as well.
std::optional<float> ParseFloat(std::string_view text);
std::optional<double> ParseDouble(std::string_view text);

}  // namespace NumberText
