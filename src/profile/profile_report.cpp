#include "profile/profile_report.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "profile/profile_texts.h"

namespace {

constexpr int kLeftLabelX = 10;
constexpr int kLeftValueX = 200;
constexpr int kRightLabelX = 810;
constexpr int kSystemValueX = 1100;
constexpr int kPositionValueX = 1060;
constexpr int kContactFooterX = 200;
constexpr int kStandardFooterX = 1000;

constexpr std::array<std::string_view, kComponentRowCount> kReportSystemLabels = {
    "Head Unit", "Signal Proc", "DVD Player", "CD Changer ", "Front Monitor", "Rear Monitor", "Others"};
constexpr std::array<std::string_view, kComponentRowCount> kReportPositionLabels = {
    "Front Hi", "Front Mid", "Front Low", "Rear", "Center", "Sub Woofer1", "Sub Woofer2"};
// "//AMP", the katakana middle dot U+30FB, "SPEAKER INFORMATION".
constexpr std::string_view kAmpSpeakerHeading = "//AMP\xE3\x83\xBBSPEAKER INFORMATION";

std::string Cat(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view p : parts) out += p;
  return out;
}

// "<lead>%s%s %d": make and model run together, then the count.
std::string ComponentValue(std::string_view lead, const ComponentRow& row) {
  return Cat({lead, row.make, row.model, " ", std::to_string(row.numbers)});
}

// The comment's own lines, each printed on a line of the page.
std::vector<std::string> CommentLines(const std::string& comments) {
  std::vector<std::string> lines(1);
  for (char c : comments) {
    if (c == '\r') continue;
    if (c == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

}  // namespace

ReportDate ProfileReportDate(const CustomerProfile& profile) {
  return {profile.year, profile.month, profile.day};
}

void PrintCustomerProfileReport(PrintedReport& report, const CustomerProfile& p, std::string_view idCode) {
  if (!report.IsOpen()) return;
  const int L = report.L();
  report.DrawTitle(ReportKind::CustomerProfile, ProfileReportDate(p), idCode);

  auto left = [&](int line, std::string_view label, const std::string& value) {
    report.Text(kLeftLabelX, -line * L, label);
    if (!value.empty()) report.Text(kLeftValueX, -line * L, value);
  };
  left(1, "//PERSONAL INFORMATION//", {});
  left(3, "OWNER", Cat({": ", p.firstName, " ", p.lastName, " "}));
  left(4, "CITY", Cat({": ", p.city, " "}));
  left(5, "STATE", Cat({": ", p.state, " "}));
  left(6, "ZIP", Cat({": ", p.zip, " "}));
  left(7, "E-MAIL", Cat({": ", p.email}));
  left(8, "TEL1", Cat({": ", p.telDay}));
  left(9, "TEL2", Cat({": ", p.telEvening}));
  left(11, "DEALER", Cat({": ", p.dealerName, " :", std::to_string(p.dealerNumber)}));
  left(12, "INSTALLER", Cat({": ", p.installer, " "}));
  left(14, "//CAR INFORMATION//", {});
  left(16, "MAKE", Cat({":  ", p.vehicleMake}));
  left(17, "MODEL", Cat({":  ", p.vehicleModel, " "}));
  left(18, "YEAR", Cat({":  ", p.vehicleYear, " "}));
  left(19, "REMARKS", Cat({":  ", p.remarks, " "}));
  left(21, "COMMENT", {});
  // Each line of a multi-line comment on a line of its own, as long as the page has room above
  // the footer; what would run into the footer joins the last line.
  const std::vector<std::string> lines = CommentLines(p.comments);
  int line = 22;
  std::string text = Cat({":  ", lines[0]});
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (L > 0 && -(line + 1) * L - L < kReportFooterY) {
      text += " " + lines[i];
      continue;
    }
    report.Text(kLeftLabelX, -line * L, text + " ");
    ++line;
    text = Cat({"   ", lines[i]});
  }
  report.Text(kLeftLabelX, -line * L, text + " ");

  report.Text(kRightLabelX, -L, "//SYSTEM INFORMATION//");
  for (int r = 0; r < kComponentRowCount; ++r) {
    const auto i = static_cast<std::size_t>(r);
    report.Text(kRightLabelX, -(3 + r) * L, kReportSystemLabels[i]);
    report.Text(kSystemValueX, -(3 + r) * L, ComponentValue(":  ", p.installedSystem[i]));
  }
  report.Text(kRightLabelX, -11 * L, kAmpSpeakerHeading);
  for (int r = 0; r < kComponentRowCount; ++r) {
    const auto i = static_cast<std::size_t>(r);
    const int y = -(13 + 2 * r) * L;
    report.Text(kRightLabelX, y, kReportPositionLabels[i]);
    report.Text(kPositionValueX, y, ComponentValue("AMP:  ", p.amplifiers[i]));
    report.Text(kPositionValueX, y - L, ComponentValue("SP :  ", p.speakers[i]));
  }

  if (p.country == static_cast<int>(Country::USA)) {
    report.Text(kContactFooterX, kReportFooterY, kMakerContactLine);
  } else {
    report.Text(kStandardFooterX, kReportFooterY, kReportFooter);
  }
}
