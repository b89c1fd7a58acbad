#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A filter set as measurement and equalizer programs write it: the "Filter Settings file" of a
// room measurement program and the text of the system-wide PC equalizers, line by line:
//   Filter  1: ON  PK       Fc   209 Hz  Gain  -3.9 dB  Q  3.943
//   Filter: ON PEQ Fc 2000 Hz Gain 3 dB BW Oct 0.5
//   Preamp: -6.2 dB
//   Channel: L R
// Any run of blanks separates the words; numbers may have a decimal comma.

// One "Filter" line as written; what it means for a set is FilterImport's business.
struct FilterLine {
  int lineNumber = 0;
  int filterNumber = 0;  // 0 when the line names none ("Filter:")
  bool on = false;
  std::string type;  // as written: "PK", "PEQ", "LS 6dB", "None", ...
  std::optional<float> frequency;
  std::optional<float> gain;
  std::optional<float> q;
  std::optional<double> bandwidthOctaves;  // "BW Oct N"

  // "filter 3" when the line numbers its filter, else "the filter on line 7".
  std::string Name() const;
};

// The lines after one "Channel:" line, up to the next.
struct FilterSection {
  int lineNumber = 0;
  std::string name;                   // the text after "Channel:", e.g. "L R"
  std::vector<std::string> channels;  // its words: "L", "R"; "all" for every channel
  std::vector<FilterLine> filters;
};

struct FilterText {
  std::vector<FilterLine> leading;  // before any "Channel:" line: they apply to every channel
  std::vector<FilterSection> sections;
  std::optional<float> preamp;  // dB
  std::vector<int> graphicEqLines;

  int FilterLineCount() const;
  // The channel names a choice can give: every section's channels but "all", each once.
  std::vector<std::string> Channels() const;
  // The filters one channel gets: the leading ones, then those of every section that names the
  // channel (or "all"), in file order. Names compare without regard to case.
  std::vector<FilterLine> FiltersFor(std::string_view channel) const;
  // Every filter, for a file without sections.
  std::vector<FilterLine> AllFilters() const;
};

// The Q of a peaking filter `octaves` wide ("BW Oct N"): sqrt(2^N) / (2^N - 1).
double QFromBandwidthOctaves(double octaves);

struct FilterTextReading {
  std::optional<FilterText> text;
  std::string error;  // names the line that could not be read
};

// Reads the filter lines of `text`. Lines that are neither filters, "Preamp:", "Channel:" nor
// "GraphicEQ:" (headers, notes, comments) are passed over. A "Filter" line whose numbers cannot
// be read fails the whole reading.
FilterTextReading ReadFilterText(std::string_view text);
