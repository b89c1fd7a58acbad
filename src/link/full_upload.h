#pragma once

#include <array>
#include <cstdint>

#include "document/types.h"

class DeviceLink;
class Progress;
struct SetupDocument;

// The upload's own copy of the setup, taken just before the "RS232C" window opens.
struct UploadSetup {
  PerEqSet<PeqBandSet> peqBands{};
  PerEqSet<GeqBandSet> geqBands{};
  CrossoverTable crossover{};
  std::array<double, kOutputCount> channelDelay{};
  std::array<std::int32_t, kOutputCount> channelPhase{};
  std::array<std::int32_t, kOutputCount> speakerSwitch{};

  // The function switches.
  bool peqOn = true;
  bool geqOn = false;
  bool dividerOn = true;
  bool tcrOn = true;
  // Side selections of the parametric, graphic and crossover windows: 0 common data, non-zero
  // separate left and right data.
  int peqSide = 0;
  int geqSide = 0;
  int dividerSide = 0;
  // Sent with SetEqLevel after each equalizer part: the active equalizer's level plus the peak base.
  int levelCode = 20;

  // The parameters of `doc`; switches, sides and level code keep their defaults.
  static UploadSetup FromDocument(const SetupDocument& doc);
};

// The level code sent with SetEqLevel after equalizer writes: the peak base (0..40) plus the
// active equalizer's peak boost (0..12), each held within its range.
inline constexpr int kMaxPeakBase = 40;
int EqLevelCode(int peakBase, int peakBoost);

// Sends every switched-on function to the processor behind the "RS232C" window, without
// delivering window events. Each part starts only while no command has failed; the first failed
// command (which closed the port) ends the part and skips the rest. Returns 1 when everything
// was sent, 0 otherwise.
int RunFullUpload(const UploadSetup& setup, DeviceLink& link, Progress& rs232c);

// Texts of the "RS232C" window.
inline constexpr const char* kUploadConnectingText = "Now connecting!";
inline constexpr const char* kUploadWaitingText = "Please waiting";
inline constexpr const char* kUploadPeqPart = "P_EQ DATA";
inline constexpr const char* kUploadGeqPart = "G_EQ DATA";
inline constexpr const char* kUploadDividerPart = "DIV DATA";
inline constexpr const char* kUploadTcrPart = "TCR DATA";
inline constexpr int kUploadProgressEnd = 120;
