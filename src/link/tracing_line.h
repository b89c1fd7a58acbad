#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "link/serial_line.h"

// Passes everything through to another line and writes every byte that crossed it, in
// hexadecimal, one line per byte: "> 53" from the PC, "< 41" to it.
class TracingLine : public SerialLine {
 public:
  TracingLine(SerialLine& inner, std::FILE* out) : inner_(inner), out_(out) {}

  bool Open(const std::string& portName) override;
  bool Close() override;
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool Probe(const std::string& portName) override { return inner_.Probe(portName); }
  OpenFailure LastOpenFailure() const override { return inner_.LastOpenFailure(); }
  std::string DeviceFor(const std::string& portName) const override { return inner_.DeviceFor(portName); }
  bool DeviceGone() const override { return inner_.DeviceGone(); }
  int SendByte(std::uint8_t byte) override;
  int ReceiveByte(std::uint8_t& byte) override;

 private:
  SerialLine& inner_;
  std::FILE* out_;
};
