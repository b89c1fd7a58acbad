#pragma once

#include <array>
#include <functional>
#include <string>

class SettingsStore;

// The line settings of the "RS_Set_Up" section. Nothing creates these values until the user
// changes one in "Port Settings..."; when they are absent the defaults apply: 9600 baud, 8 data
// bits, no parity, one stop bit, no flow control.
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
  // Writes only the values that differ from `before` (what Read gave), so that a value the user
  // left alone stays as it was stored, or absent.
  void WriteChanges(SettingsStore& settings, const SerialSettings& before) const;

  bool operator==(const SerialSettings&) const = default;
};

// Where "COM1".."COM4" lead: the environment (KRV5200_COM1..KRV5200_COM4) first, then the
// settings section "Ports" (keys "COM1".."COM4"), then "/dev/ttyS0".."/dev/ttyS3".
struct PortMapping {
  static constexpr const char* kSection = "Ports";
  static constexpr int kCount = 4;
  static constexpr std::array<const char*, kCount> kNames = {"COM1", "COM2", "COM3", "COM4"};

  // Reads a variable of the environment; nullptr when it is not set.
  using Environment = std::function<const char*(const char*)>;
  static const char* ProcessEnvironment(const char* name);

  // 0..3 for "COM1".."COM4", -1 for any other name.
  static int IndexOf(const std::string& portName);
  static std::string DefaultDevice(int index);
  static std::string EnvironmentVariable(int index);
  // The device the environment sets, or "" when it sets none (an empty variable does not count).
  static std::string FromEnvironment(int index, const Environment& environment);
  // The device the settings store names, or the default.
  static std::string Stored(int index, SettingsStore& settings);
};

// The device behind a port name as the line opens it: "COM1".."COM4" as PortMapping says, a
// name beginning with "/" is a device path already, and any other name stands for nothing ("").
std::string PortDevice(const std::string& portName, SettingsStore& settings,
                       const PortMapping::Environment& environment = PortMapping::ProcessEnvironment);
