#pragma once

#include <string>

// The user's data folder, where the snapshots and the recovery files live: Qt's application
// data location under the organisation and application names the settings store uses
// (~/.local/share/Local AppWizard-Generated Applications/KRV5200 on Linux, or below
// XDG_DATA_HOME when that is set). Empty when the system names none.
class DataFolder {
 public:
  static std::string Path();
};
