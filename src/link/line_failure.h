#pragma once

#include <string>

// Why an exchange with the processor broke off, as far as the link can tell, and the plain line
// that says so under the system's own message ("CHKSUM ERROR", "Port Not Connect", ...).
struct LineFailure {
  enum class Kind {
    None,
    NoAnswer,    // nothing (or nothing sensible) came back: cable or power
    Refused,     // answers came, but refusals or nonsense: line settings or a noisy cable
    DeviceGone,  // the device itself went away: an adapter unplugged
  };

  static constexpr const char* kNoAnswerNote =
      "%1: no answer from the processor: check the cable and that the processor is switched on";
  static constexpr const char* kRefusedNote =
      "%1: no sensible answer from the processor: check the line settings (baud rate) and the cable";
  static constexpr const char* kDeviceGoneNote =
      "%1: the device has gone away: the USB adapter was probably unplugged";

  Kind kind = Kind::None;
  std::string device;  // what the port name stands for; "" when the line cannot tell

  // "COM1 (/dev/ttyUSB0): no answer from the processor: ..."; "" for None.
  std::string Note(const std::string& portName) const;
};
