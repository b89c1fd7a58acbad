#include "profile/profile_box.h"

namespace {

constexpr int kComponentNumbersMax = 20;
constexpr int kComponentTextMax = 21;

std::array<ProfileBox, ProfileBox::kCount> BuildTakeOverOrder() {
  std::array<ProfileBox, ProfileBox::kCount> order{};
  std::size_t n = 0;
  auto field = [&](ProfileField f) { order[n++] = ProfileBox::Of(f); };
  auto column = [&](ProfileTab tab, ComponentColumn c) {
    for (int r = 0; r < kComponentRowCount; ++r) order[n++] = ProfileBox::Cell(tab, r, c);
  };
  auto table = [&](ProfileTab tab) {
    column(tab, ComponentColumn::Make);
    column(tab, ComponentColumn::Model);
    column(tab, ComponentColumn::Numbers);
  };
  using F = ProfileField;
  for (F f : {F::VehicleMake, F::VehicleModel, F::Day, F::Month, F::Year, F::DealerName, F::VehicleYear,
              F::Remarks, F::FirstName, F::LastName, F::Email, F::TelDay, F::Installer, F::City, F::State,
              F::Zip, F::TelEvening, F::Country})
    field(f);
  table(ProfileTab::Amp);
  table(ProfileTab::SystemInstalled);
  table(ProfileTab::Speaker);
  column(ProfileTab::BeforeSystem, ComponentColumn::Make);
  column(ProfileTab::BeforeSystem, ComponentColumn::Model);
  field(F::Comments);
  column(ProfileTab::BeforeSystem, ComponentColumn::Numbers);
  field(F::DealerNumber);
  return order;
}

}  // namespace

int ProfileBox::NumberMax() const {
  if (IsCell()) return kComponentNumbersMax;
  switch (Field()) {
    case ProfileField::Year:
      return 2100;
    case ProfileField::Month:
      return 12;
    case ProfileField::Day:
      return 31;
    case ProfileField::DealerNumber:
      return 10000;
    default:
      return 0;
  }
}

int ProfileBox::TextMax() const {
  if (IsNumber()) return 0;
  if (IsCell()) return kComponentTextMax;
  switch (Field()) {
    case ProfileField::City:
    case ProfileField::Email:
      return 40;
    case ProfileField::VehicleMake:
    case ProfileField::VehicleModel:
    case ProfileField::VehicleYear:
    case ProfileField::Remarks:
      return 50;
    case ProfileField::Comments:
      return 200;
    default:
      return 26;
  }
}

ComponentTable& TableOf(CustomerProfile& profile, ProfileTab tab) {
  switch (tab) {
    case ProfileTab::Amp:
      return profile.amplifiers;
    case ProfileTab::Speaker:
      return profile.speakers;
    case ProfileTab::BeforeSystem:
      return profile.previousSystem;
    case ProfileTab::SystemInstalled:
      break;
  }
  return profile.installedSystem;
}

const ComponentTable& TableOf(const CustomerProfile& profile, ProfileTab tab) {
  return TableOf(const_cast<CustomerProfile&>(profile), tab);
}

const std::array<ProfileBox, ProfileBox::kCount>& ProfileTakeOverOrder() {
  static const std::array<ProfileBox, ProfileBox::kCount> order = BuildTakeOverOrder();
  return order;
}
