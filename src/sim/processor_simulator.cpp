#include "sim/processor_simulator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::uint8_t kAck = 'A';
constexpr std::uint8_t kNak = 'N';
constexpr std::uint8_t kFinal = 'R';

constexpr std::size_t kShortFrameLength = 8;   // letter, 6 body bytes, checksum
constexpr std::size_t kByteQueryLength = 4;    // "R", bank, index, checksum
constexpr std::size_t kWordQueryLength = 6;    // "J", select, 3 address bytes, checksum
constexpr std::size_t kWriteHeaderLength = 6;  // "I", select, 3 address bytes, count

constexpr int kBandCoefficientCount = 15;
constexpr int kParameterBlockCount = 24;
constexpr int kParameterBlockWords = 8;
constexpr std::uint8_t kFirstParameterSelect = 15;
constexpr std::uint8_t kLastParameterSelect = 18;
constexpr std::uint32_t kHalfSetWords = kAeqBlockWords / 2;

constexpr std::uint8_t kMaxGraphicCode = 18;
constexpr std::uint8_t kMaxSlopeCode = 5;
constexpr std::uint8_t kMaxFrequencyCode = 60;
constexpr std::uint8_t kMaxDelaySteps = 200;
constexpr std::uint8_t kBulkBegin = 0x70;
constexpr std::uint8_t kBulkEnd = 0x60;

bool IsShortLetter(std::uint8_t letter) {
  return letter != 0 &&
         std::string_view("SNVPGBCDHTW").find(static_cast<char>(letter)) != std::string_view::npos;
}

bool IsCommandLetter(std::uint8_t letter) {
  return IsShortLetter(letter) || letter == 'R' || letter == 'I' || letter == 'J';
}

// Body bytes that carry a value, per short command; the rest must be 0.
std::size_t UsedBodyBytes(std::uint8_t letter) {
  switch (letter) {
    case 'S':
    case 'C':
      return 4;
    case 'G':
      return 3;
    case 'B':
    case 'D':
    case 'H':
      return 2;
    case 'V':
    case 'P':
    case 'T':
    case 'W':
      return 1;
    default:
      return 0;
  }
}

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

}  // namespace

ProcessorSimulator::ProcessorSimulator(SimulatorConfig config) : config_(config) {}

std::int64_t ProcessorSimulator::ByteTimeUs(int baud) {
  if (baud <= 0) return 0;
  return (10'000'000LL + baud / 2) / baud;
}

void ProcessorSimulator::Receive(std::uint8_t byte, std::int64_t nowUs) {
  const std::int64_t byteTime = ByteTimeUs();
  const std::int64_t doneUs = byteTime > 0 ? std::max(nowUs, inputFreeUs_) + byteTime : nowUs;
  inputFreeUs_ = doneUs;
  input_.push_back({byte, doneUs});
  Advance(nowUs);
}

void ProcessorSimulator::Advance(std::int64_t nowUs) {
  while (!input_.empty() && input_.front().atUs <= nowUs) {
    const TimedByte next = input_.front();
    input_.pop_front();
    HandleByte(next.byte, next.atUs);
  }
}

bool ProcessorSimulator::TakeOutput(std::uint8_t& byte, std::int64_t nowUs) {
  Advance(nowUs);
  if (output_.empty() || output_.front().atUs > nowUs) return false;
  byte = output_.front().byte;
  output_.pop_front();
  return true;
}

std::optional<std::int64_t> ProcessorSimulator::NextOutputUs() const {
  if (output_.empty()) return std::nullopt;
  return output_.front().atUs;
}

std::optional<std::int64_t> ProcessorSimulator::NextEventUs() const {
  std::optional<std::int64_t> next = NextOutputUs();
  if (!input_.empty() && (!next || input_.front().atUs < *next)) next = input_.front().atUs;
  return next;
}

