#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "link/open_failure.h"

class Dialogs;
class MessagePump;
class SerialLine;

// The process's one processor port on top of the raw line: it reports a failed open, refuses
// every transfer at once while closed, and keeps the windows alive between bytes.
class SerialPort {
 public:
  static constexpr const char* kOpenFailedText = OpenFailure::kOpenFailedText;

  SerialPort(SerialLine& line, Dialogs& dialogs, MessagePump& pump);

  // Replaces any port already open; on failure shows "Port Open Faild." (or, when the user may
  // not use the device, which group to join) and stays closed.
  bool OpenPort(const std::string& portName);
  // False when nothing was open.
  bool ClosePort();
  bool IsOpen() const;
  // Opens and closes the device at once, without any message; true when the open succeeded.
  bool ProbePort(const std::string& portName);
  // Why the last probe of `portName` failed; reason None when it succeeded or never ran.
  OpenFailure ProbeFailure(const std::string& portName) const;

  // Bytes moved (0 or 1). While closed they return 0 at once without pumping; otherwise the
  // pending window events are delivered after the byte unless `noPump` is set.
  int SendByte(std::uint8_t byte, bool noPump);
  int ReceiveByte(std::uint8_t& byte, bool noPump);

  SerialLine& Line() { return line_; }

 private:
  SerialLine& line_;
  Dialogs& dialogs_;
  MessagePump& pump_;
  std::map<std::string, OpenFailure> probeFailures_;
};
