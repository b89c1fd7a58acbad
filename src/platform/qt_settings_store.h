#pragma once

#include <QSettings>

#include "common/settings_store.h"

// The application's per-user settings on QSettings: the registry key on Windows, an INI file
// elsewhere, under the organisation and application names the program has always used.
class QtSettingsStore : public SettingsStore {
 public:
  static constexpr const char* kOrganization = "Local AppWizard-Generated Applications";
  static constexpr const char* kApplication = "KRV5200";

  QtSettingsStore();

  int GetInt(std::string_view section, std::string_view key, int defaultValue) override;
  void SetInt(std::string_view section, std::string_view key, int value) override;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view defaultValue) override;
  void SetString(std::string_view section, std::string_view key, std::string_view value) override;

  QSettings& Settings() { return settings_; }

 private:
  QSettings settings_;
};