void ProcessorSimulator::ResetLine(std::int64_t nowUs) {
  state_.counters.dropped += static_cast<int>(input_.size() + (inFrame_ ? frame_.size() : 0));
  input_.clear();
  output_.clear();
  inputFreeUs_ = nowUs;
  outputFreeUs_ = nowUs;
  inFrame_ = false;
  frame_.clear();
  reply_.clear();
  Log({nowUs, FrameRecord::Direction::Line, 0, {}, "line closed by the PC"});
}

void ProcessorSimulator::SetSpectrumLevels(const std::array<std::uint8_t, kGeqBandCount>& levels) {
  state_.spectrum = levels;
  state_.spectrumFixed = true;
}

std::uint8_t ProcessorSimulator::MovingSpectrumLevel(int band, std::int64_t nowUs) {
  // A falling base line with a slow wave and a faster ripple across the bands, so that the
  // analyzer shows movement, and now and then readings above the 47 segments it can draw.
  constexpr double kTwoPi = 6.283185307179586;
  const double t = static_cast<double>(nowUs) / 1e6;
  const double b = static_cast<double>(band);
  const double level = 38.0 - 0.5 * b + 9.0 * std::sin(kTwoPi * (t / 6.0 + b / 12.0)) +
                       4.0 * std::sin(kTwoPi * (t * 0.9 + b * 0.37));
  return static_cast<std::uint8_t>(std::clamp(level, 0.0, 60.0));
}

std::uint32_t ProcessorSimulator::MeasuredParameterWord(int set, int word) {
  const auto w = static_cast<std::uint32_t>(word);
  return (static_cast<std::uint32_t>(set) * 0x101010u + w * 0x002F13u + (w * w) % 0x3FFu) & 0xFFFFFFu;
}

std::vector<std::vector<std::uint8_t>> ProcessorSimulator::FramesFromPc() const {
  std::vector<std::vector<std::uint8_t>> frames;
  for (const FrameRecord& r : frames_) {
    if (r.direction == FrameRecord::Direction::In) frames.push_back(r.bytes);
  }
  return frames;
}

bool ProcessorSimulator::Silent() const { return faults_.silent; }

void ProcessorSimulator::Log(FrameRecord record) {
  if (sink_) {
    sink_(record.Format());
  } else {
    frames_.push_back(std::move(record));
  }
}

void ProcessorSimulator::Emit(std::uint8_t byte, std::int64_t atUs) {
  const std::int64_t readyUs = std::max(atUs, outputFreeUs_) + ByteTimeUs();
  outputFreeUs_ = readyUs;
  output_.push_back({byte, readyUs});
  reply_.push_back(byte);
}

void ProcessorSimulator::HandleByte(std::uint8_t byte, std::int64_t atUs) {
  if (inFrame_ && atUs - lastByteUs_ > config_.frameTimeoutUs) {
    state_.counters.dropped += static_cast<int>(frame_.size());
    Log({lastByteUs_, FrameRecord::Direction::In, frame_[0], frame_, "dropped: frame left unfinished"});
    inFrame_ = false;
  }
  lastByteUs_ = atUs;

  if (Silent()) {
    ++state_.counters.dropped;
    if (!inFrame_ && IsCommandLetter(byte))
      Log({atUs, FrameRecord::Direction::In, byte, {byte}, "ignored (silent)"});
    inFrame_ = false;
    return;
  }

  if (!inFrame_) {
    if (!IsCommandLetter(byte)) {
      ++state_.counters.dropped;
      Log({atUs, FrameRecord::Direction::In, byte, {byte}, "ignored: not a command letter"});
      return;
    }
    frame_.assign(1, byte);
    reply_.clear();
    if (faults_.nakFrames > 0 && !faults_.nakAtFinal) {
      --faults_.nakFrames;
      Emit(kNak, atUs);
      EndFrame(atUs, "nak (fault switch)");
      return;
    }
    Emit(kAck, atUs);
    inFrame_ = true;
    if (IsShortLetter(byte)) {
      frameLength_ = kShortFrameLength;
    } else if (byte == 'R') {
      frameLength_ = kByteQueryLength;
    } else if (byte == 'J') {
      frameLength_ = kWordQueryLength;
    } else {
      frameLength_ = kWriteHeaderLength + 1;  // known once the count byte is in
    }
    return;
  }

  frame_.push_back(byte);
  if (frame_[0] == 'I' && frame_.size() == kWriteHeaderLength) {
    frameLength_ = kWriteHeaderLength + byte + 1;
  }
  if (frame_.size() == frameLength_) CompleteFrame(atUs);
}

