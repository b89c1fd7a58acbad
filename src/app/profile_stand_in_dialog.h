#pragma once

#include <QDialog>

struct CustomerProfile;

// A plain editor of the customer profile's main fields, used until the full profile dialog with
// its component tables and printed report takes its place. Whichever way it is left, the edits
// are kept.
class ProfileStandInDialog : public QDialog {
  Q_OBJECT

 public:
  ProfileStandInDialog(CustomerProfile& profile, QWidget* parent = nullptr);

  // Shows it modally and writes the fields back into the profile.
  void Edit();

 private:
  CustomerProfile& profile_;
};
