#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/virtual_clock.h"
#include "link/serial_line.h"
#include "sim/processor_simulator.h"

// A serial line wired straight to a simulated processor, in virtual time: the PC side of the
// tests runs against it with no device and no waiting.
//
// Time: a receive with no reply byte due within the 20 ms time-out moves the clock on by
// 20 ms and returns 0; with pacing on (Faults().baud), a send moves it on by the byte's wire
// time and a receive by the time until the reply byte has arrived. A closed line returns 0 at
// once and leaves the clock alone.
//
//   VirtualClock clock;
//   InMemoryLine line(clock);            // a processor of its own, reachable as "COM1"
//   line.Faults().nakFrames = 2;         // misbehave
//   ... run the PC's link over `line` ...
//   EXPECT_EQ(line.State().settings.delaySteps[6], 123);
class InMemoryLine : public SerialLine {
 public:
  static constexpr std::int64_t kTimeoutUs = 20000;

  explicit InMemoryLine(VirtualClock& clock);
  // A line to a processor owned by the caller, e.g. to keep it across several lines.
  InMemoryLine(VirtualClock& clock, ProcessorSimulator& processor);

  bool Open(const std::string& portName) override;
  bool Close() override;
  bool IsOpen() const override { return open_; }
  bool Probe(const std::string& portName) override;
  int SendByte(std::uint8_t byte) override;
  int ReceiveByte(std::uint8_t& byte) override;

  ProcessorSimulator& Processor() { return *processor_; }
  ProcessorState& State() { return processor_->State(); }
  FaultSwitches& Faults() { return processor_->Faults(); }
  VirtualClock& Clock() { return clock_; }

  // The device names that can be opened and probed (default: "COM1" only).
  void SetPortNames(std::vector<std::string> names) { portNames_ = std::move(names); }
  const std::string& OpenName() const { return openName_; }
  int OpenCount() const { return openCount_; }
  // A device that takes no bytes: each send waits out the time-out and returns 0.
  void SetRefusing(bool refusing) { refusing_ = refusing; }
  // The device goes away, as an unplugged adapter does: every transfer fails at once.
  void Unplug() { unplugged_ = true; }
  bool DeviceGone() const override { return unplugged_; }

  // Runs after each byte the PC sent, e.g. to look at the windows in the middle of a transfer.
  std::function<void()> onSent;

  // Every byte the PC sent and received, in order, since the start or the last ClearTraffic.
  const std::vector<std::uint8_t>& Sent() const { return sent_; }
  const std::vector<std::uint8_t>& Received() const { return received_; }
  void ClearTraffic();

 private:
  bool Known(const std::string& portName) const;

  VirtualClock& clock_;
  std::unique_ptr<ProcessorSimulator> owned_;
  ProcessorSimulator* processor_;
  std::vector<std::string> portNames_{"COM1"};
  bool open_ = false;
  bool refusing_ = false;
  bool unplugged_ = false;
  std::string openName_;
  int openCount_ = 0;
  std::vector<std::uint8_t> sent_;
  std::vector<std::uint8_t> received_;
};
