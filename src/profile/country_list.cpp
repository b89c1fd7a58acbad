#include "profile/country_list.h"

#include <cctype>

#include "profile/profile_texts.h"

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

int CountryIndexOf(std::string_view text) {
  const std::string_view t = Trimmed(text);
  for (std::size_t i = 0; i < kCountryNames.size(); ++i) {
    if (SameLetters(t, kCountryNames[i])) return static_cast<int>(i);
  }
  return -1;
}

std::string CountryText(int index) {
  if (index < 0 || index >= static_cast<int>(kCountryNames.size())) return {};
  return std::string(kCountryNames[static_cast<std::size_t>(index)]);
}
