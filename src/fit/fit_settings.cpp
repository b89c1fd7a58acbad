#include "fit/fit_settings.h"

FitRange DefaultFitRange(EqGroup group) {
  if (group == EqGroup::SubWoofer) return FitRange{20.0, 200.0};
  return FitRange{100.0, 10000.0};
}
