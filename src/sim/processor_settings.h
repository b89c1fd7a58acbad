#pragma once

#include <array>
#include <cstdint>

#include "document/types.h"

// The processor's own numbering on the wire, as far as its settings are concerned.
inline constexpr int kEqChannelCount = 7;              // equalizer channel codes 0..6
inline constexpr int kCoefficientSelectCount = 14;     // "I" selects 1..14: two banks of 7 codes
inline constexpr int kCoefficientBankOffset = 7;       // select = code + 1, or code + 8 for bank 2
inline constexpr int kBandWordCount = 5;               // W0..W4 of one section
inline constexpr int kParameterSetCount = 2;           // automatic-EQ parameter sets 1 and 2
inline constexpr std::uint32_t kUnityWord = 0x400000;  // 1.0 in 24-bit fixed point, 22 fraction bits

inline constexpr std::uint8_t kGraphicFlatCode = 9;
inline constexpr std::uint8_t kLevelZeroDbCode = 12;
inline constexpr std::uint8_t kLevelOffCode = 96;
inline constexpr std::uint8_t kModePcControlOn = 0x70;
inline constexpr std::uint8_t kModePcControlOff = 0x60;
inline constexpr std::uint8_t kAeqModeOff = 0x60;

using BandWords = std::array<std::uint32_t, kBandWordCount>;

// One crossover filter of an output as the processor holds it: slope code 0 (OFF) to 5, and the
// index into the crossover frequency list.
struct FilterCodes {
  std::uint8_t slope = 0;
  std::uint8_t frequency = 0;

  friend bool operator==(const FilterCodes&, const FilterCodes&) = default;
};

// Everything a memory store keeps: the sound settings as last written by the PC (raw wire codes,
// not the PC's document values), plus the automatic-EQ parameter words.
struct ProcessorSettings {
  // [select - 1][band]. The PC writes every band twice, once per bank, with the same words.
  std::array<std::array<BandWords, kPeqBandCount>, kCoefficientSelectCount> coefficientWords{};
  // [equalizer channel code][band]: gain in dB + 9.
  std::array<std::array<std::uint8_t, kGeqBandCount>, kEqChannelCount> graphicCodes{};
  // [output channel]: level in dB + 12, or 96 when the output is switched off.
  std::array<std::uint8_t, kOutputCount> levelCodes{};
  std::array<FilterCodes, kOutputCount> lowPass{};
  std::array<FilterCodes, kOutputCount> highPass{};
  std::array<std::uint8_t, kOutputCount> delaySteps{};  // 0.1 ms steps
  std::array<std::uint8_t, kOutputCount> phase{};       // 0 = 0 degrees, 1 = 180 degrees
  std::uint8_t eqLevel = 20;                            // last "P" value (255 while writing)
  std::uint8_t eqSelect = 0;
  std::uint8_t aeqMode = kAeqModeOff;
  std::uint8_t subWooferMode = 0;
  // [set - 1][word]: 24-bit words.
  std::array<std::array<std::uint32_t, kAeqBlockWords>, kParameterSetCount> parameterWords{};

  // The power-on state: pass-through sections, flat graphic bands, 0 dB, filters off, no delay.
  ProcessorSettings();

  // The words of equalizer channel code `code`, band `band`, as written with select code + 1
  // (bank 0) or code + 8 (bank 1).
  const BandWords& Words(int code, int band, int bank = 0) const;
  BandWords& Words(int code, int band, int bank = 0);
  // True when both banks of every band hold the same words, as the PC always writes them.
  bool BanksAgree() const;

  friend bool operator==(const ProcessorSettings&, const ProcessorSettings&) = default;
};
