#pragma once

#include <map>
#include <string>
#include <string_view>

#include "common/settings_store.h"

// Settings kept in memory, so that no test touches the user's own.
class MemorySettings : public SettingsStore {
 public:
  int GetInt(std::string_view section, std::string_view key, int defaultValue) override {
    const auto it = ints.find(Key(section, key));
    return it == ints.end() ? defaultValue : it->second;
  }
  void SetInt(std::string_view section, std::string_view key, int value) override {
    ints[Key(section, key)] = value;
  }
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view defaultValue) override {
    const auto it = strings.find(Key(section, key));
    return it == strings.end() ? std::string(defaultValue) : it->second;
  }
  void SetString(std::string_view section, std::string_view key, std::string_view value) override {
    strings[Key(section, key)] = std::string(value);
  }

  std::map<std::string, int> ints;
  std::map<std::string, std::string> strings;

 private:
  static std::string Key(std::string_view section, std::string_view key) {
    return std::string(section) + "/" + std::string(key);
  }
};
