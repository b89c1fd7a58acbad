#pragma once

#include "document/setup_document.h"
#include "eq/equalizer_settings.h"
#include "eq/response_curve.h"
#include "form/setup_edit.h"

// One parametric or graphic set of one group and side replaced as a whole, as an imported filter
// set or a fitted equalizer leaves it. Everything else of the setup stays as it was, but for
// what follows the set: its stored curve peak and the equalizer's peak boost, computed by the
// code the equalizer windows draw with. Center is mono: its edit is of the Common set, which
// its L and R sets follow.
class EqualizerSetEdit : public SetupEdit {
 public:
  static EqualizerSetEdit Parametric(EqGroup group, EqSide side, const PeqBandSet& bands);
  static EqualizerSetEdit Graphic(EqGroup group, EqSide side, const GeqCodeSet& codes);

  EqKind Kind() const { return kind_; }
  EqGroup Group() const { return group_; }
  EqSide Side() const { return side_; }
  const PeqBandSet& ParametricBands() const { return peq_; }
  const GeqCodeSet& GraphicCodes() const { return geq_; }
  // The set's summed curve, as the window draws it.
  CurveValues Curve() const;

  FunctionSwitch Function() const override;
  void ApplyTo(SetupDocument& doc, bool functionOn) const override;
  // The parametric bands that changed, one by one as the parametric window sends a band; the
  // graphic set as its window sends one band, or the whole group after a trace.
  TransferResult Send(DeviceLink& link, const SetupDocument& before, const SetupDocument& after,
                      int levelCode) const override;

 private:
  EqualizerSetEdit(EqKind kind, EqGroup group, EqSide side);

  EqKind kind_;
  EqGroup group_;
  EqSide side_;
  PeqBandSet peq_{};
  GeqCodeSet geq_{};
};
