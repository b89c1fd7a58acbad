#pragma once

#include <array>
#include <cstdint>

// Index types and records shared by the whole system. The numbering of each enum is the order
// used everywhere: document arrays, setup file, text export and processor commands.

enum class OutputChannel : int {
  FrontHighL = 0,
  FrontHighR = 1,
  FrontMidL = 2,
  FrontMidR = 3,
  FrontLowL = 4,
  FrontLowR = 5,
  Center = 6,
  RearL = 7,
  RearR = 8,
  SubWooferL = 9,
  SubWooferR = 10,
};
inline constexpr int kOutputCount = 11;

enum class EqGroup : int { Front = 0, Rear = 1, Center = 2, SubWoofer = 3 };
inline constexpr int kEqGroupCount = 4;

enum class EqSide : int { Common = 0, L = 1, R = 2 };
inline constexpr int kEqSideCount = 3;

enum class SpeakerGroup : int {
  FrontHi = 0,
  FrontMid = 1,
  FrontLow = 2,
  Rear = 3,
  Center = 4,
  SubWoofer = 5
};
inline constexpr int kSpeakerGroupCount = 6;

enum class CrossoverSet : int { Common = 0, L = 1, R = 2 };
inline constexpr int kCrossoverSetCount = 3;

inline constexpr int kPeqBandCount = 10;
inline constexpr int kGeqBandCount = 31;
inline constexpr int kAeqBlockWords = 1024;
inline constexpr int kAeqWordCount = 2 * kAeqBlockWords;

// One equalizer band's parameter block. Only the first five fields are stored in a setup file.
struct FilterParams {
  std::int32_t type = 0;   // 1 low-pass, 2 high-pass, 3 band-pass, 4 peaking
  float frequency = 0.0f;  // Hz
  float gain = 0.0f;       // dB
  float q = 0.0f;
  std::int32_t sectionKind = 0;  // 0..5, for low-/high-pass sections
  std::int32_t flag = 0;         // carried along; only its lowest byte is ever set

  friend bool operator==(const FilterParams&, const FilterParams&) = default;
};

// One crossover set of a speaker group.
struct CrossoverRec {
  double lpfFrequency = 0.0;  // Hz, a value of the group's frequency list
  double hpfFrequency = 0.0;  // Hz
  double lpfSlope = 0.0;      // dB/oct: 0 (OFF), -6, ..., -30
  double hpfSlope = 0.0;      // dB/oct
  std::int32_t lpfCode = 0;   // index 0..60 in the crossover frequency list
  std::int32_t hpfCode = 0;
  std::int32_t level = 0;  // dB, 0..-12

  friend bool operator==(const CrossoverRec&, const CrossoverRec&) = default;
};

template <typename T>
using PerEqSet = std::array<std::array<T, kEqSideCount>, kEqGroupCount>;
using PeqBandSet = std::array<FilterParams, kPeqBandCount>;
using GeqBandSet = std::array<FilterParams, kGeqBandCount>;
using CrossoverTable = std::array<std::array<CrossoverRec, kCrossoverSetCount>, kSpeakerGroupCount>;

constexpr int Index(OutputChannel c) { return static_cast<int>(c); }
constexpr int Index(EqGroup g) { return static_cast<int>(g); }
constexpr int Index(EqSide s) { return static_cast<int>(s); }
constexpr int Index(SpeakerGroup g) { return static_cast<int>(g); }
constexpr int Index(CrossoverSet s) { return static_cast<int>(s); }
