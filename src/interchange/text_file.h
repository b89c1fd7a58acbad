#pragma once

#include <string>

// Reads a whole text file (a filter set, a measurement, a house curve) of at most a few
// megabytes. False with a message naming the file when it cannot be read or is too large.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);
