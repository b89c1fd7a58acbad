#pragma once

#include <array>

#include "document/customer_profile.h"

// The profile's own fields as the dialog shows them, one box each. Gender has no box of its
// own (its controls are hidden) and the "ID code" box belongs to no field.
enum class ProfileField : int {
  Year,
  Month,
  Day,
  FirstName,
  LastName,
  City,
  State,
  Zip,
  Email,
  TelDay,
  TelEvening,
  Country,
  DealerName,
  DealerNumber,
  Installer,
  VehicleMake,
  VehicleModel,
  VehicleYear,
  Remarks,
  Comments
};
inline constexpr int kProfileFieldCount = 20;

// The component tabs, in the order they stand in the dialog.
enum class ProfileTab : int { SystemInstalled = 0, Amp = 1, Speaker = 2, BeforeSystem = 3 };
inline constexpr int kProfileTabCount = 4;

enum class ComponentColumn : int { Make = 0, Model = 1, Numbers = 2 };
inline constexpr int kComponentColumnCount = 3;

// One box of the profile dialog: a field of its own, or a cell of a component table.
class ProfileBox {
 public:
  static constexpr int kCellCount = kProfileTabCount * kComponentColumnCount * kComponentRowCount;
  static constexpr int kCount = kProfileFieldCount + kCellCount;

  // The first box, "year".
  constexpr ProfileBox() = default;
  static constexpr ProfileBox Of(ProfileField field) { return ProfileBox(static_cast<int>(field)); }
  static constexpr ProfileBox Cell(ProfileTab tab, int row, ComponentColumn column) {
    return ProfileBox(kProfileFieldCount +
                      (static_cast<int>(tab) * kComponentColumnCount + static_cast<int>(column)) *
                          kComponentRowCount +
                      row);
  }
  // 0 .. kCount - 1.
  static constexpr ProfileBox AtIndex(int index) { return ProfileBox(index); }

  constexpr int Index() const { return index_; }
  constexpr bool IsCell() const { return index_ >= kProfileFieldCount; }
  // Meaningful for a field's own box.
  constexpr ProfileField Field() const { return static_cast<ProfileField>(index_); }
  // Meaningful for a cell.
  constexpr ProfileTab Tab() const {
    return static_cast<ProfileTab>(CellIndex() / (kComponentColumnCount * kComponentRowCount));
  }
  constexpr ComponentColumn Column() const {
    return static_cast<ComponentColumn>(CellIndex() / kComponentRowCount % kComponentColumnCount);
  }
  constexpr int Row() const { return CellIndex() % kComponentRowCount; }

  // The boxes that take a number rather than a text.
  constexpr bool IsNumber() const {
    if (IsCell()) return Column() == ComponentColumn::Numbers;
    return Field() == ProfileField::Year || Field() == ProfileField::Month || Field() == ProfileField::Day ||
           Field() == ProfileField::DealerNumber;
  }
  // A number box's largest value (its smallest is 0).
  int NumberMax() const;
  // The longest text a text box takes, in characters; 0 for a number box.
  int TextMax() const;

  friend constexpr bool operator==(ProfileBox, ProfileBox) = default;

 private:
  explicit constexpr ProfileBox(int index) : index_(index) {}
  constexpr int CellIndex() const { return index_ - kProfileFieldCount; }

  int index_ = 0;
};

// The profile's table behind a tab.
ComponentTable& TableOf(CustomerProfile& profile, ProfileTab tab);
const ComponentTable& TableOf(const CustomerProfile& profile, ProfileTab tab);

// The order in which the boxes are read when the dialog takes its edits over; the first box
// that does not hold a valid entry is the one reported.
const std::array<ProfileBox, ProfileBox::kCount>& ProfileTakeOverOrder();
