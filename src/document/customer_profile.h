#pragma once

#include <array>
#include <cstdint>
#include <string>

// One row of a component table: make, model and how many.
struct ComponentRow {
  std::string make;
  std::string model;
  std::int32_t numbers = 0;

  friend bool operator==(const ComponentRow&, const ComponentRow&) = default;
};

inline constexpr int kComponentRowCount = 7;
using ComponentTable = std::array<ComponentRow, kComponentRowCount>;

// Country list indices; -1 when a typed country matches none of them.
enum class Country : int { USA = 0, Japan = 1, Other = 2 };

// Who owns the car, which car it is, what is installed and who installed it. Fields in their
// declared order; country and comments are not stored in a setup file.
struct CustomerProfile {
  std::int32_t year = 0;
  std::int32_t month = 0;
  std::int32_t day = 0;
  std::string firstName;
  std::string lastName;
  std::string city;
  std::string state;
  std::string zip;
  std::string email;
  std::string telDay;
  std::string telEvening;
  std::int32_t country = 0;
  std::int32_t gender = 0;
  std::string dealerName;
  std::int32_t dealerNumber = 0;
  std::string installer;
  std::string vehicleMake;
  std::string vehicleModel;
  std::string vehicleYear;
  std::string remarks;
  ComponentTable installedSystem;
  ComponentTable previousSystem;
  std::string comments;
  ComponentTable speakers;
  ComponentTable amplifiers;

  friend bool operator==(const CustomerProfile&, const CustomerProfile&) = default;
};
