#include "crossover/frequency_list.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace {

constexpr std::array<FrequencyStep, kCrossoverFrequencySteps> kSteps = {{
    {20.0, "20 Hz"},       {22.5, "22.5 Hz"},     {25.0, "25 Hz"},     {28.5, "28.5 Hz"},
    {31.5, "31.5 Hz"},     {35.0, "35 Hz"},       {40.0, "40 Hz"},     {44.5, "44.5 Hz"},
    {50.0, "50 Hz"},       {56.0, "56 Hz"},       {63.0, "63 Hz"},     {71.0, "71 Hz"},
    {80.0, "80 Hz"},       {90.0, "90 Hz"},       {100.0, "100 Hz"},   {112.0, "112 Hz"},
    {125.0, "125 Hz"},     {140.0, "140 Hz"},     {160.0, "160 Hz"},   {180.0, "180 Hz"},
    {200.0, "200 Hz"},     {225.0, "225 Hz"},     {250.0, "250 Hz"},   {280.0, "280 Hz"},
    {315.0, "315 Hz"},     {350.0, "350 Hz"},     {400.0, "400 Hz"},   {445.0, "445 Hz"},
    {500.0, "500 Hz"},     {560.0, "560 Hz"},     {630.0, "630 Hz"},   {700.0, "700 Hz"},
    {800.0, "800 Hz"},     {900.0, "900 Hz"},     {1000.0, "1 kHz"},   {1100.0, "1.1 kHz"},
    {1250.0, "1.25 kHz"},  {1400.0, "1.4 kHz"},   {1600.0, "1.6 kHz"}, {1800.0, "1.8 kHz"},
    {2000.0, "2 kHz"},     {2250.0, "2.25 kHz"},  {2500.0, "2.5 kHz"}, {2850.0, "2.85 kHz"},
    {3150.0, "3.15 kHz"},  {3600.0, "3.6 kHz"},   {4000.0, "4 kHz"},   {4500.0, "4.5 kHz"},
    {5000.0, "5 kHz"},     {5600.0, "5.6 kHz"},   {6300.0, "6.3 kHz"}, {7100.0, "7.1 kHz"},
    {8000.0, "8 kHz"},     {9000.0, "9 kHz"},     {10000.0, "10 kHz"}, {11200.0, "11.2 kHz"},
    {12500.0, "12.5 kHz"}, {14300.0, "14.3 kHz"}, {16000.0, "16 kHz"}, {18000.0, "18 kHz"},
    {20000.0, "20 kHz"},
}};

constexpr int kSubWooferSteps = 21;

constexpr FrequencyList kFull(kSteps.data(), kCrossoverFrequencySteps, 0);
constexpr FrequencyList kFrontHigh(kSteps.data() + kFrontHighFirstCode,
                                   kCrossoverFrequencySteps - kFrontHighFirstCode, kFrontHighFirstCode);
constexpr FrequencyList kSubWoofer(kSteps.data(), kSubWooferSteps, 0);

}  // namespace

int FrequencyList::ClampStep(int step) const { return std::clamp(step, 0, size_ - 1); }

double FrequencyList::Value(int step) const {
  return steps_[static_cast<std::size_t>(ClampStep(step))].value;
}

std::string_view FrequencyList::Label(int step) const {
  return steps_[static_cast<std::size_t>(ClampStep(step))].label;
}

int FrequencyList::ExactStep(double frequency) const {
  for (int i = 0; i < size_; ++i) {
    if (steps_[static_cast<std::size_t>(i)].value == frequency) return i;
  }
  return -1;
}

int FrequencyList::NearestStep(double frequency) const {
  const int exact = ExactStep(frequency);
  if (exact >= 0) return exact;
  // Only a damaged setup file holds such a value; non-positive or NaN values go to the bottom.
  if (!(frequency > 0.0)) return 0;
  if (std::isinf(frequency)) return LastStep();
  const double target = std::log10(frequency);
  int best = 0;
  double bestDistance = std::fabs(std::log10(steps_[0].value) - target);
  for (int i = 1; i < size_; ++i) {
    const double distance = std::fabs(std::log10(steps_[static_cast<std::size_t>(i)].value) - target);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

const FrequencyList& CrossoverFrequencyList() { return kFull; }
const FrequencyList& FrontHighFrequencyList() { return kFrontHigh; }
const FrequencyList& SubWooferFrequencyList() { return kSubWoofer; }
