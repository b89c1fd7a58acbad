#include "platform/qt_settings_store.h"
#include "platform/qt_text.h"

namespace {

QString KeyOf(std::string_view section, std::string_view key) {
  return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + QLatin1Char('/') +
         QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(kOrganization),
                QString::fromLatin1(kApplication)) {}

int QtSettingsStore::GetInt(std::string_view section, std::string_view key, int defaultValue) {
  bool ok = false;
  const int value = settings_.value(KeyOf(section, key), defaultValue).toInt(&ok);
  return ok ? value : defaultValue;
}

void QtSettingsStore::SetInt(std::string_view section, std::string_view key, int value) {
  settings_.setValue(KeyOf(section, key), value);
}

std::string QtSettingsStore::GetString(std::string_view section, std::string_view key,
                                       std::string_view defaultValue) {
  return settings_.value(KeyOf(section, key), QtText(defaultValue)).toString().toStdString();
}

void QtSettingsStore::SetString(std::string_view section, std::string_view key, std::string_view value) {
  settings_.setValue(KeyOf(section, key), QtText(value));
}
