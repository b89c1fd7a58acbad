#pragma once

#include <string>
#include <string_view>

// The application's per-user settings, by section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual int GetInt(std::string_view section, std::string_view key, int defaultValue) = 0;
  virtual void SetInt(std::string_view section, std::string_view key, int value) = 0;
  virtual std::string GetString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) = 0;
  virtual void SetString(std::string_view section, std::string_view key, std::string_view value) = 0;
};
