#include "link/full_upload.h"

#include <algorithm>
#include <cmath>

#include "common/progress.h"
#include "crossover/crossover_codes.h"
#include "document/setup_correction.h"
#include "document/setup_document.h"
#include "eq/equalizer_settings.h"
#include "link/channel_codes.h"
#include "link/coefficient_word.h"
#include "link/device_link.h"

namespace {

constexpr int kPartLine = 2;

bool Separate(int sideSelection, bool isCenter) { return sideSelection != 0 && !isCenter; }

bool SendParametric(const UploadSetup& s, DeviceLink& link, Progress& progress) {
  PerEqSet<std::array<CoefficientSet, kPeqBandCount>> words{};
  for (int g = 0; g < kEqGroupCount; ++g) {
    for (int side = 0; side < kEqSideCount; ++side) {
      for (int b = 0; b < kPeqBandCount; ++b) {
        words[g][side][b] = BandCoefficientSet(s.peqBands[g][side][b], static_cast<EqGroup>(g), b);
      }
    }
  }
  progress.SetText(kPartLine, kUploadPeqPart);
  if (!link.SetEqLevel(DeviceLink::kEqLevelHold)) return false;
  for (int g = 0; g < kEqGroupCount; ++g) {
    const auto group = static_cast<EqGroup>(g);
    for (int b = 0; b < kPeqBandCount; ++b) {
      if (Separate(s.peqSide, group == EqGroup::Center)) {
        if (!link.WriteBandCoefficients(group, 1, b, words[g][Index(EqSide::L)][b])) return false;
        if (!link.WriteBandCoefficients(group, 2, b, words[g][Index(EqSide::R)][b])) return false;
      } else {
        if (!link.WriteBandCoefficients(group, 0, b, words[g][Index(EqSide::Common)][b])) return false;
      }
      progress.SetPosition(3 * (kPeqBandCount * g + b));
    }
  }
  return link.SetEqLevel(s.levelCode);
}

// The band's dB value truncated to an integer; a gain outside +-9 dB (or not a number) cannot
// turn into another code.
int GainDb(const FilterParams& band) { return kGeqFlatCode - GeqCodeFromGain(band.gain); }

bool SendGraphic(const UploadSetup& s, DeviceLink& link, Progress& progress) {
  progress.SetPosition(0);
  progress.SetText(kPartLine, kUploadGeqPart);
  if (!link.SetEqLevel(DeviceLink::kEqLevelHold)) return false;
  for (int g = 0; g < kEqGroupCount; ++g) {
    const auto group = static_cast<EqGroup>(g);
    for (int b = 0; b < kGeqBandCount; ++b) {
      if (Separate(s.geqSide, group == EqGroup::Center)) {
        if (!link.SetGraphicBand(group, 1, b, GainDb(s.geqBands[g][Index(EqSide::L)][b]))) return false;
        if (!link.SetGraphicBand(group, 2, b, GainDb(s.geqBands[g][Index(EqSide::R)][b]))) return false;
      } else {
        if (!link.SetGraphicBand(group, 0, b, GainDb(s.geqBands[g][Index(EqSide::Common)][b]))) return false;
      }
      progress.SetPosition(kGeqBandCount * g + b);
    }
  }
  return link.SetEqLevel(s.levelCode);
}

bool SendFilters(DeviceLink& link, SpeakerGroup group, int side, const CrossoverRec& rec) {
  return link.SetChannelFilter(group, side, true, SlopeCode(rec.lpfSlope), LpfFrequencyCode(rec)) &&
         link.SetChannelFilter(group, side, false, SlopeCode(rec.hpfSlope), HpfFrequencyCode(rec));
}

bool SendDivider(const UploadSetup& s, DeviceLink& link, Progress& progress) {
  progress.SetPosition(0);
  progress.SetText(kPartLine, kUploadDividerPart);
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    const auto group = static_cast<SpeakerGroup>(g);
    const bool separate = Separate(s.dividerSide, group == SpeakerGroup::Center);
    for (int side = 1; side <= 2; ++side) {
      const OutputChannel out = OutputChannelOf(group, side - 1);
      const CrossoverRec& rec = s.crossover[g][separate ? side : Index(CrossoverSet::Common)];
      const int code = LevelCode(rec.level, s.speakerSwitch[Index(out)] != 0);
      if (!link.SetChannelLevel(group, side, code)) return false;
    }
    if (separate) {
      if (!SendFilters(link, group, 1, s.crossover[g][Index(CrossoverSet::L)])) return false;
      if (!SendFilters(link, group, 2, s.crossover[g][Index(CrossoverSet::R)])) return false;
    } else {
      if (!SendFilters(link, group, 0, s.crossover[g][Index(CrossoverSet::Common)])) return false;
    }
    progress.SetPosition(24 * g);
  }
  return true;
}

bool SendTimeCorrection(const UploadSetup& s, DeviceLink& link, Progress& progress) {
  progress.SetPosition(0);
  progress.SetText(kPartLine, kUploadTcrPart);
  for (int c = 0; c < kOutputCount; ++c) {
    const auto channel = static_cast<OutputChannel>(c);
    if (!link.SetDelay(channel, s.channelDelay[c])) return false;
    if (!link.SetPhase(channel, s.channelPhase[c])) return false;
    progress.SetPosition(10 * c);
  }
  return true;
}

}  // namespace

int EqLevelCode(int peakBase, int peakBoost) {
  return std::clamp(peakBase, 0, kMaxPeakBase) + SetupCorrection::CorrectedPeakBoost(peakBoost);
}

UploadSetup UploadSetup::FromDocument(const SetupDocument& doc) {
  UploadSetup s;
  s.peqBands = doc.peqBands;
  s.geqBands = doc.geqBands;
  s.crossover = doc.crossover;
  s.channelDelay = doc.channelDelay;
  s.channelPhase = doc.channelPhase;
  s.speakerSwitch = doc.speakerSwitch;
  return s;
}

int RunFullUpload(const UploadSetup& setup, DeviceLink& link, Progress& rs232c) {
  int uploadOk = 1;
  link.noPump = 1;
  rs232c.Open();
  rs232c.SetRange(0, kUploadProgressEnd);
  rs232c.SetText(0, kUploadConnectingText);
  rs232c.SetText(1, kUploadWaitingText);

  if (uploadOk == 1 && setup.peqOn && !SendParametric(setup, link, rs232c)) uploadOk = 0;
  if (uploadOk == 1 && setup.geqOn && !SendGraphic(setup, link, rs232c)) uploadOk = 0;
  if (uploadOk == 1 && setup.dividerOn && !SendDivider(setup, link, rs232c)) uploadOk = 0;
  if (uploadOk == 1 && setup.tcrOn && !SendTimeCorrection(setup, link, rs232c)) uploadOk = 0;

  rs232c.SetPosition(kUploadProgressEnd);
  rs232c.Beep();
  link.noPump = 0;
  rs232c.Close();
  return uploadOk;
}
