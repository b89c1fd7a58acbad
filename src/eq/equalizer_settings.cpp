#include "eq/equalizer_settings.h"

#include <cmath>

#include "document/setup_document.h"

namespace {

constexpr std::array<std::string_view, kGeqBandCount> kGeqBandLabels = {
    "20 Hz",  "25 Hz",   "31.5 Hz",  "40 Hz",   "50 Hz",    "63 Hz",   "80 Hz",    "100 Hz",
    "125 Hz", "160 Hz",  "200 Hz",   "250 Hz",  "315 Hz",   "400 Hz",  "500 Hz",   "630 Hz",
    "800 Hz", "1 kHz",   "1.25 kHz", "1.6 kHz", "2 kHz",    "2.5 kHz", "3.15 kHz", "4 kHz",
    "5 kHz",  "6.3 kHz", "8 kHz",    "10 kHz",  "12.5 kHz", "16 kHz",  "20 kHz"};

constexpr int kQuirkBand = 28;
constexpr std::string_view kQuirkBandListText = "12 kHz";

constexpr std::array<std::string_view, kGeqMaxCode + 1> kGeqLevelTexts = {
    "+9dB", "+8dB", "+7dB", "+6dB", "+5dB", "+4dB", "+3dB", "+2dB", "+1dB", " 0dB",
    "-1dB", "-2dB", "-3dB", "-4dB", "-5dB", "-6dB", "-7dB", "-8dB", "-9dB"};

}  // namespace

int PeqBandsInUse(EqGroup group) {
  return group == EqGroup::SubWoofer ? kSubWooferPeqBandCount : kPeqBandCount;
}

void ResetPeqSet(PeqBandSet& set, EqGroup group) {
  const int count = PeqBandsInUse(group);
  for (int k = 0; k < count; ++k) {
    FilterParams& band = set[static_cast<std::size_t>(k)];
    const std::int32_t flag = band.flag & ~std::int32_t{0xFF};
    band = DefaultPeqBand(group, k);
    band.flag = flag;
  }
}

float RoundDownToTenthHz(float frequency) {
  return static_cast<float>(std::trunc(static_cast<double>(frequency) * 10.0) * 0.1);
}

GeqLevelCode GeqCodeFromGain(float gain) {
  if (std::isnan(gain)) return kGeqFlatCode;
  const double code = 9.0 - std::trunc(static_cast<double>(gain));
  if (code < 0.0) return 0;
  if (code > kGeqMaxCode) return kGeqMaxCode;
  return static_cast<GeqLevelCode>(code);
}

float GeqGainFromCode(GeqLevelCode code) { return static_cast<float>(kGeqFlatCode - code); }

PerEqSet<GeqCodeSet> GeqCodesFromBands(const PerEqSet<GeqBandSet>& bands) {
  PerEqSet<GeqCodeSet> codes{};
  for (int g = 0; g < kEqGroupCount; ++g)
    for (int s = 0; s < kEqSideCount; ++s)
      for (int b = 0; b < kGeqBandCount; ++b) codes[g][s][b] = GeqCodeFromGain(bands[g][s][b].gain);
  return codes;
}

void StoreGeqCodes(const PerEqSet<GeqCodeSet>& codes, PerEqSet<GeqBandSet>& bands) {
  for (int g = 0; g < kEqGroupCount; ++g)
    for (int s = 0; s < kEqSideCount; ++s)
      for (int b = 0; b < kGeqBandCount; ++b) bands[g][s][b].gain = GeqGainFromCode(codes[g][s][b]);
}

int GeqBandsInUse(EqGroup group) {
  return group == EqGroup::SubWoofer ? kSubWooferGeqBandCount : kGeqBandCount;
}

std::string_view GeqBandLabel(int band) {
  if (band < 0 || band >= kGeqBandCount) return {};
  return kGeqBandLabels[static_cast<std::size_t>(band)];
}

std::string_view GeqInitialBandListText(int band) {
  if (band == kQuirkBand) return kQuirkBandListText;
  return GeqBandLabel(band);
}

std::string_view GeqLevelText(GeqLevelCode code) {
  if (code < 0 || code > kGeqMaxCode) return {};
  return kGeqLevelTexts[static_cast<std::size_t>(code)];
}

BandLockMode BandLockModeFor(bool aeqResultInEffect, std::int32_t aeqMode) {
  if (!aeqResultInEffect) return BandLockMode::None;
  if (aeqMode == kAeqModeFrontOffSubOn) return BandLockMode::SubWoofer;
  if (aeqMode == kAeqModeFrontOnSubOff) return BandLockMode::Front;
  return BandLockMode::Both;
}

bool LocksSubWoofer(BandLockMode mode) {
  return mode == BandLockMode::SubWoofer || mode == BandLockMode::Both;
}

bool LocksFront(BandLockMode mode) { return mode == BandLockMode::Front || mode == BandLockMode::Both; }
