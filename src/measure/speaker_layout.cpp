#include "measure/speaker_layout.h"

namespace {

bool On(const std::array<std::int32_t, kOutputCount>& speakerSwitch, OutputChannel channel) {
  return speakerSwitch[static_cast<std::size_t>(Index(channel))] != 0;
}

}  // namespace

bool FrontSpeakersSet(const std::array<std::int32_t, kOutputCount>& sw) {
  return (On(sw, OutputChannel::FrontMidL) || On(sw, OutputChannel::FrontLowL)) &&
         (On(sw, OutputChannel::FrontMidR) || On(sw, OutputChannel::FrontLowR));
}

bool SubWoofersSet(const std::array<std::int32_t, kOutputCount>& sw) {
  return On(sw, OutputChannel::SubWooferL) && On(sw, OutputChannel::SubWooferR);
}
