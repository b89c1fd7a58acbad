#pragma once

#include <vector>

#include "crossover/crossover_codes.h"
#include "crossover/crossover_update.h"
#include "document/types.h"
#include "history/setup_step.h"

class DeviceLink;
class Progress;

// How a send sequence ended. On failure `value` is what was being sent when the frame failed (a
// band number, 255, a level code, an output channel); the form reports it as "CHKSUM ERROR %d".
struct TransferResult {
  bool ok = true;
  int value = 0;

  static TransferResult Ok() { return {}; }
  static TransferResult Failed(int value) { return {false, value}; }
};

// The operating-mode bytes a switch sequence repeats: the automatic-EQ byte and the sub-woofer mode.
struct ModeBytes {
  int aeqMode = 0x60;
  int subWooferMode = 0;
};

// The frame sequences behind the main form's sends. Each stops at the first failed command (the
// link has then closed the port). `side` is a window's side selection: 0 sends the Common set to
// both channels of a group; for one band or one group 1 and 2 address the left or right channel
// alone, for every group at once they stand for separate L and R data. Center always goes as
// side 0. Band numbers and groups are trusted to be in range.
namespace TransferSequences {

// Parametric equalizer.
TransferResult PeqBand(DeviceLink& link, const PerEqSet<PeqBandSet>& bands, EqGroup group, int side, int band,
                       int levelCode);
TransferResult PeqAll(DeviceLink& link, const PerEqSet<PeqBandSet>& bands, int side, int levelCode);
TransferResult PeqFlat(DeviceLink& link, EqGroup group, int side, int levelCode);
TransferResult PeqOn(DeviceLink& link, const PerEqSet<PeqBandSet>& bands, int side, ModeBytes mode,
                     int levelCode, Progress& progress);
TransferResult PeqOff(DeviceLink& link, ModeBytes mode, int peakBase, Progress& progress);

// Graphic equalizer; gains go out as trunc(gain) dB.
TransferResult GeqBand(DeviceLink& link, const PerEqSet<GeqBandSet>& bands, EqGroup group, int side, int band,
                       int levelCode);
TransferResult GeqGroup(DeviceLink& link, const PerEqSet<GeqBandSet>& bands, EqGroup group, int side,
                        int levelCode);
TransferResult GeqAll(DeviceLink& link, const PerEqSet<GeqBandSet>& bands, int side, int levelCode);
TransferResult GeqFlat(DeviceLink& link, EqGroup group, int side, int levelCode);
TransferResult GeqOn(DeviceLink& link, const PerEqSet<GeqBandSet>& bands, int side, ModeBytes mode,
                     int levelCode, Progress& progress);
TransferResult GeqOff(DeviceLink& link, ModeBytes mode, int peakBase, Progress& progress);

// Crossover: the commands of one update, in order; with a progress window, one step per group.
TransferResult Crossover(DeviceLink& link, const std::vector<CrossoverCommand>& commands,
                         Progress* progress = nullptr);
// The start-up crossover (0 dB, filters as at start-up, 96 for switched-off outputs) in a bulk update.
TransferResult DividerOff(DeviceLink& link, const SpeakerSwitches& switches, Progress& progress);

// Time correction and phase.
TransferResult TcrChannel(DeviceLink& link, const std::array<double, kOutputCount>& delays,
                          const std::array<std::int32_t, kOutputCount>& phases, OutputChannel channel);
TransferResult TcrOn(DeviceLink& link, const std::array<double, kOutputCount>& delays,
                     const std::array<std::int32_t, kOutputCount>& phases, Progress& progress);
// Phase 0 and delay 0 on every output; the stored values are not touched.
TransferResult TcrOff(DeviceLink& link, Progress& progress);

// The automatic EQ's parameter words: the setup's 2 x 1024 words written to the processor, or the
// processor's read into `words`, inside a bulk update with one progress step per eight words.
TransferResult AeqParametersWrite(DeviceLink& link, const std::array<std::int32_t, kAeqWordCount>& words,
                                  Progress& progress);
TransferResult AeqParametersRead(DeviceLink& link, std::array<std::int32_t, kAeqWordCount>& words,
                                 Progress& progress);

// An undone or redone step's frames, as the function windows send edits of those values: each
// band, crossover set and output of `sends` whose function is switched on in `on`. Speaker
// switches and the sub-woofer mode go by their own operations.
TransferResult StepFrames(DeviceLink& link, const std::vector<StepSend>& sends, const SetupDocument& values,
                          const FunctionSwitches& on, int levelCode);

}  // namespace TransferSequences
