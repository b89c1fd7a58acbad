#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "document/types.h"

// Which of the two equalizers a set, curve or peak table belongs to.
enum class EqKind { Parametric, Graphic };

// Channel list and legend texts of the equalizer windows, by EqGroup.
inline constexpr std::array<std::string_view, kEqGroupCount> kEqGroupListTexts = {"Front", "Rear", "Center",
                                                                                  "SubWoofer"};
inline constexpr std::array<std::string_view, kEqGroupCount> kEqGroupLegendTexts = {"Front", "Rear", "Cen",
                                                                                    "S.W"};
// Side selector texts, by EqSide.
inline constexpr std::array<std::string_view, kEqSideCount> kEqSideTexts = {"Common", "L ch", "R ch"};

// Parametric ranges; the windows clamp to them before a value reaches the model.
inline constexpr float kPeqMinFrequency = 20.0f;
inline constexpr float kPeqMaxFrequency = 20000.0f;
inline constexpr float kPeqMinGain = -12.0f;
inline constexpr float kPeqMaxGain = 12.0f;
inline constexpr float kPeqMinQ = 0.2f;
inline constexpr float kPeqMaxQ = 10.0f;
// The SubWoofer group works with bands 1 to 4 only, up to 200 Hz from the slider or the mouse.
inline constexpr int kSubWooferPeqBandCount = 4;
inline constexpr float kSubWooferMaxFrequency = 200.0f;
inline constexpr int kSubWooferMaxFrequencySlider = 40;

// Number of parametric bands a group uses in the window (markers, band buttons).
int PeqBandsInUse(EqGroup group);

// The RESET of one parametric set: bands back to 31.25 x 2^k Hz, 0 dB, Q 1.0, peaking, with the
// flag's low byte cleared. SubWoofer resets bands 0..3 only (band 3 to 200 Hz).
void ResetPeqSet(PeqBandSet& set, EqGroup group);

// A frequency set from the slider or confirmed with Enter is rounded down to 0.1 Hz.
float RoundDownToTenthHz(float frequency);

// Graphic equalizer.
using GeqLevelCode = std::int32_t;  // 0 = +9 dB, 9 = 0 dB, 18 = -9 dB; the level list index
using GeqCodeSet = std::array<GeqLevelCode, kGeqBandCount>;
inline constexpr GeqLevelCode kGeqFlatCode = 9;
inline constexpr GeqLevelCode kGeqMaxCode = 18;
inline constexpr float kGeqBandQ = 5.0f;
inline constexpr int kSubWooferGeqBandCount = 10;  // 20 Hz to 160 Hz

// code = 9 - trunc(gain), kept within 0..18 so that a stored gain outside +-9 dB cannot give a
// list index or slider position that does not exist.
GeqLevelCode GeqCodeFromGain(float gain);
// gain = 9 - code.
float GeqGainFromCode(GeqLevelCode code);

// The window's working codes from the document's band gains, and the gains handed back.
PerEqSet<GeqCodeSet> GeqCodesFromBands(const PerEqSet<GeqBandSet>& bands);
void StoreGeqCodes(const PerEqSet<GeqCodeSet>& codes, PerEqSet<GeqBandSet>& bands);

int GeqBandsInUse(EqGroup group);

// The band labels ("20 Hz" .. "20 kHz").
std::string_view GeqBandLabel(int band);
// The band frequency list as the window first fills it: band 28 reads "12 kHz" there; entries
// removed and re-inserted later take GeqBandLabel.
std::string_view GeqInitialBandListText(int band);
// The level list ("+9dB" .. " 0dB" .. "-9dB"), index = code.
std::string_view GeqLevelText(GeqLevelCode code);

// Which graphic bands an automatic-EQ result locks: 1 SubWoofer, 2 the lowest Front bands, 3 both.
enum class BandLockMode : int { None = 0, SubWoofer = 1, Front = 2, Both = 3 };

inline constexpr std::int32_t kAeqModeFrontOffSubOn = 0x71;
inline constexpr std::int32_t kAeqModeFrontOnSubOff = 0x72;
inline constexpr std::int32_t kAeqModeFrontOnSubOn = 0x73;

BandLockMode BandLockModeFor(bool aeqResultInEffect, std::int32_t aeqMode);
bool LocksSubWoofer(BandLockMode mode);
bool LocksFront(BandLockMode mode);
