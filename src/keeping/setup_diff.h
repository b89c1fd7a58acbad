#pragma once

#include <string>
#include <vector>

struct SetupDocument;

// The comparison of two setups: every value a setup file stores that differs between them.
class SetupDiff {
 public:
  struct Row {
    // Where the value lives: "peq/Front/L/3/gain", "geq/Rear/Common/12/gain",
    // "crossover/Front_Hi/R/lpf-slope", "output/7/delay", "profile/city", "other/aeq-mode" ...
    std::string path;
    // The two values as the files hold them: numbers in full (the shortest text that reads back
    // as the same number), texts with backslash, tab and line breaks escaped.
    std::string a;
    std::string b;
    // The same in the windows' language: "Parametric EQ, Front, L ch, band 3: gain 0 dB -> -3 dB".
    std::string text;

    friend bool operator==(const Row&, const Row&) = default;
  };

  // The differences from `a` to `b`, family by family (parametric EQ, graphic EQ, crossover,
  // outputs, the rest of the processor's data, the customer profile) in the files' order.
  // Crossover frequency codes are not listed: they follow the frequency.
  static std::vector<Row> Compare(const SetupDocument& a, const SetupDocument& b);

  // "PATH<TAB>A<TAB>B".
  static std::string TsvLine(const Row& row);
};
