#include "interchange/filter_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "interchange/number_text.h"
#include "interchange/text_lines.h"

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitWords(std::string_view s) { return SplitFields(s, IsBlank); }

bool StartsWithWord(std::string_view line, std::string_view keyword) {
  return line.size() >= keyword.size() && Lower(line.substr(0, keyword.size())) == keyword;
}

// The head of a filter line before its colon: "Filter", "Filter 1", "Filter  12".
bool ReadFilterHead(std::string_view head, int& number) {
  head = Trim(head);
  if (!StartsWithWord(head, "filter")) return false;
  const std::string_view digits = Trim(head.substr(6));
  number = 0;
  if (digits.empty()) return true;
  if (digits.size() > 4) return false;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
  }
  return true;
}

// A value word, with its unit written on to it or not ("2000Hz", "-3dB").
std::optional<float> ValueWord(std::string_view word, std::string_view unit) {
  if (word.size() > unit.size() && Lower(word.substr(word.size() - unit.size())) == unit)
    word.remove_suffix(unit.size());
  return NumberText::ParseFloat(word);
}

bool IsKey(const std::string& w) { return w == "fc" || w == "gain" || w == "q" || w == "bw"; }

std::string FilterLineError(int line, std::string_view what) {
  return "line " + std::to_string(line) + ": " + std::string(what);
}

// The words after the colon of a filter line.
bool ReadFilterWords(const std::vector<std::string_view>& words, FilterLine& filter, std::string& problem) {
  if (words.empty()) {
    problem = "the filter says neither ON nor OFF";
    return false;
  }
  const std::string state = Lower(words[0]);
  if (state != "on" && state != "off") {
    problem = "the filter says neither ON nor OFF";
    return false;
  }
  filter.on = state == "on";
  std::size_t i = 1;
  while (i < words.size() && !IsKey(Lower(words[i]))) {
    if (!filter.type.empty()) filter.type += ' ';
    filter.type += words[i];
    ++i;
  }
  auto number = [&](std::string_view name, std::string_view unit) -> std::optional<float> {
    if (i + 1 >= words.size()) {
      problem = "no number after " + std::string(name);
      return std::nullopt;
    }
    const std::optional<float> v = ValueWord(words[i + 1], unit);
    if (!v) problem = "\"" + std::string(words[i + 1]) + "\" after " + std::string(name) + " is not a number";
    i += 2;
    if (v && !unit.empty() && i < words.size() && Lower(words[i]) == unit) ++i;
    return v;
  };
  while (i < words.size()) {
    const std::string key = Lower(words[i]);
    if (key == "fc") {
      if (!(filter.frequency = number("Fc", "hz"))) return false;
    } else if (key == "gain") {
      if (!(filter.gain = number("Gain", "db"))) return false;
    } else if (key == "q") {
      if (!(filter.q = number("Q", ""))) return false;
    } else if (key == "bw" && i + 1 < words.size() && Lower(words[i + 1]) == "oct") {
      ++i;
      const std::optional<float> n = number("BW Oct", "");
      if (!n) return false;
      filter.bandwidthOctaves = static_cast<double>(*n);
    } else {
      ++i;  // words the set has no use for
    }
  }
  return true;
}

}  // namespace

double QFromBandwidthOctaves(double octaves) {
  const double p = std::pow(2.0, octaves);
  return std::sqrt(p) / (p - 1.0);
}

std::string FilterLine::Name() const {
  if (filterNumber > 0) return "filter " + std::to_string(filterNumber);
  return "the filter on line " + std::to_string(lineNumber);
}

int FilterText::FilterLineCount() const {
  std::size_t n = leading.size();
  for (const FilterSection& s : sections) n += s.filters.size();
  return static_cast<int>(n);
}

std::vector<std::string> FilterText::Channels() const {
  std::vector<std::string> names;
  for (const FilterSection& s : sections) {
    for (const std::string& c : s.channels) {
      const std::string key = Lower(c);
      if (key == "all") continue;
      if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return Lower(n) == key; }))
        names.push_back(c);
    }
  }
  return names;
}

std::vector<FilterLine> FilterText::FiltersFor(std::string_view channel) const {
  const std::string wanted = Lower(channel);
  std::vector<FilterLine> filters = leading;
  for (const FilterSection& s : sections) {
    const bool named = std::any_of(s.channels.begin(), s.channels.end(), [&](const std::string& c) {
      const std::string key = Lower(c);
      return key == wanted || key == "all";
    });
    if (named) filters.insert(filters.end(), s.filters.begin(), s.filters.end());
  }
  return filters;
}

std::vector<FilterLine> FilterText::AllFilters() const {
  std::vector<FilterLine> filters = leading;
  for (const FilterSection& s : sections) filters.insert(filters.end(), s.filters.begin(), s.filters.end());
  return filters;
}

FilterTextReading ReadFilterText(std::string_view text) {
  FilterTextReading reading;
  FilterText result;
  TextLines lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    const int lineNumber = lines.Number();
    const std::size_t colon = line.find(':');
    if (line.empty() || line[0] == '#' || colon == std::string_view::npos) continue;
    const std::string_view head = line.substr(0, colon);
    const std::string_view rest = line.substr(colon + 1);

    int filterNumber = 0;
    if (ReadFilterHead(head, filterNumber)) {
      FilterLine filter;
      filter.lineNumber = lineNumber;
      filter.filterNumber = filterNumber;
      std::string problem;
      if (!ReadFilterWords(SplitWords(rest), filter, problem)) {
        reading.error = FilterLineError(lineNumber, problem);
        return reading;
      }
      (result.sections.empty() ? result.leading : result.sections.back().filters).push_back(filter);
    } else if (Lower(Trim(head)) == "preamp") {
      const std::vector<std::string_view> words = SplitWords(rest);
      const std::optional<float> v = words.empty() ? std::nullopt : ValueWord(words[0], "db");
      if (!v) {
        reading.error = FilterLineError(lineNumber, "the preamp is not a number");
        return reading;
      }
      result.preamp = v;
    } else if (Lower(Trim(head)) == "channel") {
      FilterSection section;
      section.lineNumber = lineNumber;
      section.name = std::string(Trim(rest));
      for (std::string_view w : SplitWords(rest)) section.channels.emplace_back(w);
      result.sections.push_back(std::move(section));
    } else if (Lower(Trim(head)) == "graphiceq") {
      result.graphicEqLines.push_back(lineNumber);
    }
  }
  reading.text = std::move(result);
  return reading;
}
