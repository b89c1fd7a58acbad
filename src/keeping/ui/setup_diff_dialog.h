#pragma once

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <string>
#include <vector>

#include "keeping/setup_diff.h"

// "Compare": the differences from the current setup to another one, a row each in the windows'
// language ("Parametric EQ, Front, L ch, band 3: gain 0 dB -> -3 dB").
class SetupDiffDialog : public QDialog {
 public:
  static constexpr const char* kTitle = "Compare";

  explicit SetupDiffDialog(QWidget* parent);

  // Shows `rows`, the differences from the current setup to `otherName`.
  void ShowRows(const std::string& otherName, const std::vector<SetupDiff::Row>& rows);

  QLabel* Heading() const { return heading_; }
  QListWidget* Rows() const { return rows_; }

 private:
  QLabel* heading_ = nullptr;
  QListWidget* rows_ = nullptr;
};
