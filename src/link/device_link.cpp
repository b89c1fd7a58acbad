#include "link/device_link.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "common/clock.h"
#include "document/setup_correction.h"
#include "link/channel_codes.h"
#include "link/serial_port.h"

namespace {

constexpr std::uint8_t kLetterMode = 'S';
constexpr std::uint8_t kLetterStatus = 'N';
constexpr std::uint8_t kLetterBulk = 'V';
constexpr std::uint8_t kLetterEqLevel = 'P';
constexpr std::uint8_t kLetterGraphic = 'G';
constexpr std::uint8_t kLetterWrite = 'I';
constexpr std::uint8_t kLetterLevel = 'B';
constexpr std::uint8_t kLetterFilter = 'C';
constexpr std::uint8_t kLetterDelay = 'D';
constexpr std::uint8_t kLetterPhase = 'H';
constexpr std::uint8_t kLetterMeasure = 'T';
constexpr std::uint8_t kLetterMemory = 'W';
constexpr std::uint8_t kLetterReadByte = 'R';
constexpr std::uint8_t kLetterReadWord = 'J';

constexpr std::uint8_t Byte(int v) { return static_cast<std::uint8_t>(v & 0xFF); }

// The status query's final byte; 0 when the byte is not a status.
int StatusOf(std::uint8_t b) {
  switch (b) {
    case 'S':
      return 6;
    case '0':
      return 7;
    case 0x04:
    case '4':
      return 8;
    case 0x08:
    case '8':
      return 9;
    case 0xA4:
      return 10;
    case 0xA8:
      return 11;
    default:
      return 0;
  }
}

constexpr int kMaxSlopeCode = 5;
constexpr int kMaxFrequencyCode = 60;

// The processor's word selects and block addresses for the automatic-EQ parameter sets.
constexpr int kBlockWords = 8;
constexpr int kBlocksPerSet = kAeqBlockWords / kBlockWords;

}  // namespace

DeviceLink::DeviceLink(SerialPort& port, Clock& clock) : port_(port), clock_(clock) {}

void DeviceLink::Send(std::uint8_t byte) {
  if (!Alive()) return;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (port_.SendByte(byte, noPump != 0) == 1) return;
    clock_.SleepMs(kRetrySleepMs);
  }
  GiveUp();
}

void DeviceLink::GiveUp(bool heard) {
  lineAlive = false;
  status = kFailed;
  refused_ = heard;
}

template <typename Classify>
DeviceLink::Reply DeviceLink::Read(std::uint8_t& byte, int sleepBeforeMs, Classify classify) {
  if (!Alive()) return Reply::Failed;
  bool heard = false;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (sleepBeforeMs > 0) clock_.SleepMs(sleepBeforeMs);
    std::uint8_t got = 0;
    if (port_.ReceiveByte(got, noPump != 0) == 1) {
      heard = true;
      const Verdict v = classify(got);
      if (v == Verdict::Accept) {
        byte = got;
        return Reply::Accepted;
      }
      if (v == Verdict::Nak) return Reply::Nak;
    }
    clock_.SleepMs(kRetrySleepMs);
  }
  GiveUp(heard);
  return Reply::Failed;
}

DeviceLink::Reply DeviceLink::AwaitByte(std::uint8_t expected, int sleepBeforeMs) {
  std::uint8_t got = 0;
  return Read(got, sleepBeforeMs, [expected](std::uint8_t b) {
    if (b == expected) return Verdict::Accept;
    return b == kNak ? Verdict::Nak : Verdict::Ignore;
  });
}

DeviceLink::Reply DeviceLink::ReadData(std::uint8_t& byte) {
  return Read(byte, 0, [](std::uint8_t) { return Verdict::Accept; });
}

bool DeviceLink::Restart() {
  ++status;
  if (status < kFailed) return true;
  status = kFailed;
  refused_ = true;
  return false;
}

bool DeviceLink::End() {
  lineAlive = true;
  return status != kFailed;
}

DeviceLink::Reply DeviceLink::Announce(std::uint8_t letter, std::span<const std::uint8_t> body,
                                       int ackSleepMs) {
  Send(letter);
  const Reply ack = AwaitByte(kAck, ackSleepMs);
  if (ack != Reply::Accepted) return ack;
  std::uint8_t sum = 0;
  for (std::uint8_t b : body) {
    Send(b);
    sum = static_cast<std::uint8_t>(sum + b);
  }
  Send(sum);
  return Reply::Accepted;
}

bool DeviceLink::WriteFrame(std::span<const std::uint8_t> body) {
  status = 0;
  for (;;) {
    const Reply ack = Announce(kLetterWrite, body);
    if (ack == Reply::Nak && Restart()) continue;
    if (ack != Reply::Accepted) break;
    const Reply fin = AwaitByte(kReply);
    if (fin == Reply::Nak && Restart()) continue;
    if (fin == Reply::Accepted) status = 0;
    break;
  }
  return End();
}

