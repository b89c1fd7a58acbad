#pragma once

#include <cstdint>
#include <string_view>

// One step of a crossover frequency list.
struct FrequencyStep {
  double value;  // Hz
  std::string_view label;
};

// A run of consecutive steps of the 61-step crossover frequency list. A step's frequency code
// (its index in the full list, as the processor knows it) is the step plus the run's offset.
class FrequencyList {
 public:
  constexpr FrequencyList(const FrequencyStep* steps, int size, int codeOffset)
      : steps_(steps), size_(size), codeOffset_(codeOffset) {}

  int Size() const { return size_; }
  int LastStep() const { return size_ - 1; }
  // Steps outside the list are clamped to its ends.
  double Value(int step) const;
  std::string_view Label(int step) const;
  std::int32_t Code(int step) const { return ClampStep(step) + codeOffset_; }
  int CodeOffset() const { return codeOffset_; }

  // The step whose value equals `frequency` exactly, or -1.
  int ExactStep(double frequency) const;
  // The exact step, or for a frequency off the list the step nearest to it on the octave scale.
  int NearestStep(double frequency) const;

 private:
  int ClampStep(int step) const;

  const FrequencyStep* steps_;
  int size_;
  int codeOffset_;
};

inline constexpr int kCrossoverFrequencySteps = 61;
inline constexpr int kFrontHighFirstCode = 34;  // "1 kHz"

// "20 Hz" (code 0) to "20 kHz" (code 60).
const FrequencyList& CrossoverFrequencyList();
// The last 27 steps: "1 kHz" (step 0, code 34) to "20 kHz" (step 26).
const FrequencyList& FrontHighFrequencyList();
// The first 21 steps: "20 Hz" to "200 Hz".
const FrequencyList& SubWooferFrequencyList();
