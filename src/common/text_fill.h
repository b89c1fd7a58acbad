#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text with its first "%1" replaced by `first` and its first "%2" by `second`. The result is
// put together piece by piece: GCC 12 warns falsely (-Wrestrict) about a replace in place in an
// optimised build.
inline std::string FillPlaceholders(std::string_view text, std::string_view first,
                                    std::string_view second = {}) {
  std::string out;
  out.reserve(text.size() + first.size() + second.size());
  bool firstDone = false;
  bool secondDone = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (text[i] == '%' && next == '1' && !firstDone) {
      out += first;
      firstDone = true;
      ++i;
    } else if (text[i] == '%' && next == '2' && !secondDone) {
      out += second;
      secondDone = true;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}