bool DeviceLink::SendShortCommand(std::uint8_t letter, const ShortBody& body) {
  status = 0;
  const bool isStatusQuery = letter == kLetterStatus;
  for (;;) {
    const Reply ack = Announce(letter, body, isStatusQuery ? kStatusAckSleepMs : 0);
    if (ack == Reply::Nak && Restart()) continue;
    if (ack != Reply::Accepted) break;

    if (!isStatusQuery) {
      const Reply fin = AwaitByte(kReply);
      if (fin == Reply::Nak && Restart()) continue;
      if (fin == Reply::Accepted) status = 1;
      break;
    }
    std::uint8_t code = 0;
    const Reply fin = Read(code, 0, [](std::uint8_t b) {
      if (StatusOf(b) != 0) return Verdict::Accept;
      return b == kNak ? Verdict::Nak : Verdict::Ignore;
    });
    if (fin == Reply::Nak && Restart()) continue;
    if (fin == Reply::Accepted) status = StatusOf(code);
    break;
  }
  return End();
}

bool DeviceLink::QueryByte(std::uint8_t request0, std::uint8_t request1, std::uint8_t& value) {
  const std::array<std::uint8_t, 2> request = {request0, request1};
  status = 0;
  for (;;) {
    const Reply ack = Announce(kLetterReadByte, request);
    if (ack == Reply::Nak && Restart()) continue;
    if (ack != Reply::Accepted) break;
    const Reply fin = AwaitByte(kReply);
    if (fin == Reply::Nak && Restart()) continue;
    if (fin != Reply::Accepted) break;

    std::uint8_t got = 0;
    std::uint8_t check = 0;
    if (ReadData(got) != Reply::Accepted || ReadData(check) != Reply::Accepted) break;
    if (check != got) {
      if (Restart()) continue;
      break;
    }
    value = got;
    break;
  }
  return End();
}

bool DeviceLink::WriteCoefficients(std::uint8_t select, std::uint32_t address, std::uint8_t count,
                                   const std::array<std::uint8_t, 15>& data) {
  // The count byte goes out as given; the frame always carries 15 data bytes.
  std::array<std::uint8_t, 20> frame{};
  frame[0] = select;
  frame[1] = Byte(static_cast<int>(address >> 16));
  frame[2] = Byte(static_cast<int>(address >> 8));
  frame[3] = Byte(static_cast<int>(address));
  frame[4] = count;
  for (std::size_t i = 0; i < data.size(); ++i) frame[5 + i] = data[i];
  return WriteFrame(frame);
}

bool DeviceLink::WriteBlock(std::uint8_t select, std::uint32_t address, std::span<const std::uint8_t> data) {
  std::vector<std::uint8_t> frame = {select, Byte(static_cast<int>(address >> 16)),
                                     Byte(static_cast<int>(address >> 8)), Byte(static_cast<int>(address)),
                                     Byte(static_cast<int>(data.size()))};
  frame.insert(frame.end(), data.begin(), data.end());
  return WriteFrame(frame);
}

bool DeviceLink::QueryWord(std::uint8_t select, std::uint32_t address, std::uint32_t& word) {
  const std::array<std::uint8_t, 4> request = {select, Byte(static_cast<int>(address >> 16)),
                                               Byte(static_cast<int>(address >> 8)),
                                               Byte(static_cast<int>(address))};
  status = 0;
  for (;;) {
    const Reply ack = Announce(kLetterReadWord, request);
    if (ack == Reply::Nak && Restart()) continue;
    if (ack != Reply::Accepted) break;
    const Reply fin = AwaitByte(kReply);
    if (fin == Reply::Nak && Restart()) continue;
    if (fin != Reply::Accepted) break;

    std::array<std::uint8_t, 3> w{};
    std::uint8_t check = 0;
    if (ReadData(w[0]) != Reply::Accepted || ReadData(w[1]) != Reply::Accepted ||
        ReadData(w[2]) != Reply::Accepted || ReadData(check) != Reply::Accepted) {
      break;
    }
    if (check != static_cast<std::uint8_t>(w[0] + w[1] + w[2])) {
      if (Restart()) continue;
      break;
    }
    word = static_cast<std::uint32_t>(w[0]) << 16 | static_cast<std::uint32_t>(w[1]) << 8 | w[2];
    break;
  }
  return End();
}

// ---- the command set ----

bool DeviceLink::OpenPort(const std::string& portName) { return port_.OpenPort(portName); }

bool DeviceLink::ClosePort() { return port_.ClosePort(); }

bool DeviceLink::Checked() {
  if (status != kFailed) return true;
  port_.NoteTransferFailure(refused_);
  port_.ClosePort();
  return false;
}

bool DeviceLink::Short(std::uint8_t letter, int b0, int b1, int b2, int b3) {
  SendShortCommand(letter, ShortBody{Byte(b0), Byte(b1), Byte(b2), Byte(b3), 0, 0});
  return Checked();
}

