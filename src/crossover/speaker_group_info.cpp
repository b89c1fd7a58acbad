#include "crossover/speaker_group_info.h"

#include <array>
#include <cstddef>

namespace {

const std::array<SpeakerGroupInfo, kSpeakerGroupCount> kGroups = {{
    {"Front_Hi", "F.Hi", OutputChannel::FrontHighL, OutputChannel::FrontHighR, &FrontHighFrequencyList(), 1,
     26, 0, 25, true, false},
    {"Front_Mid", "F.Mid", OutputChannel::FrontMidL, OutputChannel::FrontMidR, &CrossoverFrequencyList(), 1,
     60, 0, 59, true, true},
    {"Front_Low", "F.Low", OutputChannel::FrontLowL, OutputChannel::FrontLowR, &CrossoverFrequencyList(), 1,
     60, 0, 59, true, true},
    {"Rear", "Rear", OutputChannel::RearL, OutputChannel::RearR, &CrossoverFrequencyList(), 1, 60, 0, 59,
     true, true},
    {"Center", "Cen", OutputChannel::Center, OutputChannel::Center, &CrossoverFrequencyList(), 1, 60, 0, 59,
     true, true},
    {"SubWoofer", "S.W", OutputChannel::SubWooferL, OutputChannel::SubWooferR, &SubWooferFrequencyList(), 1,
     20, 0, 19, false, true},
}};

}  // namespace

const SpeakerGroupInfo& GroupInfo(SpeakerGroup group) {
  return kGroups[static_cast<std::size_t>(Index(group))];
}

bool GroupFromListLabel(std::string_view label, SpeakerGroup& group) {
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    if (kGroups[static_cast<std::size_t>(g)].listLabel == label) {
      group = static_cast<SpeakerGroup>(g);
      return true;
    }
  }
  return false;
}
