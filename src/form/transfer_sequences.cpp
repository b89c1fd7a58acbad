#include "form/transfer_sequences.h"

#include <span>

#include "common/progress.h"
#include "document/setup_document.h"
#include "eq/biquad_designer.h"
#include "eq/equalizer_settings.h"
#include "link/coefficient_word.h"
#include "link/device_link.h"

namespace TransferSequences {

namespace {

constexpr int kHold = DeviceLink::kEqLevelHold;

bool Separate(int side, EqGroup group) { return side != 0 && group != EqGroup::Center; }

// The side a one-group send addresses: Center is one mono channel.
int GroupSide(int side, EqGroup group) { return group == EqGroup::Center ? 0 : side; }

// The set a side reads: Common for side 0, else the side's own set.
int SetOf(int side) { return side == 1 || side == 2 ? side : Index(EqSide::Common); }

CoefficientSet Words(const FilterParams& band, EqGroup group, int index) {
  return BandCoefficientSet(band, group, index);
}

// A stored gain outside +-9 dB cannot be sent as another code.
int GraphicGain(const FilterParams& band) { return 9 - GeqCodeFromGain(band.gain); }

TransferResult Level(DeviceLink& link, int code) {
  return link.SetEqLevel(code) ? TransferResult::Ok() : TransferResult::Failed(code);
}

TransferResult Bulk(DeviceLink& link, bool begin) {
  return link.SetBulkUpdate(begin) ? TransferResult::Ok() : TransferResult::Failed(0);
}

TransferResult Mode(DeviceLink& link, int eqSelect, ModeBytes mode) {
  return link.SetOperatingMode(true, eqSelect, mode.aeqMode, mode.subWooferMode) ? TransferResult::Ok()
                                                                                 : TransferResult::Failed(0);
}

TransferResult WriteBand(DeviceLink& link, EqGroup group, int side, int band, const CoefficientSet& words) {
  return link.WriteBandCoefficients(group, side, band, words) ? TransferResult::Ok()
                                                              : TransferResult::Failed(band);
}

TransferResult GraphicBand(DeviceLink& link, EqGroup group, int side, int band, int gainDb) {
  return link.SetGraphicBand(group, side, band, gainDb) ? TransferResult::Ok() : TransferResult::Failed(band);
}

// Every group's parametric bands, the L and R sets apart when the side asks for them.
TransferResult PeqBands(DeviceLink& link, const PerEqSet<PeqBandSet>& bands, int side, Progress* progress) {
  for (int g = 0; g < kEqGroupCount; ++g) {
    const auto group = static_cast<EqGroup>(g);
    for (int b = 0; b < kPeqBandCount; ++b) {
      if (Separate(side, group)) {
        if (auto r = WriteBand(link, group, 1, b, Words(bands[g][Index(EqSide::L)][b], group, b)); !r.ok)
          return r;
        if (auto r = WriteBand(link, group, 2, b, Words(bands[g][Index(EqSide::R)][b], group, b)); !r.ok)
          return r;
      } else {
        if (auto r = WriteBand(link, group, 0, b, Words(bands[g][Index(EqSide::Common)][b], group, b)); !r.ok)
          return r;
      }
      if (progress != nullptr) progress->SetPosition(3 * (kPeqBandCount * g + b));
    }
  }
  return TransferResult::Ok();
}

TransferResult GeqBands(DeviceLink& link, const PerEqSet<GeqBandSet>& bands, int side, Progress* progress) {
  for (int g = 0; g < kEqGroupCount; ++g) {
    const auto group = static_cast<EqGroup>(g);
    for (int b = 0; b < kGeqBandCount; ++b) {
      if (Separate(side, group)) {
        if (auto r = GraphicBand(link, group, 1, b, GraphicGain(bands[g][Index(EqSide::L)][b])); !r.ok)
          return r;
        if (auto r = GraphicBand(link, group, 2, b, GraphicGain(bands[g][Index(EqSide::R)][b])); !r.ok)
          return r;
      } else {
        if (auto r = GraphicBand(link, group, 0, b, GraphicGain(bands[g][Index(EqSide::Common)][b])); !r.ok) {
          return r;
        }
      }
      if (progress != nullptr) progress->SetPosition(kGeqBandCount * g + b);
    }
  }
  return TransferResult::Ok();
}

// Runs the steps in order and stops at the first failure.
template <typename... Steps>
TransferResult Run(Steps&&... steps) {
  TransferResult result;
  ((result.ok ? void(result = steps()) : void()), ...);
  return result;
}

}  // namespace

TransferResult PeqBand(DeviceLink& link, const PerEqSet<PeqBandSet>& bands, EqGroup group, int side, int band,
                       int levelCode) {
  const int s = GroupSide(side, group);
  return Run([&] { return Level(link, levelCode); },
             [&] {
               return WriteBand(link, group, s, band,
                                Words(bands[Index(group)][SetOf(s)][band], group, band));
             });
}

TransferResult PeqAll(DeviceLink& link, const PerEqSet<PeqBandSet>& bands, int side, int levelCode) {
  return Run([&] { return Level(link, levelCode); }, [&] { return Bulk(link, true); },
             [&] { return Level(link, kHold); }, [&] { return PeqBands(link, bands, side, nullptr); },
             [&] { return Level(link, levelCode); }, [&] { return Bulk(link, false); });
}

TransferResult PeqFlat(DeviceLink& link, EqGroup group, int side, int levelCode) {
  const int s = GroupSide(side, group);
  return Run([&] { return Level(link, kHold); },
             [&] {
               for (int b = 0; b < kPeqBandCount; ++b) {
                 if (auto r = WriteBand(link, group, s, b, FlatCoefficientSet(group, b)); !r.ok) return r;
               }
               return TransferResult::Ok();
             },
             [&] { return Level(link, levelCode); });
}

TransferResult PeqOn(DeviceLink& link, const PerEqSet<PeqBandSet>& bands, int side, ModeBytes mode,
                     int levelCode, Progress& progress) {
  return Run([&] { return Bulk(link, true); }, [&] { return Level(link, kHold); },
             [&] { return Mode(link, 1, mode); }, [&] { return Level(link, levelCode); },
             [&] { return PeqBands(link, bands, side, &progress); }, [&] { return Bulk(link, false); });
}

TransferResult PeqOff(DeviceLink& link, ModeBytes mode, int peakBase, Progress& progress) {
  return Run([&] { return Level(link, kHold); }, [&] { return Mode(link, 0, mode); },
             [&] { return Level(link, peakBase); },
             [&] {
               for (int g = 0; g < kEqGroupCount; ++g) {
                 const auto group = static_cast<EqGroup>(g);
                 for (int b = 0; b < kPeqBandCount; ++b) {
                   if (auto r = WriteBand(link, group, 0, b, FlatCoefficientSet(group, b)); !r.ok) return r;
                   progress.SetPosition(3 * (kPeqBandCount * g + b));
                 }
               }
               return TransferResult::Ok();
             });
}

TransferResult GeqBand(DeviceLink& link, const PerEqSet<GeqBandSet>& bands, EqGroup group, int side, int band,
                       int levelCode) {
  const int s = GroupSide(side, group);
  return Run(
      [&] { return Level(link, levelCode); },
      [&] { return GraphicBand(link, group, s, band, GraphicGain(bands[Index(group)][SetOf(s)][band])); });
}

TransferResult GeqGroup(DeviceLink& link, const PerEqSet<GeqBandSet>& bands, EqGroup group, int side,
                        int levelCode) {
  const int s = GroupSide(side, group);
  return Run([&] { return Level(link, levelCode); }, [&] { return Level(link, kHold); },
             [&] {
               for (int b = 0; b < kGeqBandCount; ++b) {
                 const int gain = GraphicGain(bands[Index(group)][SetOf(s)][b]);
                 if (auto r = GraphicBand(link, group, s, b, gain); !r.ok) return r;
               }
               return TransferResult::Ok();
             },
             [&] { return Level(link, levelCode); });
}

TransferResult GeqAll(DeviceLink& link, const PerEqSet<GeqBandSet>& bands, int side, int levelCode) {
  return Run([&] { return Level(link, levelCode); }, [&] { return Bulk(link, true); },
             [&] { return Level(link, kHold); }, [&] { return GeqBands(link, bands, side, nullptr); },
             [&] { return Level(link, levelCode); }, [&] { return Bulk(link, false); });
}

TransferResult GeqFlat(DeviceLink& link, EqGroup group, int side, int levelCode) {
  const int s = GroupSide(side, group);
  return Run([&] { return Level(link, kHold); },
             [&] {
               for (int b = 0; b < kGeqBandCount; ++b) {
                 if (auto r = GraphicBand(link, group, s, b, 0); !r.ok) return r;
               }
               return TransferResult::Ok();
             },
             [&] { return Level(link, levelCode); });
}

TransferResult GeqOn(DeviceLink& link, const PerEqSet<GeqBandSet>& bands, int side, ModeBytes mode,
                     int levelCode, Progress& progress) {
  return Run([&] { return Bulk(link, true); }, [&] { return Level(link, kHold); },
             [&] { return Mode(link, 0, mode); }, [&] { return Level(link, levelCode); },
             [&] { return GeqBands(link, bands, side, &progress); }, [&] { return Bulk(link, false); });
}

TransferResult GeqOff(DeviceLink& link, ModeBytes mode, int peakBase, Progress& progress) {
  return Run([&] { return Bulk(link, true); }, [&] { return Level(link, kHold); },
             [&] { return Mode(link, 0, mode); }, [&] { return Level(link, peakBase); },
             [&] {
               for (int g = 0; g < kEqGroupCount; ++g) {
                 for (int b = 0; b < kGeqBandCount; ++b) {
                   if (auto r = GraphicBand(link, static_cast<EqGroup>(g), 0, b, 0); !r.ok) return r;
                   progress.SetPosition(kGeqBandCount * g + b);
                 }
               }
               return TransferResult::Ok();
             },
             [&] { return Bulk(link, false); });
}

TransferResult Crossover(DeviceLink& link, const std::vector<CrossoverCommand>& commands,
                         Progress* progress) {
  for (const CrossoverCommand& c : commands) {
    if (c.op == CrossoverCommand::Op::SetChannelLevel) {
      if (!link.SetChannelLevel(c.group, c.side, c.levelCode)) return TransferResult::Failed(c.levelCode);
    } else {
      if (!link.SetChannelFilter(c.group, c.side, c.lowPass, c.slopeCode, c.frequencyCode)) {
        return TransferResult::Failed(c.frequencyCode);
      }
    }
    if (progress != nullptr) progress->SetPosition(24 * Index(c.group));
  }
  return TransferResult::Ok();
}

TransferResult DividerOff(DeviceLink& link, const SpeakerSwitches& switches, Progress& progress) {
  CrossoverTable startUp{};
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    startUp[g].fill(DefaultCrossover(static_cast<SpeakerGroup>(g)));
  }
  std::vector<CrossoverCommand> commands;
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    const auto part =
        CrossoverGroupCommands(static_cast<SpeakerGroup>(g), startUp, CrossoverSet::Common, switches);
    commands.insert(commands.end(), part.begin(), part.end());
  }
  return Run([&] { return Bulk(link, true); }, [&] { return Crossover(link, commands, &progress); },
             [&] { return Bulk(link, false); });
}