template <typename Frame>
bool DeviceLink::BothSides(int side, Frame frame) {
  if (side == 1) return frame(0);
  if (side == 2) return frame(1);
  return frame(0) && frame(1);
}

bool DeviceLink::SetOperatingMode(bool pcControl, int eqSelect, int aeqMode, int subWooferMode) {
  return Short(kLetterMode, pcControl ? kPcControlOn : kPcControlOff, eqSelect, aeqMode, subWooferMode);
}

int DeviceLink::QueryStatus() {
  if (!Short(kLetterStatus, 0)) return 0;
  return status;
}

bool DeviceLink::SetBulkUpdate(bool begin) { return Short(kLetterBulk, begin ? 0x70 : 0x60); }

bool DeviceLink::SetEqLevel(int levelCode) { return Short(kLetterEqLevel, levelCode); }

bool DeviceLink::SetGraphicBand(EqGroup group, int side, int band, int gainDb) {
  const int code = std::clamp(gainDb, -kGraphicGainOffset, kGraphicGainOffset) + kGraphicGainOffset;
  return BothSides(side,
                   [&](int lr) { return Short(kLetterGraphic, Index(EqChannelOf(group, lr)), band, code); });
}

bool DeviceLink::WriteBandCoefficients(EqGroup group, int side, int band, const CoefficientSet& words) {
  const std::array<std::uint8_t, 15> data = CoefficientBytes(words);
  const auto address = static_cast<std::uint32_t>(band);
  // Each channel holds the band twice, under select code + 1 and code + 8.
  return BothSides(side, [&](int lr) {
    const int code = Index(EqChannelOf(group, lr));
    WriteCoefficients(Byte(code + 1), address, 15, data);
    if (!Checked()) return false;
    WriteCoefficients(Byte(code + 8), address, 15, data);
    return Checked();
  });
}

bool DeviceLink::SetChannelLevel(SpeakerGroup group, int side, int levelCode) {
  // 0 (-12 dB) .. 12 (0 dB), or switched off: no other code reaches the processor.
  const int code =
      levelCode == kOutputSwitchedOff ? levelCode : std::clamp(levelCode, 0, kChannelLevelOffset);
  return BothSides(side,
                   [&](int lr) { return Short(kLetterLevel, Index(OutputChannelOf(group, lr)), code); });
}

bool DeviceLink::SetChannelFilter(SpeakerGroup group, int side, bool lowPass, int slopeCode,
                                  int frequencyCode) {
  return BothSides(side, [&](int lr) {
    return Short(kLetterFilter, Index(OutputChannelOf(group, lr)), lowPass ? 1 : 0,
                 std::clamp(slopeCode, 0, kMaxSlopeCode), std::clamp(frequencyCode, 0, kMaxFrequencyCode));
  });
}

bool DeviceLink::SetDelay(OutputChannel channel, double delayMs) {
  // 0.1 ms steps, truncated toward zero, within 0..20 ms (not a number: 0).
  return Short(kLetterDelay, Index(channel), SetupCorrection::DelaySteps(delayMs));
}

bool DeviceLink::SetPhase(OutputChannel channel, int phaseFlag) {
  return Short(kLetterPhase, Index(channel), std::clamp(phaseFlag, 0, 1));
}

bool DeviceLink::StartMeasurement(int kind) { return Short(kLetterMeasure, kind); }

bool DeviceLink::StoreMemory(int memory) { return Short(kLetterMemory, memory); }

bool DeviceLink::ReadResult(int bank, int index, std::uint8_t& value) {
  QueryByte(Byte(bank), Byte(index), value);
  return Checked();
}

bool DeviceLink::ReadParameterWord(int select, std::uint32_t address, std::uint32_t& word) {
  QueryWord(Byte(select), address, word);
  return Checked();
}

bool DeviceLink::WriteParameterBlock(int set, int block, std::span<const std::int32_t> setWords) {
  if ((set != 1 && set != 2) || block < 0 || block >= kBlocksPerSet ||
      setWords.size() < static_cast<std::size_t>((block + 1) * kBlockWords)) {
    return false;
  }
  const int select = (set == 1 ? 15 : 17) + (block >= kBlocksPerSet / 2 ? 1 : 0);
  std::array<std::uint8_t, 3 * kBlockWords> data{};
  for (int i = 0; i < kBlockWords; ++i) {
    const std::int32_t w = setWords[static_cast<std::size_t>(block * kBlockWords + i)];
    data[static_cast<std::size_t>(3 * i)] = Byte(w >> 16);
    data[static_cast<std::size_t>(3 * i + 1)] = Byte(w >> 8);
    data[static_cast<std::size_t>(3 * i + 2)] = Byte(w);
  }
  WriteBlock(Byte(select), static_cast<std::uint32_t>(block * kBlockWords), data);
  return Checked();
}