void ProcessorSimulator::CompleteFrame(std::int64_t atUs) {
  inFrame_ = false;
  unsigned sum = 0;
  for (std::size_t i = 1; i + 1 < frame_.size(); ++i) sum += frame_[i];
  const auto expected = static_cast<std::uint8_t>(sum & 0xFF);
  if (expected != frame_.back()) {
    ++state_.counters.checksumErrors;
    Emit(kNak, atUs);
    EndFrame(atUs, "nak: checksum " + Hex(frame_.back()) + ", expected " + Hex(expected));
    return;
  }
  if (faults_.nakFrames > 0 && faults_.nakAtFinal) {
    --faults_.nakFrames;
    Emit(kNak, atUs);
    EndFrame(atUs, "nak (fault switch)");
    return;
  }

  const std::uint8_t letter = frame_[0];
  Outcome outcome;
  if (letter == 'I') {
    outcome = ApplyCoefficients();
  } else if (letter == 'R') {
    outcome = ApplyByteQuery(atUs);
  } else if (letter == 'J') {
    outcome = ApplyWordQuery();
  } else {
    outcome = ApplyShort();
  }

  if (!outcome.applied) {
    ++state_.counters.rejected;
    Emit(kNak, atUs);
    EndFrame(atUs, "nak: " + outcome.note);
    return;
  }
  ++state_.counters.accepted[letter];
  if (letter == 'N') {
    const std::uint8_t status = StatusAnswer();
    Emit(status, atUs);
    EndFrame(atUs, "ok, status " + Hex(status) + outcome.note);
    return;
  }
  Emit(kFinal, atUs);
  if (!outcome.data.empty()) {
    // Byte query: the value, then the value again as its checksum. Word query: three bytes, then
    // the low 8 bits of their sum.
    unsigned check = 0;
    for (std::uint8_t b : outcome.data) {
      Emit(b, atUs);
      check += b;
    }
    if (faults_.badChecksumReplies > 0) {
      --faults_.badChecksumReplies;
      ++check;
      outcome.note += ", bad checksum (fault switch)";
    }
    Emit(static_cast<std::uint8_t>(check & 0xFF), atUs);
  }
  EndFrame(atUs, "ok" + outcome.note);
}

void ProcessorSimulator::EndFrame(std::int64_t atUs, const std::string& result) {
  Log({atUs, FrameRecord::Direction::In, frame_[0], frame_, result});
  Log({atUs, FrameRecord::Direction::Out, frame_[0], reply_, ""});
  reply_.clear();
  if (faults_.silentAfterFrames > 0 && --faults_.silentAfterFrames == 0) {
    faults_.silentAfterFrames = -1;
    faults_.silent = true;
  }
}

void ProcessorSimulator::Warn(Outcome& outcome, const std::string& note) {
  ++state_.counters.warnings;
  outcome.note += ", warning: " + note;
}