TransferResult TcrChannel(DeviceLink& link, const std::array<double, kOutputCount>& delays,
                          const std::array<std::int32_t, kOutputCount>& phases, OutputChannel channel) {
  const int c = Index(channel);
  if (!link.SetDelay(channel, delays[c]) || !link.SetPhase(channel, phases[c]))
    return TransferResult::Failed(c);
  return TransferResult::Ok();
}

TransferResult TcrOn(DeviceLink& link, const std::array<double, kOutputCount>& delays,
                     const std::array<std::int32_t, kOutputCount>& phases, Progress& progress) {
  return Run([&] { return Bulk(link, true); },
             [&] {
               for (int c = 0; c < kOutputCount; ++c) {
                 if (auto r = TcrChannel(link, delays, phases, static_cast<OutputChannel>(c)); !r.ok)
                   return r;
                 progress.SetPosition(10 * c);
               }
               return TransferResult::Ok();
             },
             [&] { return Bulk(link, false); });
}

TransferResult TcrOff(DeviceLink& link, Progress& progress) {
  return Run([&] { return Bulk(link, true); },
             [&] {
               for (int c = 0; c < kOutputCount; ++c) {
                 if (!link.SetPhase(static_cast<OutputChannel>(c), 0)) return TransferResult::Failed(c);
                 progress.SetPosition(5 * c);
               }
               for (int c = 0; c < kOutputCount; ++c) {
                 if (!link.SetDelay(static_cast<OutputChannel>(c), 0.0)) return TransferResult::Failed(c);
                 progress.SetPosition(55 + 5 * c);
               }
               return TransferResult::Ok();
             },
             [&] { return Bulk(link, false); });
}

