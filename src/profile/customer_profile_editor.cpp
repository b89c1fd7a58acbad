#include "profile/customer_profile_editor.h"

#include <limits>

#include "common/dialogs.h"
#include "common/text_fill.h"
#include "profile/country_list.h"
#include "profile/profile_report.h"
#include "profile/profile_texts.h"

namespace {

// The text's first `max` characters; the text is UTF-8, so a character is never cut in two.
std::string Limited(std::string_view text, int max) {
  int characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) == 0x80) continue;  // inside a character
    if (characters == max) return std::string(text.substr(0, i));
    ++characters;
  }
  return std::string(text);
}

std::string WithRange(int max) { return FillPlaceholders(kEnterIntegerInRange, "0", std::to_string(max)); }

// A number box's entry: an unsigned number in 0..max, blanks around it allowed.
struct NumberEntry {
  std::int32_t value = 0;
  std::string refusal;  // empty when the entry is valid
};

NumberEntry ReadNumber(std::string_view text, int max) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.empty()) return {0, std::string(kEnterPositiveInteger)};
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return {0, std::string(kEnterPositiveInteger)};
    // Past the largest value every further digit only keeps it out of range.
    if (value <= std::numeric_limits<std::int32_t>::max()) value = value * 10 + (c - '0');
  }
  if (value > max) return {0, WithRange(max)};
  return {static_cast<std::int32_t>(value), {}};
}

std::string* TextField(CustomerProfile& p, ProfileBox box) {
  if (box.IsCell()) {
    ComponentRow& row = TableOf(p, box.Tab())[static_cast<std::size_t>(box.Row())];
    return box.Column() == ComponentColumn::Make ? &row.make : &row.model;
  }
  switch (box.Field()) {
    case ProfileField::FirstName:
      return &p.firstName;
    case ProfileField::LastName:
      return &p.lastName;
    case ProfileField::City:
      return &p.city;
    case ProfileField::State:
      return &p.state;
    case ProfileField::Zip:
      return &p.zip;
    case ProfileField::Email:
      return &p.email;
    case ProfileField::TelDay:
      return &p.telDay;
    case ProfileField::TelEvening:
      return &p.telEvening;
    case ProfileField::DealerName:
      return &p.dealerName;
    case ProfileField::Installer:
      return &p.installer;
    case ProfileField::VehicleMake:
      return &p.vehicleMake;
    case ProfileField::VehicleModel:
      return &p.vehicleModel;
    case ProfileField::VehicleYear:
      return &p.vehicleYear;
    case ProfileField::Remarks:
      return &p.remarks;
    case ProfileField::Comments:
      return &p.comments;
    default:
      return nullptr;
  }
}

std::int32_t* NumberField(CustomerProfile& p, ProfileBox box) {
  if (box.IsCell()) return &TableOf(p, box.Tab())[static_cast<std::size_t>(box.Row())].numbers;
  switch (box.Field()) {
    case ProfileField::Year:
      return &p.year;
    case ProfileField::Month:
      return &p.month;
    case ProfileField::Day:
      return &p.day;
    case ProfileField::DealerNumber:
      return &p.dealerNumber;
    default:
      return nullptr;
  }
}

std::string BoxText(CustomerProfile& p, ProfileBox box) {
  if (!box.IsCell() && box.Field() == ProfileField::Country) return CountryText(p.country);
  if (std::int32_t* number = NumberField(p, box); number != nullptr && box.IsNumber())
    return std::to_string(*number);
  if (std::string* text = TextField(p, box)) return *text;
  return {};
}

}  // namespace

CustomerProfileEditor::CustomerProfileEditor(CustomerProfileView& view, Dialogs& dialogs)
    : view_(view), dialogs_(dialogs) {}

void CustomerProfileEditor::Load(const CustomerProfile& profile) {
  working_ = profile;
  for (int i = 0; i < ProfileBox::kCount; ++i) {
    const ProfileBox box = ProfileBox::AtIndex(i);
    boxes_[Slot(box)] = Box{BoxText(working_, box), false};
  }
  tab_ = ProfileTab::SystemInstalled;
  tabChanged_ = false;
}

void CustomerProfileEditor::Edit(ProfileBox box, std::string_view text) {
  Box& b = boxes_[Slot(box)];
  b.text = box.TextMax() > 0 ? Limited(text, box.TextMax()) : std::string(text);
  b.edited = true;
}

void CustomerProfileEditor::EditIdCode(std::string_view text) { idCode_ = Limited(text, kIdCodeMax); }

std::string_view CustomerProfileEditor::RowLabel(int row) const {
  if (row < 0 || row >= kComponentRowCount) return {};
  const auto r = static_cast<std::size_t>(row);
  if (!tabChanged_) return kOpeningSystemRowLabels[r];
  if (tab_ == ProfileTab::Amp || tab_ == ProfileTab::Speaker) return kPositionRowLabels[r];
  return kSystemRowLabels[r];
}

void CustomerProfileEditor::SelectTab(ProfileTab tab) {
  if (tab == tab_) return;
  // The change goes ahead whatever the take-over refuses; the refused box keeps the focus only
  // where it can be seen.
  tab_ = tab;
  tabChanged_ = true;
  TakeOverAndReport(Purpose::TabChange);
}

bool CustomerProfileEditor::Proceed() { return TakeOverAndReport(Purpose::Proceed); }

void CustomerProfileEditor::Cancel() { TakeOverAndReport(Purpose::Close); }

void CustomerProfileEditor::Print(ReportTarget& target) {
  TakeOverAndReport(Purpose::Print);
  PrintedReport report(target);
  if (!report.Begin(ReportKind::CustomerProfile, ProfileReportDate(working_))) return;
  PrintCustomerProfileReport(report, working_, idCode_);
  report.End();
}

void CustomerProfileEditor::Store(ProfileBox box, const std::string& text, std::int32_t number) {
  if (!box.IsCell() && box.Field() == ProfileField::Country) {
    working_.country = CountryIndexOf(text);
  } else if (box.IsNumber()) {
    if (std::int32_t* field = NumberField(working_, box)) *field = number;
  } else if (std::string* field = TextField(working_, box)) {
    *field = text;
  }
}

std::optional<CustomerProfileEditor::Refusal> CustomerProfileEditor::TakeOver() {
  std::optional<Refusal> first;
  for (ProfileBox box : ProfileTakeOverOrder()) {
    const Box& b = boxes_[Slot(box)];
    if (!box.IsNumber()) {
      if (b.edited) Store(box, b.text, 0);
      continue;
    }
    NumberEntry entry = ReadNumber(b.text, box.NumberMax());
    if (entry.refusal.empty()) {
      Store(box, b.text, entry.value);
    } else if (!first) {
      first = Refusal{box, std::move(entry.refusal)};
    }
  }
  return first;
}

bool CustomerProfileEditor::TakeOverAndReport(Purpose purpose) {
  const std::optional<Refusal> refused = TakeOver();
  if (!refused) return true;
  dialogs_.ShowMessage(refused->message, MessageIcon::Exclamation);
  const ProfileBox box = refused->box;
  if (purpose == Purpose::Close) return false;
  if (box.IsCell() && box.Tab() != tab_) {
    // A tab the user has just left stays left; otherwise the refused cell's table comes forward.
    if (purpose == Purpose::TabChange) return false;
    tab_ = box.Tab();
    tabChanged_ = true;
  }
  view_.FocusBox(box);
  return false;
}