ProcessorSimulator::Outcome ProcessorSimulator::ApplyShort() {
  const std::uint8_t letter = frame_[0];
  ProcessorSettings& s = state_.settings;
  Outcome out;
  for (std::size_t i = UsedBodyBytes(letter); i < 6; ++i) {
    if (Body(i) != 0) Warn(out, "body byte " + std::to_string(i) + " is " + Hex(Body(i)));
  }
  const auto channel = static_cast<std::size_t>(Body(0));
  const bool outputChannel = channel < static_cast<std::size_t>(kOutputCount);

  switch (letter) {
    case 'S':
      if (Body(0) != kModePcControlOn && Body(0) != kModePcControlOff) return Refused("mode " + Hex(Body(0)));
      if (Body(1) > 1) Warn(out, "equalizer select " + Hex(Body(1)));
      if (Body(2) != kAeqModeOff && (Body(2) < 0x71 || Body(2) > 0x73)) Warn(out, "aeq mode " + Hex(Body(2)));
      if (Body(3) > 1) Warn(out, "sub-woofer mode " + Hex(Body(3)));
      if (state_.measurement.running) {
        // A new operating mode is how the PC stops a measurement: nothing is measured.
        state_.measurement.running = false;
        out.note += ", measurement stopped";
      }
      state_.operatingMode = Body(0);
      s.eqSelect = Body(1);
      s.aeqMode = Body(2);
      s.subWooferMode = Body(3);
      return out;
    case 'N':
      return out;
    case 'V':
      if (Body(0) != kBulkBegin && Body(0) != kBulkEnd) return Refused("bulk update " + Hex(Body(0)));
      state_.bulkUpdate = Body(0) == kBulkBegin;
      return out;
    case 'P':
      s.eqLevel = Body(0);
      return out;
    case 'G':
      if (Body(0) >= kEqChannelCount) return Refused("equalizer channel " + std::to_string(Body(0)));
      if (Body(1) >= kGeqBandCount) return Refused("graphic band " + std::to_string(Body(1)));
      if (Body(2) > kMaxGraphicCode) Warn(out, "graphic gain code " + std::to_string(Body(2)));
      s.graphicCodes[channel][Body(1)] = Body(2);
      return out;
    case 'B':
      if (!outputChannel) return Refused("output channel " + std::to_string(Body(0)));
      if (Body(1) > kLevelZeroDbCode && Body(1) != kLevelOffCode)
        Warn(out, "level code " + std::to_string(Body(1)));
      s.levelCodes[channel] = Body(1);
      return out;
    case 'C': {
      if (!outputChannel) return Refused("output channel " + std::to_string(Body(0)));
      if (Body(1) > 1) return Refused("filter kind " + std::to_string(Body(1)));
      if (Body(2) > kMaxSlopeCode) Warn(out, "slope code " + std::to_string(Body(2)));
      if (Body(3) > kMaxFrequencyCode) Warn(out, "frequency code " + std::to_string(Body(3)));
      FilterCodes& filter = Body(1) == 1 ? s.lowPass[channel] : s.highPass[channel];
      filter = {Body(2), Body(3)};
      return out;
    }
    case 'D':
      if (!outputChannel) return Refused("output channel " + std::to_string(Body(0)));
      if (Body(1) > kMaxDelaySteps) Warn(out, "delay " + std::to_string(Body(1)));
      s.delaySteps[channel] = Body(1);
      return out;
    case 'H':
      if (!outputChannel) return Refused("output channel " + std::to_string(Body(0)));
      if (Body(1) > 1) Warn(out, "phase " + std::to_string(Body(1)));
      s.phase[channel] = Body(1);
      return out;
    case 'T':
      if (Body(0) > 1) return Refused("measurement kind " + std::to_string(Body(0)));
      state_.measurement.running = true;
      state_.measurement.kind = Body(0);
      state_.measurement.pollsLeft = config_.measurePolls;
      return out;
    case 'W':
      if (Body(0) < 1 || Body(0) > kMemoryCount) return Refused("memory " + std::to_string(Body(0)));
      state_.memories[Body(0) - 1u] = s;
      state_.storePollsLeft = config_.storePolls;
      return out;
    default:
      return Refused("unknown command");
  }
}

