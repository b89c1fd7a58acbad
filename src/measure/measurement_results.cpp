#include "measure/measurement_results.h"

#include "link/device_link.h"

namespace {

constexpr int kResultBank = 1;
constexpr int kValue1Index = 11;
constexpr int kValue2Index = 12;

}  // namespace

bool MeasurementResults::Read(DeviceLink& link, MeasurementResults& out) {
  MeasurementResults read;
  for (int c = 0; c < kOutputCount; ++c) {
    if (!link.ReadResult(kResultBank, c, read.delaySteps[static_cast<std::size_t>(c)])) return false;
  }
  if (!link.ReadResult(kResultBank, kValue1Index, read.value1) ||
      !link.ReadResult(kResultBank, kValue2Index, read.value2)) {
    return false;
  }
  out = read;
  return true;
}

int MeasurementDivisor(const std::array<std::int32_t, kOutputCount>& speakerSwitch) {
  int on = 0;
  for (std::int32_t s : speakerSwitch) on += s != 0 ? 1 : 0;
  return 1 + on;
}
