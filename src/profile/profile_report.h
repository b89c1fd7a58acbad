#pragma once

#include "document/customer_profile.h"
#include "graphics/printed_report.h"

// The date the profile report carries: the profile's own.
ReportDate ProfileReportDate(const CustomerProfile& profile);

// The customer profile's "PRINT" on an open report page: the title with the profile's date, the
// personal and car information on the left, the installed system and the amplifier and speaker
// positions on the right, and the footer of the customer's country. The title names the ID code
// typed in the dialog, which no file keeps.
void PrintCustomerProfileReport(PrintedReport& report, const CustomerProfile& profile,
                                std::string_view idCode = {});