ProcessorSimulator::Outcome ProcessorSimulator::ApplyCoefficients() {
  const std::uint8_t select = Body(0);
  const std::uint32_t address = (std::uint32_t{Body(1)} << 16) | (std::uint32_t{Body(2)} << 8) | Body(3);
  const std::uint8_t count = Body(4);
  auto word = [this](std::size_t i) {
    return (std::uint32_t{Body(5 + 3 * i)} << 16) | (std::uint32_t{Body(6 + 3 * i)} << 8) | Body(7 + 3 * i);
  };

  if (select >= 1 && select <= kCoefficientSelectCount) {
    if (count != kBandCoefficientCount)
      return Refused("count " + std::to_string(count) + " for select " + std::to_string(select));
    if (address >= static_cast<std::uint32_t>(kPeqBandCount))
      return Refused("band " + std::to_string(address));
    BandWords& words = state_.settings.coefficientWords[select - 1u][address];
    for (std::size_t i = 0; i < kBandWordCount; ++i) words[i] = word(i);
    return {};
  }
  if (select >= kFirstParameterSelect && select <= kLastParameterSelect) {
    // Selects 15/16 are set 1 below/above word 512, 17/18 the same for set 2; the address is the
    // first word of the block within its set.
    const bool upperHalf = select == 16 || select == 18;
    if (count != kParameterBlockCount)
      return Refused("count " + std::to_string(count) + " for select " + std::to_string(select));
    if (address % kParameterBlockWords != 0 || address >= static_cast<std::uint32_t>(kAeqBlockWords) ||
        (address >= kHalfSetWords) != upperHalf) {
      return Refused("address " + std::to_string(address) + " for select " + std::to_string(select));
    }
    auto& set = state_.settings.parameterWords[select <= 16 ? 0 : 1];
    for (std::size_t i = 0; i < kParameterBlockWords; ++i) set[address + i] = word(i);
    return {};
  }
  return Refused("select " + std::to_string(select));
}

ProcessorSimulator::Outcome ProcessorSimulator::ApplyByteQuery(std::int64_t atUs) {
  const std::uint8_t bank = Body(0);
  const std::uint8_t index = Body(1);
  std::uint8_t value = 0;
  if (bank == 0 && index < kGeqBandCount) {
    if (!state_.spectrumFixed) state_.spectrum[index] = MovingSpectrumLevel(index, atUs);
    value = state_.spectrum[index];
  } else if (bank == 1 && index < kResultCount) {
    value = state_.measurement.results[index];
  } else {
    return Refused("result " + std::to_string(bank) + "/" + std::to_string(index));
  }
  return {true, ", value " + std::to_string(value), {value}};
}

ProcessorSimulator::Outcome ProcessorSimulator::ApplyWordQuery() {
  const std::uint8_t select = Body(0);
  const std::uint32_t address = (std::uint32_t{Body(1)} << 16) | (std::uint32_t{Body(2)} << 8) | Body(3);
  if (select < 1 || select > kParameterSetCount || address >= static_cast<std::uint32_t>(kAeqBlockWords)) {
    return Refused("word " + std::to_string(select) + "/" + std::to_string(address));
  }
  const std::uint32_t value = state_.settings.parameterWords[select - 1u][address];
  return {true,
          "",
          {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
           static_cast<std::uint8_t>(value)}};
}

std::uint8_t ProcessorSimulator::StatusAnswer() {
  if (faults_.statusOverride) return *faults_.statusOverride;
  ProcessorState::Measurement& m = state_.measurement;
  if (m.running) {
    if (m.pollsLeft > 0) {
      --m.pollsLeft;
      return kStatusBusy;
    }
    FinishMeasurement();
  }
  if (state_.storePollsLeft > 0) {
    --state_.storePollsLeft;
    return kStatusBusy;
  }
  return config_.idleStatus;
}

void ProcessorSimulator::FinishMeasurement() {
  ProcessorState::Measurement& m = state_.measurement;
  m.running = false;
  ++m.finished;
  m.results = config_.measuredResults;
  if (m.kind == 0) {
    for (int set = 0; set < kParameterSetCount; ++set) {
      for (int w = 0; w < kAeqBlockWords; ++w) {
        state_.settings.parameterWords[static_cast<std::size_t>(set)][static_cast<std::size_t>(w)] =
            MeasuredParameterWord(set + 1, w);
      }
    }
  }
}
