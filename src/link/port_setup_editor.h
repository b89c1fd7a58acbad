#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "link/found_port.h"
#include "link/serial_settings.h"

class SettingsStore;

// The rules of "Port Settings...": which device each of "COM1".."COM4" stands for, and the line
// settings of "RS_Set_Up". It edits a copy and writes back to the settings store only on Apply,
// and then only what the user changed. A port the environment sets (KRV5200_COM1..) is shown
// but cannot be changed here, since the environment would win anyway.
class PortSetupEditor {
 public:
  static constexpr int kPortCount = PortMapping::kCount;
  static constexpr int kMinBaud = 50;
  static constexpr int kMaxBaud = 4000000;
  static constexpr std::array<int, 8> kBaudRates = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
  static constexpr const char* kEnvironmentNote = "set by %1";
  static constexpr const char* kNoDeviceText = "%1 needs a device, such as /dev/ttyUSB0.";
  static constexpr const char* kBadDeviceText =
      "%1: \"%2\" is not a device. A device is a path such as /dev/ttyUSB0.";
  static constexpr const char* kBadBaudText = "The baud rate must be a whole number from 50 to 4000000.";

  // Describes a device the system did not list, e.g. a pseudo-terminal or a missing one.
  using Describe = std::function<FoundPort(const std::string& device)>;

  explicit PortSetupEditor(SettingsStore& settings,
                           PortMapping::Environment environment = PortMapping::ProcessEnvironment);

  // The devices the system lists, then every device a port stands for that is not among them.
  void SetFoundPorts(std::vector<FoundPort> found, const Describe& describe);
  const std::vector<FoundPort>& Ports() const { return ports_; }
  // The ports a device stands behind, e.g. "COM1, COM3".
  std::string UsedAs(const std::string& device) const;

  // The device choices offered for every port: the listed devices, then /dev/ttyS0../dev/ttyS3.
  std::vector<std::string> DeviceChoices() const;
  // What the port's row shows and edits; for a port the environment sets, that device.
  std::string Device(int index) const;
  bool SetByEnvironment(int index) const;
  // The environment's variable, or the summary of the chosen device.
  std::string Note(int index) const;
  // Taken as typed (without surrounding blanks); checked by Check.
  void SetDevice(int index, const std::string& text);

  SerialSettings& Line() { return line_; }
  const SerialSettings& Line() const { return line_; }
  const std::string& BaudText() const { return baudText_; }
  void SetBaudText(const std::string& text);

  // Standard devices and line settings; ports set by the environment stay as they are.
  void RestoreDefaults();

  // The first entry that cannot be taken, as the message to show; "" when all can.
  std::string Check() const;
  // Writes what changed to the settings store and returns true; nothing at all while Check
  // fails. `changedPorts` receives the indexes whose device changed.
  bool Apply(std::vector<int>* changedPorts = nullptr);

 private:
  SettingsStore& settings_;
  std::array<std::string, kPortCount> environment_{};
  std::array<std::string, kPortCount> stored_{};
  std::array<std::string, kPortCount> device_{};
  SerialSettings before_;
  SerialSettings line_;
  std::string baudText_;
  std::vector<FoundPort> ports_;
};
