#include "link/port_setup_editor.h"

#include <algorithm>
#include <cctype>

#include "common/settings_store.h"
#include "common/text_fill.h"

namespace {

std::string Trimmed(const std::string& text) {
  const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
  auto first = std::find_if_not(text.begin(), text.end(), blank);
  auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return first < last ? std::string(first, last) : std::string();
}

// Digits only, within the line's range; 0 otherwise.
int ParseBaud(const std::string& text) {
  if (text.empty() || text.size() > 8) return 0;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value >= PortSetupEditor::kMinBaud && value <= PortSetupEditor::kMaxBaud ? value : 0;
}

const std::string& NameOf(int index) {
  static const std::array<std::string, PortMapping::kCount> names = {"COM1", "COM2", "COM3", "COM4"};
  return names[static_cast<std::size_t>(index)];
}

}  // namespace

PortSetupEditor::PortSetupEditor(SettingsStore& settings, PortMapping::Environment environment)
    : settings_(settings), before_(SerialSettings::Read(settings)), line_(before_) {
  for (int i = 0; i < kPortCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    environment_[at] = PortMapping::FromEnvironment(i, environment);
    stored_[at] = PortMapping::Stored(i, settings_);
    device_[at] = stored_[at];
  }
  baudText_ = std::to_string(line_.baudRate);
}

void PortSetupEditor::SetFoundPorts(std::vector<FoundPort> found, const Describe& describe) {
  ports_.clear();
  const auto listed = [this](const std::string& device) {
    return std::any_of(ports_.begin(), ports_.end(), [&](const FoundPort& p) { return p.device == device; });
  };
  for (FoundPort& port : found) {
    if (!port.device.empty() && !listed(port.device)) ports_.push_back(std::move(port));
  }
  for (int i = 0; i < kPortCount; ++i) {
    const std::string device = Device(i);
    if (device.empty() || listed(device)) continue;
    FoundPort extra = describe ? describe(device) : FoundPort{};
    extra.device = device;
    ports_.push_back(std::move(extra));
  }
}

std::string PortSetupEditor::UsedAs(const std::string& device) const {
  std::string names;
  for (int i = 0; i < kPortCount; ++i) {
    if (device.empty() || Device(i) != device) continue;
    if (!names.empty()) names += ", ";
    names += NameOf(i);
  }
  return names;
}

std::vector<std::string> PortSetupEditor::DeviceChoices() const {
  std::vector<std::string> choices;
  const auto add = [&choices](const std::string& device) {
    if (std::find(choices.begin(), choices.end(), device) == choices.end()) choices.push_back(device);
  };
  for (const FoundPort& port : ports_) add(port.device);
  for (int i = 0; i < kPortCount; ++i) add(PortMapping::DefaultDevice(i));
  return choices;
}

std::string PortSetupEditor::Device(int index) const {
  const auto at = static_cast<std::size_t>(index);
  return environment_[at].empty() ? device_[at] : environment_[at];
}

bool PortSetupEditor::SetByEnvironment(int index) const {
  return !environment_[static_cast<std::size_t>(index)].empty();
}

std::string PortSetupEditor::Note(int index) const {
  if (SetByEnvironment(index))
    return FillPlaceholders(kEnvironmentNote, PortMapping::EnvironmentVariable(index));
  const std::string device = Device(index);
  for (const FoundPort& port : ports_) {
    if (port.device == device) return port.Summary();
  }
  return {};
}

void PortSetupEditor::SetDevice(int index, const std::string& text) {
  if (SetByEnvironment(index)) return;
  device_[static_cast<std::size_t>(index)] = Trimmed(text);
}

void PortSetupEditor::SetBaudText(const std::string& text) { baudText_ = Trimmed(text); }

void PortSetupEditor::RestoreDefaults() {
  for (int i = 0; i < kPortCount; ++i) device_[static_cast<std::size_t>(i)] = PortMapping::DefaultDevice(i);
  line_ = SerialSettings{};
  baudText_ = std::to_string(line_.baudRate);
}

std::string PortSetupEditor::Check() const {
  for (int i = 0; i < kPortCount; ++i) {
    if (SetByEnvironment(i)) continue;
    const std::string& device = device_[static_cast<std::size_t>(i)];
    if (device.empty()) return FillPlaceholders(kNoDeviceText, NameOf(i));
    const bool control = std::any_of(device.begin(), device.end(), [](unsigned char c) { return c < 0x20; });
    if (device.front() != '/' || control) return FillPlaceholders(kBadDeviceText, NameOf(i), device);
  }
  if (ParseBaud(baudText_) == 0) return kBadBaudText;
  return {};
}

bool PortSetupEditor::Apply(std::vector<int>* changedPorts) {
  if (!Check().empty()) return false;
  if (changedPorts != nullptr) changedPorts->clear();
  for (int i = 0; i < kPortCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (SetByEnvironment(i) || device_[at] == stored_[at]) continue;
    settings_.SetString(PortMapping::kSection, NameOf(i), device_[at]);
    stored_[at] = device_[at];
    if (changedPorts != nullptr) changedPorts->push_back(i);
  }
  line_.baudRate = ParseBaud(baudText_);
  line_.WriteChanges(settings_, before_);
  before_ = line_;
  return true;
}
