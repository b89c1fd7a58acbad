#include "interchange/equalizer_set_edit.h"

#include <vector>

EqualizerSetEdit::EqualizerSetEdit(EqKind kind, EqGroup group, EqSide side)
    : kind_(kind), group_(group), side_(group == EqGroup::Center ? EqSide::Common : side) {}

EqualizerSetEdit EqualizerSetEdit::Parametric(EqGroup group, EqSide side, const PeqBandSet& bands) {
  EqualizerSetEdit edit(EqKind::Parametric, group, side);
  edit.peq_ = bands;
  return edit;
}

EqualizerSetEdit EqualizerSetEdit::Graphic(EqGroup group, EqSide side, const GeqCodeSet& codes) {
  EqualizerSetEdit edit(EqKind::Graphic, group, side);
  edit.geq_ = codes;
  return edit;
}

CurveValues EqualizerSetEdit::Curve() const {
  return kind_ == EqKind::Parametric ? ResponseCurve(peq_) : ResponseCurve(geq_);
}

FunctionSwitch EqualizerSetEdit::Function() const {
  return kind_ == EqKind::Parametric ? FunctionSwitch::Parametric : FunctionSwitch::Graphic;
}

void EqualizerSetEdit::ApplyTo(SetupDocument& doc, bool functionOn) const {
  const int g = Index(group_);
  const int s = Index(side_);
  if (kind_ == EqKind::Parametric) {
    doc.peqBands[g][s] = peq_;
    const double peak = CurvePeak(ResponseCurve(doc.peqBands, group_, side_));
    doc.peqCurvePeaks[g][s] = peak;
    doc.peqPeakBoost = PeakBoost(doc.peqCurvePeaks, side_, EqKind::Parametric);
    if (functionOn) doc.appliedPeakBoost = doc.peqPeakBoost;
  } else {
    for (int b = 0; b < kGeqBandCount; ++b) doc.geqBands[g][s][b].gain = GeqGainFromCode(geq_[b]);
    if (group_ == EqGroup::Center) {
      for (int side : {Index(EqSide::L), Index(EqSide::R)}) {
        for (int b = 0; b < kGeqBandCount; ++b) doc.geqBands[g][side][b].gain = doc.geqBands[g][s][b].gain;
      }
    }
    doc.geqCurvePeaks[g][s] = CurvePeak(ResponseCurve(geq_));
    doc.geqPeakBoost = PeakBoost(doc.geqCurvePeaks, side_, EqKind::Graphic);
    if (functionOn) doc.appliedPeakBoost = doc.geqPeakBoost;
  }
}

TransferResult EqualizerSetEdit::Send(DeviceLink& link, const SetupDocument& before,
                                      const SetupDocument& after, int levelCode) const {
  const int g = Index(group_);
  const int s = Index(side_);
  std::vector<int> changed;
  if (kind_ == EqKind::Parametric) {
    for (int b = 0; b < kPeqBandCount; ++b) {
      if (before.peqBands[g][s][b] != after.peqBands[g][s][b]) changed.push_back(b);
    }
    for (int b : changed) {
      const TransferResult r = TransferSequences::PeqBand(link, after.peqBands, group_, s, b, levelCode);
      if (!r.ok) return r;
    }
    return TransferResult::Ok();
  }
  for (int b = 0; b < kGeqBandCount; ++b) {
    if (GeqCodeFromGain(before.geqBands[g][s][b].gain) != GeqCodeFromGain(after.geqBands[g][s][b].gain))
      changed.push_back(b);
  }
  if (changed.empty()) return TransferResult::Ok();
  if (changed.size() == 1)
    return TransferSequences::GeqBand(link, after.geqBands, group_, s, changed.front(), levelCode);
  return TransferSequences::GeqGroup(link, after.geqBands, group_, s, levelCode);
}
