#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/function_switch.h"
#include "crossover/crossover_update.h"
#include "document/setup_document.h"

// The parts of a setup a step of the undo history can put back. Each names the document fields
// that go back together; the automatic-EQ state the processor holds (the active flag, the
// parameters-saved toggle) and the applied peak boost, which follows the switches, are no part.
enum class SetupPart : unsigned {
  Parametric = 1u << 0,      // bands, curve peaks and peak boost
  Graphic = 1u << 1,         // gains, curve peaks and peak boost
  Crossover = 1u << 2,       // every crossover set
  TimeCorrection = 1u << 3,  // delays and phases
  Speakers = 1u << 4,        // speaker switches
  SubWooferMode = 1u << 5,   // "Stereo" / "Mono"
  Profile = 1u << 6,         // the customer profile
  Measurement = 1u << 7,     // the automatic EQ's mode, parameter words and measured values
};
using SetupParts = unsigned;
inline constexpr SetupParts kNoParts = 0;
inline constexpr bool Has(SetupParts parts, SetupPart part) {
  return (parts & static_cast<unsigned>(part)) != 0;
}

using FunctionSwitches = std::array<bool, kFunctionSwitchCount>;

// The parts in which `a` and `b` differ.
SetupParts ChangedParts(const SetupDocument& a, const SetupDocument& b);
// Copies the fields of `parts` from `from` into `to`; every other field of `to` stays.
void CopyParts(SetupParts parts, const SetupDocument& from, SetupDocument& to);

// One step of the history: which parts went from which values to which, and the function
// switches before and after. The two documents are shared with the neighbouring steps.
struct SetupStep {
  std::string text;
  SetupParts parts = kNoParts;
  std::shared_ptr<const SetupDocument> before;
  std::shared_ptr<const SetupDocument> after;
  FunctionSwitches switchesBefore{};
  FunctionSwitches switchesAfter{};

  bool SwitchesChanged() const { return switchesBefore != switchesAfter; }
  bool Empty() const { return parts == kNoParts && !SwitchesChanged(); }
};

// One send of the frames an edit of the changed values sends, as the main form performs it.
struct StepSend {
  enum class Kind { ParametricBand, GraphicBand, Crossover, Channel, Speaker, SubWooferMode };
  Kind kind = Kind::ParametricBand;
  int group = 0;  // EqGroup or SpeakerGroup
  int side = 0;   // EqSide, CrossoverSet as the crossover window's mode
  int index = 0;  // band or output
  CrossoverUpdate update = CrossoverUpdate::All;

  friend bool operator==(const StepSend&, const StepSend&) = default;
};

// What going from `from` to `to` in `parts` sends, in the order the windows would: each changed
// band of each set (Center once, as its window keeps its three sets equal), each changed
// crossover set as a level, filter or whole update, each changed output's delay and phase, each
// changed speaker switch, and the sub-woofer mode.
std::vector<StepSend> StepSends(SetupParts parts, const SetupDocument& from, const SetupDocument& to);

// The step's text as the Edit menu shows it after "Undo " and "Redo ", named after the one value
// that changed where there is one ("Parametric EQ Front L ch band 3", "Delay FRONT MID LEFT").
std::string StepText(const SetupStep& step);
