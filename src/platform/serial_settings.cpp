#include "platform/serial_settings.h"

#include <cstdlib>

#include "common/settings_store.h"

SerialSettings SerialSettings::Read(SettingsStore& settings) {
  SerialSettings s;
  s.baudRate = settings.GetInt(kSection, "BaudRate", 9600);
  s.byteSize = settings.GetInt(kSection, "ByteSize", 8) & 0xFF;
  s.parity = settings.GetInt(kSection, "Parity", 0) & 0xFF;
  s.stopBits = settings.GetInt(kSection, "StopBits", 0) & 0xFF;
  s.outX = (settings.GetInt(kSection, "fOutX", 0) & 1) != 0;
  s.inX = (settings.GetInt(kSection, "fInX", 0) & 1) != 0;
  s.ctsFlow = (settings.GetInt(kSection, "fOutxCtsFlow", 0) & 1) != 0;
  s.dsrFlow = (settings.GetInt(kSection, "fOutxDsrFlow", 0) & 1) != 0;
  return s;
}

std::string PortDevice(const std::string& portName, SettingsStore& settings) {
  if (!portName.empty() && portName.front() == '/') return portName;
  if (portName.size() != 4 || portName.compare(0, 3, "COM") != 0 || portName[3] < '1' || portName[3] > '4') {
    return {};
  }
  const std::string env = "KRV5200_" + portName;
  if (const char* value = std::getenv(env.c_str()); value != nullptr && value[0] != '\0') return value;
  const std::string fallback = "/dev/ttyS" + std::string(1, static_cast<char>(portName[3] - 1));
  return settings.GetString("Ports", portName, fallback);
}
