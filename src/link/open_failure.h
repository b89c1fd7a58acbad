#pragma once

#include <string>

// Why a port could not be opened, as far as the line can tell, and what the user is told.
struct OpenFailure {
  enum class Reason { None, NoDevice, PermissionDenied, InUse, Other };

  static constexpr const char* kOpenFailedText = "Port Open Faild.";
  static constexpr const char* kPermissionText =
      "Permission denied on %1: add your user to the group %2 and log in again";
  // The group serial devices belong to on Debian, for a device whose own group says nothing.
  static constexpr const char* kSerialGroup = "dialout";
  static constexpr const char* kCouldNotOpenNote = "%1: %2 could not be opened";
  static constexpr const char* kNoDeviceNote = "%1: %2 does not exist";
  static constexpr const char* kInUseNote = "%1: %2 is in use by another program";
  static constexpr const char* kNoMappingNote = "%1 stands for no device";

  Reason reason = Reason::None;
  std::string device;  // what the port name stood for; "" when it stood for nothing
  std::string group;   // the group that owns the device, for PermissionDenied

  bool Failed() const { return reason != Reason::None; }
  // The group to join: the device's own, unless that is none or "root".
  std::string GroupToJoin() const;
  // Why the menu item of `portName` is greyed, e.g. "COM2: /dev/ttyS1 could not be opened".
  std::string PortNote(const std::string& portName) const;
};
