#include "platform/serial_port_scan.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <filesystem>

namespace {

FoundPort FromInfo(const QSerialPortInfo& info) {
  return {info.systemLocation().toStdString(), info.description().toStdString(),
          info.manufacturer().toStdString(), info.serialNumber().toStdString()};
}

}  // namespace

std::vector<FoundPort> SerialPortScan::Scan() {
  std::vector<FoundPort> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) ports.push_back(FromInfo(info));
  std::sort(ports.begin(), ports.end(),
            [](const FoundPort& a, const FoundPort& b) { return a.device < b.device; });
  return ports;
}

FoundPort SerialPortScan::Describe(const std::string& device) {
  FoundPort port{device, {}, {}, {}};
  std::error_code ec;
  const std::filesystem::path target = std::filesystem::canonical(device, ec);
  if (ec) {
    port.description = kNotPresent;
    return port;
  }
  // A symbolic link (such as the simulator's) is described by what it leads to.
  const QSerialPortInfo info(QString::fromStdString(target.string()));
  if (!info.isNull() && (!info.description().isEmpty() || !info.manufacturer().isEmpty())) {
    FoundPort known = FromInfo(info);
    known.device = device;
    return known;
  }
  if (target.string().rfind("/dev/pts/", 0) == 0) port.description = kPseudoTerminal;
  return port;
}
