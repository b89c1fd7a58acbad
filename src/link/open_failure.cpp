#include "link/open_failure.h"

#include "common/text_fill.h"

std::string OpenFailure::GroupToJoin() const {
  return group.empty() || group == "root" ? std::string(kSerialGroup) : group;
}

std::string OpenFailure::ConnectMessage() const {
  if (reason == Reason::PermissionDenied && !device.empty())
    return FillPlaceholders(kPermissionText, device, GroupToJoin());
  return kOpenFailedText;
}

std::string OpenFailure::PortNote(const std::string& portName) const {
  if (device.empty()) return FillPlaceholders(kNoMappingNote, portName);
  switch (reason) {
    case Reason::PermissionDenied:
      return portName + ": " + FillPlaceholders(kPermissionText, device, GroupToJoin());
    case Reason::NoDevice:
      return FillPlaceholders(kNoDeviceNote, portName, device);
    case Reason::InUse:
      return FillPlaceholders(kInUseNote, portName, device);
    case Reason::None:
    case Reason::Other:
      break;
  }
  return FillPlaceholders(kCouldNotOpenNote, portName, device);
}
