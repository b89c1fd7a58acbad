#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/fault_switches.h"
#include "sim/frame_record.h"
#include "sim/processor_state.h"
#include "sim/simulator_config.h"

// The processor's side of the RS-232 protocol: bytes in, bytes out, in time given by the caller
// (microseconds, virtual or real). It acknowledges each command letter, reads the frame's body,
// checks its checksum, applies the command to its state and answers.
//
// Time: Receive(byte, t) says the byte started arriving at t; with pacing on it has arrived one
// byte time (10 bits at the baud rate) later, and only then is it handled. Each reply byte
// likewise becomes available one byte time after the previous one has left. Advance(t) handles
// everything due by t; TakeOutput(byte, t) hands out a reply byte that is available by t.
class ProcessorSimulator {
 public:
  explicit ProcessorSimulator(SimulatorConfig config = {});

  void Receive(std::uint8_t byte, std::int64_t nowUs);
  void Advance(std::int64_t nowUs);
  bool TakeOutput(std::uint8_t& byte, std::int64_t nowUs);
  // When the next reply byte is (or was) available; empty when nothing is queued.
  std::optional<std::int64_t> NextOutputUs() const;
  // The earliest moment something happens: a byte finishes arriving or a reply byte is due.
  std::optional<std::int64_t> NextEventUs() const;
  // The PC closed the line: a partial frame, bytes in flight and unread replies are dropped.
  void ResetLine(std::int64_t nowUs);

  // 8N1 time of one byte at the fault switches' baud rate, rounded to the microsecond; 0 when
  // pacing is off.
  std::int64_t ByteTimeUs() const { return ByteTimeUs(faults_.baud); }
  static std::int64_t ByteTimeUs(int baud);

  ProcessorState& State() { return state_; }
  const ProcessorState& State() const { return state_; }
  SimulatorConfig& Config() { return config_; }
  FaultSwitches& Faults() { return faults_; }

  // Fixes the spectrum levels; without this they move with time.
  void SetSpectrumLevels(const std::array<std::uint8_t, kGeqBandCount>& levels);
  // The level the moving spectrum shows for a band at a time (0..60; above 47 now and then).
  static std::uint8_t MovingSpectrumLevel(int band, std::int64_t nowUs);
  // The parameter word an automatic-EQ measurement leaves at word `word` of set 1 or 2.
  static std::uint32_t MeasuredParameterWord(int set, int word);

  // Frames seen so far (kept only while no log sink is set).
  const std::vector<FrameRecord>& Frames() const { return frames_; }
  // The bytes of each frame the PC sent, in order, whatever became of it.
  std::vector<std::vector<std::uint8_t>> FramesFromPc() const;
  void ClearFrames() { frames_.clear(); }
  // Sends every frame's log line to `sink` instead of keeping the records.
  void SetLogSink(std::function<void(const std::string&)> sink) { sink_ = std::move(sink); }

 private:
  struct TimedByte {
    std::uint8_t byte;
    std::int64_t atUs;
  };
  struct Outcome {
    bool applied = true;
    std::string note;
    std::vector<std::uint8_t> data{};  // what a query answers after its "R"
  };
  static Outcome Refused(std::string note) { return {false, std::move(note), {}}; }

  void HandleByte(std::uint8_t byte, std::int64_t atUs);
  void CompleteFrame(std::int64_t atUs);
  void EndFrame(std::int64_t atUs, const std::string& result);
  void Emit(std::uint8_t byte, std::int64_t atUs);
  void Log(FrameRecord record);
  bool Silent() const;

  Outcome ApplyShort();
  Outcome ApplyCoefficients();
  Outcome ApplyByteQuery(std::int64_t atUs);
  Outcome ApplyWordQuery();
  std::uint8_t StatusAnswer();
  void FinishMeasurement();
  void Warn(Outcome& outcome, const std::string& note);
  std::uint8_t Body(std::size_t i) const { return frame_[1 + i]; }

  SimulatorConfig config_;
  FaultSwitches faults_;
  ProcessorState state_;

  std::deque<TimedByte> input_;
  std::deque<TimedByte> output_;
  std::int64_t inputFreeUs_ = 0;   // when the line from the PC is free for the next byte
  std::int64_t outputFreeUs_ = 0;  // when the line to the PC is free for the next byte

  bool inFrame_ = false;
  std::vector<std::uint8_t> frame_;  // letter, body and checksum as received
  std::size_t frameLength_ = 0;      // bytes the current frame will have in all
  std::vector<std::uint8_t> reply_;  // bytes answered to the current frame
  std::int64_t lastByteUs_ = 0;

  std::vector<FrameRecord> frames_;
  std::function<void(const std::string&)> sink_;
};
