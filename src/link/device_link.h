#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "document/types.h"
#include "link/coefficient_word.h"

class Clock;
class SerialPort;

// One user operation's conversation with the processor. Every exchange is a framed transaction:
// a command letter, the processor's acknowledge, a fixed body with an additive checksum, and the
// final reply. The commands below each wrap one transaction (or two, for both sides of a
// channel pair); a failed one closes the port and returns false.
class DeviceLink {
 public:
  static constexpr std::uint8_t kAck = 'A';
  static constexpr std::uint8_t kNak = 'N';
  static constexpr std::uint8_t kReply = 'R';

  static constexpr int kFailed = 5;  // `status` of a failed transaction
  static constexpr int kAttempts = 10;
  static constexpr int kRetrySleepMs = 100;
  static constexpr int kStatusAckSleepMs = 50;

  // Processor status codes returned by QueryStatus (0 when the query failed).
  static constexpr int kStatusSettingError = 6;
  static constexpr int kStatusMeasuring = 7;

  // Body bytes of the commands.
  static constexpr int kPcControlOn = 0x70;
  static constexpr int kPcControlOff = 0x60;
  static constexpr int kAeqOff = 0x60;
  static constexpr int kEqLevelHold = 255;        // sent before a run of equalizer writes
  static constexpr int kOutputSwitchedOff = 96;   // channel level of a switched-off output
  static constexpr int kChannelLevelOffset = 12;  // level code = level in dB + 12
  static constexpr int kGraphicGainOffset = 9;    // graphic band byte = gain in dB + 9

  using ShortBody = std::array<std::uint8_t, 6>;

  DeviceLink(SerialPort& port, Clock& clock);

  bool lineAlive = true;
  std::int32_t status =
      0;  // 0..4 negative acknowledges survived, 1 short-command "R", 5 failed, 6..11 status
  std::int32_t noPump = 0;  // 1: no window events are delivered between bytes

  // The five transaction shapes. Each returns false when it ended with `status` 5; the port is
  // left as it is.
  bool SendShortCommand(std::uint8_t letter, const ShortBody& body);
  bool QueryByte(std::uint8_t request0, std::uint8_t request1, std::uint8_t& value);
  bool WriteCoefficients(std::uint8_t select, std::uint32_t address, std::uint8_t count,
                         const std::array<std::uint8_t, 15>& data);
  bool WriteBlock(std::uint8_t select, std::uint32_t address, std::span<const std::uint8_t> data);
  bool QueryWord(std::uint8_t select, std::uint32_t address, std::uint32_t& word);

  // The command set. `side` is 0 for both sides (left frame, then right frame; the second is not
  // sent when the first fails), 1 for left only, 2 for right only.
  bool OpenPort(const std::string& portName);
  bool ClosePort();
  bool SetOperatingMode(bool pcControl, int eqSelect, int aeqMode, int subWooferMode);
  // The processor's status code 6..11, or 0 when the query failed.
  int QueryStatus();
  bool SetBulkUpdate(bool begin);
  bool SetEqLevel(int levelCode);
  bool SetGraphicBand(EqGroup group, int side, int band, int gainDb);
  bool WriteBandCoefficients(EqGroup group, int side, int band, const CoefficientSet& words);
  bool SetChannelLevel(SpeakerGroup group, int side, int levelCode);
  bool SetChannelFilter(SpeakerGroup group, int side, bool lowPass, int slopeCode, int frequencyCode);
  bool SetDelay(OutputChannel channel, double delayMs);
  bool SetPhase(OutputChannel channel, int phaseFlag);
  // 0 automatic EQ, 1 automatic time correction.
  bool StartMeasurement(int kind);
  bool StoreMemory(int memory);
  bool ReadResult(int bank, int index, std::uint8_t& value);
  bool ReadParameterWord(int select, std::uint32_t address, std::uint32_t& word);
  // Words block*8 .. block*8+7 of `setWords` (one set of 1024 automatic-EQ parameter words).
  bool WriteParameterBlock(int set, int block, std::span<const std::int32_t> setWords);

 private:
  enum class Reply { Accepted, Nak, Failed };
  enum class Verdict { Accept, Nak, Ignore };

  bool Alive() const { return lineAlive && status != kFailed; }
  // The transaction runs out of attempts; `heard`: bytes came, but none that fit.
  void GiveUp(bool heard = false);
  void Send(std::uint8_t byte);
  template <typename Classify>
  Reply Read(std::uint8_t& byte, int sleepBeforeMs, Classify classify);
  Reply AwaitByte(std::uint8_t expected, int sleepBeforeMs = 0);
  Reply ReadData(std::uint8_t& byte);
  // Counts a negative acknowledge; true when the transaction is to start again.
  bool Restart();
  bool End();
  // Sends the letter, waits for "A", then sends the body and its additive checksum. Nak when the
  // processor refused the letter.
  Reply Announce(std::uint8_t letter, std::span<const std::uint8_t> body, int ackSleepMs = 0);
  // An "I" frame answered by "R": coefficient and parameter-block writes.
  bool WriteFrame(std::span<const std::uint8_t> body);

  bool Short(std::uint8_t letter, int b0, int b1 = 0, int b2 = 0, int b3 = 0);
  bool Checked();
  template <typename Frame>
  bool BothSides(int side, Frame frame);

  SerialPort& port_;
  Clock& clock_;
  // The last failure came from answers that did not fit (refusals, garbage), not from silence.
  bool refused_ = false;
};
