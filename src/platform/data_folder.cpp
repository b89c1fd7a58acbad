#include "platform/data_folder.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

#include "platform/qt_settings_store.h"

std::string DataFolder::Path() {
  QCoreApplication::setOrganizationName(QString::fromLatin1(QtSettingsStore::kOrganization));
  QCoreApplication::setApplicationName(QString::fromLatin1(QtSettingsStore::kApplication));
  return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
      .toStdString();
}