TransferResult AeqParametersWrite(DeviceLink& link, const std::array<std::int32_t, kAeqWordCount>& words,
                                  Progress& progress) {
  const std::span<const std::int32_t> all(words);
  return Run([&] { return Bulk(link, true); },
             [&] {
               for (int b = 0; b < kAeqBlockWords / 8; ++b) {
                 if (!link.WriteParameterBlock(1, b, all.first(kAeqBlockWords)) ||
                     !link.WriteParameterBlock(2, b, all.subspan(kAeqBlockWords)))
                   return TransferResult::Failed(b);
                 progress.SetPosition(b);
               }
               return TransferResult::Ok();
             },
             [&] { return Bulk(link, false); });
}

TransferResult AeqParametersRead(DeviceLink& link, std::array<std::int32_t, kAeqWordCount>& words,
                                 Progress& progress) {
  return Run(
      [&] { return Bulk(link, true); },
      [&] {
        for (int w = 0; w < kAeqBlockWords; ++w) {
          std::uint32_t first = 0;
          std::uint32_t second = 0;
          const auto address = static_cast<std::uint32_t>(w);
          if (!link.ReadParameterWord(1, address, first) || !link.ReadParameterWord(2, address, second))
            return TransferResult::Failed(w);
          words[static_cast<std::size_t>(w)] = static_cast<std::int32_t>(first & 0xFFFFFF);
          words[static_cast<std::size_t>(kAeqBlockWords + w)] = static_cast<std::int32_t>(second & 0xFFFFFF);
          progress.SetPosition(w / 8);
        }
        return TransferResult::Ok();
      },
      [&] { return Bulk(link, false); });
}

