#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "common/dialogs.h"
#include "document/types.h"
#include "eq/equalizer_settings.h"

struct SetupDocument;

// Every equalizer curve is evaluated on 155 points 2/31 octave apart from 20 Hz; the last point
// lies near 19584 Hz, below the graph's 20 kHz edge.
inline constexpr int kCurvePointCount = 155;
inline constexpr double kCurvePointOctaves = 0.06451612903225806;
using CurveValues = std::array<double, kCurvePointCount>;

// f_j = 20 x 2^(j x 2/31) Hz; defined for any j (band cursors reach below and above the grid).
double CurveGridFrequency(int j);

// Center is mono: its L and R sets follow its Common set before any curve is computed.
template <typename Set>
void CopyCenterCommonToSides(PerEqSet<Set>& sets) {
  auto& center = sets[Index(EqGroup::Center)];
  center[Index(EqSide::L)] = center[Index(EqSide::Common)];
  center[Index(EqSide::R)] = center[Index(EqSide::Common)];
}

// The sum, in dB, of the responses of every band of one set.
CurveValues ResponseCurve(const PeqBandSet& set);
CurveValues ResponseCurve(const GeqCodeSet& set);
// The curve of one group and side, after the Center copy (which changes `sets`).
CurveValues ResponseCurve(PerEqSet<PeqBandSet>& sets, EqGroup group, EqSide side);
CurveValues ResponseCurve(PerEqSet<GeqCodeSet>& sets, EqGroup group, EqSide side);

// The whole-dB peak of a curve: trunc(max + 0.9) when the curve rises above 0 dB, else 0.
double CurvePeak(const CurveValues& curve);

inline constexpr double kCurvePeakLimit = 12.0;
inline constexpr std::string_view kPeakOverMessage = "12 dB OVER";

bool PeakOverLimit(double curvePeak);

// The 12 dB rule for a curve just drawn: true when it passes. A refused curve shows
// "12 dB OVER" unless the warning was already shown since the current edit began; the caller
// clears `warningShown` at each new edit and reverts the edit when this returns false.
bool CheckPeakRule(double curvePeak, bool& warningShown, Dialogs& dialogs);

// The largest peak-table entry of the side mode: the Common entries of the four groups in
// Common mode, the L and R entries of all groups in L ch or R ch mode.
int PeakBoost(const PerEqSet<double>& peaks, EqSide side, EqKind kind);

// COPY: every band's Common parameters over the L and R sets, Center excepted (its sides
// already follow Common). The graphic equalizer copies the band gain only.
enum class CopyTarget { ParametricEq, GraphicEq, Divider };

void CopyCommonToLR(PerEqSet<PeqBandSet>& sets);
void CopyCommonToLR(PerEqSet<GeqBandSet>& sets);
void CopyCommonToLR(CrossoverTable& table);
void CopyCommonToLR(SetupDocument& doc, CopyTarget which);
