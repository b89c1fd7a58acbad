#pragma once

#include <string>
#include <string_view>

// A setup's name as the keeping room's file names carry it.
namespace SetupName {

inline constexpr const char* kExtension = ".tvn";
inline constexpr std::size_t kMaxStemBytes = 100;

// The setup's file name without ".tvn" (in any letter case), fit for a part of a file name:
// control characters and "/" become "_", a long name is cut at a character boundary, and an
// empty one reads "Untitled".
std::string Stem(std::string_view title);

}  // namespace SetupName
