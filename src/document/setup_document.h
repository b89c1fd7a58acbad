#pragma once

#include <array>
#include <cstdint>

#include "document/customer_profile.h"
#include "document/types.h"

// One complete setting of the processor plus the customer profile that travels with it.
// Exactly one exists for the life of the program; the main form is its only writer besides
// the setup file.
struct SetupDocument {
  PerEqSet<PeqBandSet> peqBands{};
  PerEqSet<GeqBandSet> geqBands{};
  CrossoverTable crossover{};
  std::array<double, kOutputCount> channelDelay{};         // ms
  std::array<std::int32_t, kOutputCount> channelPhase{};   // 0 normal, 1 inverted
  std::array<std::int32_t, kOutputCount> speakerSwitch{};  // 1 on, 0 off
  std::int32_t appliedPeakBoost = 0;
  std::int32_t peqPeakBoost = 0;
  std::int32_t geqPeakBoost = 0;
  PerEqSet<double> peqCurvePeaks{};
  PerEqSet<double> geqCurvePeaks{};
  std::int32_t aeqActive = 0;
  std::array<std::int32_t, kAeqWordCount> aeqParameters{};
  std::int32_t aeqParametersSaved = 0;
  std::int32_t aeqMode = 0;
  std::int32_t subWooferMode = 0;  // 0 Stereo, 1 Mono
  std::int32_t measuredValue1 = 0;
  std::int32_t measuredValue2 = 0;
  std::int32_t viewSynchronized = 0;  // not stored
  CustomerProfile profile;

  // Builds a document with the start-up values and today's local date.
  SetupDocument();

  // Sets every field that has a start-up value; the date is today's local date.
  void Reset();

  friend bool operator==(const SetupDocument&, const SetupDocument&) = default;
};

// Start-up values shared with the equalizer and crossover models.
inline constexpr std::array<float, kGeqBandCount> kGeqBandFrequencies = {
    20.0f,   25.0f,   31.5f,   40.0f,   50.0f,   63.0f,    80.0f,    100.0f,   125.0f,  160.0f,  200.0f,
    250.0f,  315.0f,  400.0f,  500.0f,  630.0f,  800.0f,   1000.0f,  1250.0f,  1600.0f, 2000.0f, 2500.0f,
    3150.0f, 4000.0f, 5000.0f, 6300.0f, 8000.0f, 10000.0f, 12500.0f, 16000.0f, 20000.0f};

// The parametric band k's start-up (and RESET) record of a group.
FilterParams DefaultPeqBand(EqGroup group, int band);
// The graphic band k's start-up record.
FilterParams DefaultGeqBand(int band);
// A speaker group's start-up crossover set (the same for all three sets).
CrossoverRec DefaultCrossover(SpeakerGroup group);
