#include "interchange/filter_text_writer.h"

#include "eq/equalizer_settings.h"
#include "interchange/number_text.h"

namespace {

std::string FilterLineText(const char* pattern, int number, const FilterParams& band) {
  std::string out = pattern;
  auto put = [&](std::string_view key, const std::string& value) {
    out.replace(out.find(key), key.size(), value);
  };
  const std::string n = std::to_string(number);
  put("{n}", n);
  put("{fc}", NumberText::Shortest(band.frequency));
  put("{gain}", NumberText::Shortest(band.gain));
  put("{q}", NumberText::Shortest(band.q));
  return out + "\n";
}

}  // namespace

bool ParseFilterTextFormat(std::string_view name, FilterTextFormat& format) {
  if (name == "apo") {
    format = FilterTextFormat::Apo;
    return true;
  }
  if (name == "rew") {
    format = FilterTextFormat::Rew;
    return true;
  }
  return false;
}

std::string WriteFilterText(const PeqBandSet& set, EqGroup group, EqSide side, FilterTextFormat format) {
  std::string out;
  const char* pattern = "Filter {n}: ON PK Fc {fc} Hz Gain {gain} dB Q {q}";
  if (format == FilterTextFormat::Rew) {
    out += "Filter Settings file\n\n";
    out += "Notes: KRV5200 parametric equalizer, " + std::string(kEqGroupListTexts[Index(group)]) + ", " +
           std::string(kEqSideTexts[Index(side)]) + "\n\n";
    out += "Equaliser: Generic\n";
    pattern = "Filter {n}: ON  PK       Fc {fc} Hz  Gain {gain} dB  Q {q}";
  }
  for (int b = 0; b < PeqBandsInUse(group); ++b) {
    std::string line = FilterLineText(pattern, b + 1, set[static_cast<std::size_t>(b)]);
    // The measurement program lines its numbers up: "Filter  1:" .. "Filter 10:".
    if (format == FilterTextFormat::Rew && b + 1 < 10) line.insert(6, " ");
    out += line;
  }
  return out;
}
