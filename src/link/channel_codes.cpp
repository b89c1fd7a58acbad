#include "link/channel_codes.h"

EqChannel EqChannelOf(EqGroup group, int lr) {
  const int r = lr != 0 ? 1 : 0;
  switch (group) {
    case EqGroup::Front:
      return static_cast<EqChannel>(0 + r);
    case EqGroup::Center:
      return EqChannel::Center;
    case EqGroup::Rear:
      return static_cast<EqChannel>(3 + r);
    case EqGroup::SubWoofer:
      return static_cast<EqChannel>(5 + r);
  }
  return EqChannel::FrontL;
}

OutputChannel OutputChannelOf(SpeakerGroup group, int lr) {
  const int r = lr != 0 ? 1 : 0;
  switch (group) {
    case SpeakerGroup::FrontHi:
    case SpeakerGroup::FrontMid:
    case SpeakerGroup::FrontLow:
      return static_cast<OutputChannel>(2 * Index(group) + r);
    case SpeakerGroup::Center:
      return OutputChannel::Center;
    case SpeakerGroup::Rear:
      return static_cast<OutputChannel>(7 + r);
    case SpeakerGroup::SubWoofer:
      return static_cast<OutputChannel>(9 + r);
  }
  return OutputChannel::FrontHighL;
}

SpeakerGroup SpeakerGroupOf(OutputChannel channel) {
  const int c = Index(channel);
  if (c < 6) return static_cast<SpeakerGroup>(c / 2);
  if (c == 6) return SpeakerGroup::Center;
  if (c < 9) return SpeakerGroup::Rear;
  return SpeakerGroup::SubWoofer;
}

int SideOf(OutputChannel channel) {
  const int c = Index(channel);
  if (c < 6) return 1 + c % 2;
  if (c == 6) return 1;
  return c == 7 || c == 9 ? 1 : 2;
}
