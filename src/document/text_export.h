#pragma once

#include <string>

#include "common/dialogs.h"
#include "document/customer_profile.h"
#include "document/setup_document.h"

// "Data Out": every parameter and the customer profile as plain text, one value per line.
namespace TextExport {

inline constexpr const char* kFileName = "data_textout.txt";

// The export's text. Processor parameters come from `parameters` (the main form's working copy),
// the profile from the document.
std::string Format(const SetupDocument& parameters, const CustomerProfile& profile);

// Writes Format() to `path` (by default "data_textout.txt" in the current directory), replacing
// an earlier file. Any failure, including one after the file was created, shows "FAILURE !!".
bool Write(const SetupDocument& parameters, const CustomerProfile& profile, Dialogs& dialogs,
           const std::string& path = kFileName);

// The status bar's note after a successful export: where the file went, as a full path.
std::string WrittenNote(const std::string& path = kFileName);

}  // namespace TextExport
