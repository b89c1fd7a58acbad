#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "link/line_failure.h"
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

  // Replaces any port already open; on failure shows "Port Open Faild." with the reason under it
  // (the device is missing, in use, or which group to join to use it) and stays closed.
  bool OpenPort(const std::string& portName);
  // False when nothing was open.
  bool ClosePort();
  bool IsOpen() const;
  // Opens and closes the device at once, without any message; true when the open succeeded.
  bool ProbePort(const std::string& portName);
  // Why the last probe of `portName` failed; reason None when it succeeded or never ran.
  OpenFailure ProbeFailure(const std::string& portName) const;

  // A transaction on the open port gave up: `refused` when answers came but none that fit
  // (refusals, garbage), else nothing came. Nothing is noted once the port is closed, so a later attempt on
  // the closed port does not hide the first cause.
  void NoteTransferFailure(bool refused);
  // The plain line that goes under a link failure's message: the port, its device and the
  // likely cause of the last failed open or exchange; "" when nothing failed.
  std::string FailureNote() const;

  // Bytes moved (0 or 1). While closed they return 0 at once without pumping; otherwise the
  // pending window events are delivered after the byte, or with `noPump` set only what paints
  // the windows.
  int SendByte(std::uint8_t byte, bool noPump);
  int ReceiveByte(std::uint8_t& byte, bool noPump);

  SerialLine& Line() { return line_; }

 private:
  void Pump(bool noPump);

  SerialLine& line_;
  Dialogs& dialogs_;
  MessagePump& pump_;
  std::map<std::string, OpenFailure> probeFailures_;
  std::string portName_;  // the name last given to OpenPort
  OpenFailure openFailure_;
  LineFailure::Kind transferFailure_ = LineFailure::Kind::None;
};
