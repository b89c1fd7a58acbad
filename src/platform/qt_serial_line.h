#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "link/serial_line.h"

class QSerialPort;
class SettingsStore;

// The processor line on a real serial device, configured from the "RS_Set_Up" settings on every
// open. Each byte waits at most about 20 ms each way, and a sent byte counts as sent only once
// it has had time to leave at the line's baud rate.
class QtSerialLine : public SerialLine {
 public:
  static constexpr int kByteTimeoutMs = 20;

  explicit QtSerialLine(SettingsStore& settings);
  ~QtSerialLine() override;

  bool Open(const std::string& portName) override;
  bool Close() override;
  bool IsOpen() const override;
  bool Probe(const std::string& portName) override;
  OpenFailure LastOpenFailure() const override { return lastFailure_; }
  std::string DeviceFor(const std::string& portName) const override;
  bool DeviceGone() const override;
  int SendByte(std::uint8_t byte) override;
  int ReceiveByte(std::uint8_t& byte) override;

  // The device the last Open resolved the port name to.
  const std::string& DevicePath() const { return devicePath_; }

 private:
  using Clock = std::chrono::steady_clock;

  bool Apply();
  // Opens `device` on `port`; on failure records why.
  bool OpenDevice(QSerialPort& port, const std::string& device);
  void WaitForWire(Clock::time_point start);
  // Clears the port's error after a failed transfer, remembering whether the device went away.
  void ClearError();

  SettingsStore& settings_;
  std::unique_ptr<QSerialPort> port_;
  std::string devicePath_;
  OpenFailure lastFailure_;
  bool deviceGone_ = false;
  std::chrono::nanoseconds byteTime_{0};
  Clock::time_point lineFreeAt_{};
};
