#pragma once

#include <cstdint>
#include <string>

#include "link/open_failure.h"

// The raw device behind the processor port: one byte at a time, each direction with a time-out
// of about 20 ms. The real one is a serial port; tests use an in-memory line in virtual time.
class SerialLine {
 public:
  virtual ~SerialLine() = default;

  // Opens the named device exclusively with the line settings; false when it cannot be opened.
  virtual bool Open(const std::string& portName) = 0;
  // Closes the device; false when nothing was open.
  virtual bool Close() = 0;
  virtual bool IsOpen() const = 0;
  // Opens and closes the device at once; true when the open succeeded.
  virtual bool Probe(const std::string& portName) = 0;
  // Why the last Open or Probe failed; a line that cannot tell says Other.
  virtual OpenFailure LastOpenFailure() const { return {OpenFailure::Reason::Other, {}, {}}; }
  // The device a port name stands for; "" when the line cannot tell.
  virtual std::string DeviceFor(const std::string& portName) const {
    (void)portName;
    return {};
  }
  // True once the device of the open (or last opened) port has gone away, as an unplugged
  // adapter does.
  virtual bool DeviceGone() const { return false; }
  // Number of bytes written (0 or 1); returns when the byte has left or the time-out passed.
  virtual int SendByte(std::uint8_t byte) = 0;
  // Number of bytes read (0 or 1); on 0 the byte is left as it was.
  virtual int ReceiveByte(std::uint8_t& byte) = 0;
};
