#pragma once

#include <array>
#include <string_view>

#include "document/customer_profile.h"

// The texts of the customer profile dialog, its report and the closing screen.

inline constexpr std::string_view kEnterPositiveInteger = "Please enter a positive integer.";
inline constexpr std::string_view kEnterIntegerInRange = "Please enter an integer between %1 and %2.";

// The "COUNTRY" list, in the order of the stored index.
inline constexpr std::array<std::string_view, 3> kCountryNames = {"U.S.A", "JAPAN", "OTHER"};

inline constexpr std::array<std::string_view, 4> kProfileTabNames = {"System Installed", "Amp", "Speaker",
                                                                     "Before System"};
inline constexpr std::array<std::string_view, 3> kComponentColumnHeads = {"Make", "Model", "Numbers"};

// Row labels of the two system tables and of the amplifier and speaker tables. The dialog opens
// with the fourth system row reading "CD Changer"; once a tab has changed it reads "Changer".
inline constexpr std::array<std::string_view, kComponentRowCount> kSystemRowLabels = {
    "Head Unit", "Signal Proc", "DVD Player", "Changer", "Front Monitor", "Rear Monitor", "Others"};
inline constexpr std::array<std::string_view, kComponentRowCount> kOpeningSystemRowLabels = {
    "Head Unit", "Signal Proc", "DVD Player", "CD Changer", "Front Monitor", "Rear Monitor", "Others"};
inline constexpr std::array<std::string_view, kComponentRowCount> kPositionRowLabels = {
    "Front Hi", "Front Mid", "Front Low", "Rear", "Center", "SubWf1", "SubWf2"};

// The maker's support, named on the report's footer and on the closing screen in the U.S.A.
inline constexpr std::string_view kSupportAddress = "support@torval.example";
inline constexpr std::string_view kMakerContactLine =
    "TORVAL Car Audio Customer Support   support@torval.example";
