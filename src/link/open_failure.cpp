#include "link/open_failure.h"

namespace {

std::string Fill(std::string text, const std::string& first, const std::string& second = {}) {
  if (const auto at = text.find("%1"); at != std::string::npos) text.replace(at, 2, first);
  if (const auto at = text.find("%2"); at != std::string::npos) text.replace(at, 2, second);
  return text;
}

}  // namespace

std::string OpenFailure::GroupToJoin() const {
  return group.empty() || group == "root" ? std::string(kSerialGroup) : group;
}

std::string OpenFailure::ConnectMessage() const {
  if (reason == Reason::PermissionDenied && !device.empty())
    return Fill(kPermissionText, device, GroupToJoin());
  return kOpenFailedText;
}

std::string OpenFailure::PortNote(const std::string& portName) const {
  if (device.empty()) return Fill(kNoMappingNote, portName);
  switch (reason) {
    case Reason::PermissionDenied:
      return portName + ": " + Fill(kPermissionText, device, GroupToJoin());
    case Reason::NoDevice:
      return Fill(kNoDeviceNote, portName, device);
    case Reason::InUse:
      return Fill(kInUseNote, portName, device);
    case Reason::None:
    case Reason::Other:
      break;
  }
  return Fill(kCouldNotOpenNote, portName, device);
}
