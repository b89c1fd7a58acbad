#include "link/line_failure.h"

#include "common/text_fill.h"

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
  return FillPlaceholders(text, place);
}