TransferResult StepFrames(DeviceLink& link, const std::vector<StepSend>& sends, const SetupDocument& values,
                          const FunctionSwitches& on, int levelCode) {
  const auto isOn = [&on](FunctionSwitch w) { return on[static_cast<std::size_t>(w)]; };
  for (const StepSend& s : sends) {
    TransferResult r = TransferResult::Ok();
    switch (s.kind) {
      case StepSend::Kind::ParametricBand:
        if (isOn(FunctionSwitch::Parametric))
          r = PeqBand(link, values.peqBands, static_cast<EqGroup>(s.group), s.side, s.index, levelCode);
        break;
      case StepSend::Kind::GraphicBand:
        if (isOn(FunctionSwitch::Graphic))
          r = GeqBand(link, values.geqBands, static_cast<EqGroup>(s.group), s.side, s.index, levelCode);
        break;
      case StepSend::Kind::Crossover:
        if (isOn(FunctionSwitch::Divider)) {
          r = Crossover(
              link, CrossoverUpdateCommands(s.update, values.crossover, static_cast<SpeakerGroup>(s.group),
                                            static_cast<CrossoverSet>(s.side), values.speakerSwitch));
        }
        break;
      case StepSend::Kind::Channel:
        if (isOn(FunctionSwitch::TimeCorrection))
          r = TcrChannel(link, values.channelDelay, values.channelPhase, static_cast<OutputChannel>(s.index));
        break;
      case StepSend::Kind::Speaker:
      case StepSend::Kind::SubWooferMode:
        break;
    }
    if (!r.ok) return r;
  }
  return TransferResult::Ok();
}

}  // namespace TransferSequences
