#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "document/customer_profile.h"
#include "graphics/printed_report.h"
#include "profile/customer_profile_view.h"
#include "profile/profile_box.h"

class Dialogs;
class ReportTarget;

// The customer profile dialog's behaviour: the working fields loaded from the profile, the
// text of every box, the component tabs with their row labels, the checks of the number boxes,
// and taking the edits over into the working fields when the dialog is left, a tab changes or
// the report is printed.
//
// A text box is taken over only when the user changed it: a text from a file longer than its box
// takes comes back as it was. Every number box is checked each time, whether typed or from a
// file (a day of 40 is refused either way). An entry that is not valid keeps the field's
// previous value and is reported, the first in the take-over order with one message; every
// valid entry is taken over all the same, so nothing typed in good order is lost.
//
// The "ID code" box belongs to no field and no file: it is kept for the session by whoever
// opens the dialog, and the report's title carries it.
class CustomerProfileEditor {
 public:
  CustomerProfileEditor(CustomerProfileView& view, Dialogs& dialogs);

  // Opening: the boxes show `profile`, the first tab is shown with the opening row labels.
  void Load(const CustomerProfile& profile);
  // The working fields: what the caller copies back, whichever way the dialog was left.
  const CustomerProfile& Profile() const { return working_; }

  const std::string& Text(ProfileBox box) const { return boxes_[Slot(box)].text; }
  // The user changed a box's text; a text box keeps at most its longest text.
  void Edit(ProfileBox box, std::string_view text);

  // The "ID code", at most kIdCodeMax characters.
  static constexpr int kIdCodeMax = 10;
  const std::string& IdCode() const { return idCode_; }
  void EditIdCode(std::string_view text);

  ProfileTab Tab() const { return tab_; }
  std::string_view RowLabel(int row) const;
  // The user chose another tab: the edits are taken over (a refused entry is reported, and the
  // tab changes all the same), then the chosen table is shown.
  void SelectTab(ProfileTab tab);

  // "Proceed to Proc.Setup": true when every entry is valid and the dialog may close; otherwise
  // the first refused entry is reported and its box, brought into view, has the focus.
  bool Proceed();
  // The hidden cancel button, Esc and the close box: the edits are taken over and the dialog
  // closes whatever was refused.
  void Cancel();
  // "PRINT": the edits are taken over, then the report of the working fields is printed;
  // nothing when the print dialog is cancelled.
  void Print(ReportTarget& target);

 private:
  struct Box {
    std::string text;
    bool edited = false;
  };
  struct Refusal {
    ProfileBox box;
    std::string message;
  };
  enum class Purpose { TabChange, Close, Proceed, Print };

  static std::size_t Slot(ProfileBox box) { return static_cast<std::size_t>(box.Index()); }
  // Takes every edited box over; the first refused one, if any.
  std::optional<Refusal> TakeOver();
  // Takes the edits over and reports the first refusal; true when nothing was refused.
  bool TakeOverAndReport(Purpose purpose);
  void Store(ProfileBox box, const std::string& text, std::int32_t number);

  CustomerProfileView& view_;
  Dialogs& dialogs_;
  CustomerProfile working_;
  std::array<Box, ProfileBox::kCount> boxes_{};
  ProfileTab tab_ = ProfileTab::SystemInstalled;
  bool tabChanged_ = false;
  std::string idCode_;
};
