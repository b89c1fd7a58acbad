#include "link/serial_settings.h"

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

void SerialSettings::WriteChanges(SettingsStore& settings, const SerialSettings& before) const {
  const auto put = [&](const char* key, int now, int was) {
    if (now != was) settings.SetInt(kSection, key, now);
  };
  put("BaudRate", baudRate, before.baudRate);
  put("ByteSize", byteSize, before.byteSize);
  put("Parity", parity, before.parity);
  put("StopBits", stopBits, before.stopBits);
  put("fOutX", outX, before.outX);
  put("fInX", inX, before.inX);
  put("fOutxCtsFlow", ctsFlow, before.ctsFlow);
  put("fOutxDsrFlow", dsrFlow, before.dsrFlow);
}

const char* PortMapping::ProcessEnvironment(const char* name) { return std::getenv(name); }

int PortMapping::IndexOf(const std::string& portName) {
  for (int i = 0; i < kCount; ++i) {
    if (portName == kNames[static_cast<std::size_t>(i)]) return i;
  }
  return -1;
}

std::string PortMapping::DefaultDevice(int index) { return "/dev/ttyS" + std::to_string(index); }

std::string PortMapping::EnvironmentVariable(int index) {
  return std::string("KRV5200_") + kNames[static_cast<std::size_t>(index)];
}

std::string PortMapping::FromEnvironment(int index, const Environment& environment) {
  const char* value = environment ? environment(EnvironmentVariable(index).c_str()) : nullptr;
  return value != nullptr ? std::string(value) : std::string();
}

std::string PortMapping::Stored(int index, SettingsStore& settings) {
  return settings.GetString(kSection, kNames[static_cast<std::size_t>(index)], DefaultDevice(index));
}

std::string PortDevice(const std::string& portName, SettingsStore& settings,
                       const PortMapping::Environment& environment) {
  if (!portName.empty() && portName.front() == '/') return portName;
  const int index = PortMapping::IndexOf(portName);
  if (index < 0) return {};
  const std::string fromEnvironment = PortMapping::FromEnvironment(index, environment);
  return fromEnvironment.empty() ? PortMapping::Stored(index, settings) : fromEnvironment;
}
