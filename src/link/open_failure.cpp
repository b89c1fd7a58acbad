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

std::string OpenFailure::PortNote(const std::string& portName) const {
  if (device.empty()) return Fill(kNoMappingNote, portName);
  std::string note;
  switch (reason) {
    case Reason::PermissionDenied:
      note = portName + ": " + Fill(kPermissionText, device, GroupToJoin());
      break;
    case Reason::NoDevice:
      note = Fill(kNoDeviceNote, portName, device);
      break;
    case Reason::InUse:
      note = Fill(kInUseNote, portName, device);
      break;
    case Reason::None:
    case Reason::Other:
      note = Fill(kCouldNotOpenNote, portName, device);
      break;
  }
  // A port given as a device path is named once.
  return device == portName ? note.substr(portName.size() + 2) : note;
}
