#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "sim/processor_settings.h"

inline constexpr int kMemoryCount = 6;
inline constexpr int kResultCount = 13;  // "R" bank 1: 11 delays and two further values

// Status bytes of the status query "N".
inline constexpr std::uint8_t kStatusSettingError = 'S';
inline constexpr std::uint8_t kStatusBusy = '0';
inline constexpr std::uint8_t kStatusIdleA8 = 0xA8;

// The whole processor as the PC can observe it. Fields are public so that tests can compare
// them with what the PC meant to send.
struct ProcessorState {
  struct Measurement {
    bool running = false;
    std::uint8_t kind = 0;  // 0 automatic EQ, 1 automatic time correction
    int pollsLeft = 0;      // status polls still answered "0"
    int finished = 0;       // measurements completed since power-on
    // "R" bank 1 indexes 0..12: delays of outputs 0..10 in 0.1 ms, then the two further values.
    std::array<std::uint8_t, kResultCount> results{};
  };

  struct Counters {
    std::array<int, 256> accepted{};  // frames applied, by command letter
    int rejected = 0;                 // frames answered "N" for their content
    int checksumErrors = 0;           // frames answered "N" for their checksum
    int warnings = 0;                 // frames applied with an out-of-range or stray byte
    int dropped = 0;                  // bytes ignored: silence, stray bytes, stale partial frames
  };

  ProcessorSettings settings;
  std::uint8_t operatingMode = kModePcControlOff;  // "S" byte 0
  bool bulkUpdate = false;                         // between "V" begin and end
  std::array<std::optional<ProcessorSettings>, kMemoryCount> memories{};
  int storePollsLeft = 0;  // status polls still answered "0" after a memory store
  Measurement measurement;
  std::array<std::uint8_t, kGeqBandCount> spectrum{};  // last levels served by "R" bank 0
  bool spectrumFixed = false;                          // levels set by hand instead of moving
  Counters counters;

  bool PcControl() const { return operatingMode == kModePcControlOn; }
  const std::optional<ProcessorSettings>& Memory(int number) const {
    return memories[static_cast<std::size_t>(number - 1)];
  }
};
