#pragma once

#include <string>

class SettingsStore;

// The line settings of the "RS_Set_Up" section. Nothing creates these values; when they are
// absent the defaults apply: 9600 baud, 8 data bits, no parity, one stop bit, no flow control.
struct SerialSettings {
  static constexpr const char* kSection = "RS_Set_Up";

  int baudRate = 9600;
  int byteSize = 8;
  int parity = 0;        // 0 none, 1 odd, 2 even, 3 mark, 4 space
  int stopBits = 0;      // 0 one, 1 one and a half, 2 two
  bool outX = false;     // XON/XOFF on output
  bool inX = false;      // XON/XOFF on input
  bool ctsFlow = false;  // CTS output flow control
  bool dsrFlow = false;  // DSR output flow control

  // Byte size, parity and stop bits take the value's low byte, the switches its bit 0.
  static SerialSettings Read(SettingsStore& settings);
};

// The device behind a port name: "COM1".."COM4" are looked up in the environment
// (KRV5200_COM1..KRV5200_COM4), then in the settings section "Ports" (keys "COM1".."COM4",
// defaults "/dev/ttyS0".."/dev/ttyS3"); a name beginning with "/" is a device path already.
// Empty for any other name.
std::string PortDevice(const std::string& portName, SettingsStore& settings);
