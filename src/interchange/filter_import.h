#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/setup_document.h"
#include "interchange/equalizer_set_edit.h"
#include "interchange/filter_text.h"

// The outcome of reading a filter set into one parametric set: the edit that replaces the set,
// or the reason it was refused (then nothing is to change), and the notes on what was passed
// over or limited on the way.
struct FilterImport {
  std::optional<EqualizerSetEdit> edit;
  std::string refusal;
  std::vector<std::string> notes;
};

// Reads the peaking filters of `text` into the parametric set of `group` and `side` of `doc`:
// they take bands 1..n in file order; the set's other bands get 0 dB and keep their frequency
// and Q; gains are rounded to whole dB and every value is limited to the group's ranges.
// `channel` picks the section of a file that has "Channel:" sections. Refused: a file without
// filter lines, sections and no (or an unknown) channel, more active filters than the group has
// bands, a SubWoofer filter above 200 Hz, a curve over 12 dB.
FilterImport ImportFilters(const FilterText& text, std::string_view channel, const SetupDocument& doc,
                           EqGroup group, EqSide side);

// The texts of the refusals and notes that the program and the command line show.
inline constexpr std::string_view kNoFilterLineText = "The file holds no filter line.";
// The undo step of an import.
inline constexpr const char* kImportFiltersStepText = "Import Filters";
