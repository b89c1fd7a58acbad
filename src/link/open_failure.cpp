#include "link/open_failure.h"

#include "common/text_fill.h"

std::string OpenFailure::GroupToJoin() const {
  return group.empty() || group == "root" ? std::string(kSerialGroup) : group;
}

std::string OpenFailure::PortNote(const std::string& portName) const {
  if (device.empty()) return FillPlaceholders(kNoMappingNote, portName);
  std::string note;
  switch (reason) {
    case Reason::PermissionDenied:
      note = portName + ": " + FillPlaceholders(kPermissionText, device, GroupToJoin());
      break;
    case Reason::NoDevice:
      note = FillPlaceholders(kNoDeviceNote, portName, device);
      break;
    case Reason::InUse:
      note = FillPlaceholders(kInUseNote, portName, device);
      break;
    case Reason::None:
    case Reason::Other:
      note = FillPlaceholders(kCouldNotOpenNote, portName, device);
      break;
  }
  // A port given as a device path is named once.
  return device == portName ? note.substr(portName.size() + 2) : note;
}
