#pragma once

#include <string>

// A serial device of this computer, as the system describes it.
struct FoundPort {
  std::string device;        // e.g. "/dev/ttyUSB0"
  std::string description;   // e.g. "FT232R USB UART"
  std::string manufacturer;  // e.g. "FTDI"
  std::string serialNumber;

  // "FT232R USB UART (FTDI)", or whichever of the two is known.
  std::string Summary() const {
    if (description.empty()) return manufacturer;
    if (manufacturer.empty()) return description;
    return description + " (" + manufacturer + ")";
  }
};
