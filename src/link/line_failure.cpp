#include "link/line_failure.h"

std::string LineFailure::Note(const std::string& portName) const {
  const char* text = nullptr;
  switch (kind) {
    case Kind::None:
      return {};
    case Kind::NoAnswer:
      text = kNoAnswerNote;
      break;
    case Kind::Refused:
      text = kRefusedNote;
      break;
    case Kind::DeviceGone:
      text = kDeviceGoneNote;
      break;
  }
  // A port given as a device path names its device already.
  const std::string place = device.empty() || device == portName ? portName : portName + " (" + device + ")";
  std::string note = text;
  note.replace(note.find("%1"), 2, place);
  return note;
}
