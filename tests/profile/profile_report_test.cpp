#include "profile/profile_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "graphics/recording_canvas.h"
#include "graphics/recording_target.h"
#include "graphics/report_target.h"

namespace {

struct Placed {
  int x;
  int y;
  std::string text;
  friend bool operator==(const Placed&, const Placed&) = default;
};

std::vector<Placed> Print(const CustomerProfile& p, int lineHeight = 40) {
  RecordingTarget target;
  target.page.lineHeight = lineHeight;
  PrintedReport report(target);
  EXPECT_TRUE(report.Begin(ReportDate{1999, 1, 1}));  // the page's date; the report uses the profile's
  PrintCustomerProfileReport(report, p);
  std::vector<Placed> out;
  for (const auto& op : target.page.Of(RecordingCanvas::Kind::Text))
    out.push_back({op.points[0].x, op.points[0].y, op.text});
  return out;
}

CustomerProfile Filled() {
  CustomerProfile p;
  p.year = 2024;
  p.month = 5;
  p.day = 7;
  p.firstName = "Maria";
  p.lastName = "Lopez";
  p.city = "San Diego";
  p.email = "maria@example.com";
  p.telDay = "619-555-0134";
  p.telEvening = "619-555-0199";
  p.dealerName = "Coastline";
  p.dealerNumber = 4711;
  p.installer = "Sam";
  p.vehicleMake = "Harlan";
  p.vehicleModel = "Meridian";
  p.vehicleYear = "2021";
  p.remarks = "Daily";
  p.comments = "More bass";
  p.installedSystem[3] = {"Kestrel", "CX-6", 1};
  p.previousSystem[0] = {"Factory", "Stock", 1};
  p.amplifiers[0] = {"Volta", "A4", 1};
  p.speakers[0] = {"Aria", "T25", 2};
  p.speakers[6] = {"Deep", "S12", 1};
  return p;
}

TEST(ProfileReport, PlacesEveryLineOfAFilledProfileButNotThePreviousSystem) {
  const std::vector<Placed> page = Print(Filled());
  for (const Placed& line : std::vector<Placed>{{500, 100, "TORVALQ#5ORBITA User Profile        ID"},
                                                {1400, 0, "2024 /  5 /  7"},
                                                {200, -120, ": Maria Lopez "},
                                                {200, -160, ": San Diego "},
                                                {200, -280, ": maria@example.com"},
                                                {200, -320, ": 619-555-0134"},
                                                {200, -360, ": 619-555-0199"},
                                                {200, -440, ": Coastline :4711"},
                                                {200, -480, ": Sam "},
                                                {200, -640, ":  Harlan"},
                                                {200, -680, ":  Meridian "},
                                                {200, -720, ":  2021 "},
                                                {200, -760, ":  Daily "},
                                                {10, -880, ":  More bass "},
                                                {810, -240, "CD Changer "},
                                                {1100, -240, ":  KestrelCX-6 1"},
                                                {1100, -120, ":   0"},
                                                {810, -440, "//AMP\xE3\x83\xBBSPEAKER INFORMATION"},
                                                {1060, -520, "AMP:  VoltaA4 1"},
                                                {1060, -560, "SP :  AriaT25 2"},
                                                {810, -1000, "Sub Woofer2"},
                                                {1060, -1040, "SP :  DeepS12 1"}})
    EXPECT_NE(std::find(page.begin(), page.end(), line), page.end()) << line.text << " at " << line.y;
  for (const Placed& line : page) EXPECT_EQ(line.text.find("Factory"), std::string::npos);
}

TEST(ProfileReport, OnlyTheUsaGetsTheContactFooter) {
  const Placed contact{200, -1150, "TORVAL Car Audio Customer Support   support@torval.example"};
  const Placed standard{1000, -1150, "TORVAL KRV5200   PC SETUP DATA"};
  for (int country : {0, 1, 2, -1}) {
    CustomerProfile p = Filled();
    p.country = country;
    std::vector<Placed> footers;
    for (const Placed& line : Print(p))
      if (line.y == -1150) footers.push_back(line);
    EXPECT_EQ(footers, std::vector<Placed>{country == 0 ? contact : standard}) << country;
  }
}

TEST(ProfileReport, ACommentsOwnLinesPrintOneBelowTheOtherAndStopShortOfTheFooter) {
  CustomerProfile p = Filled();
  p.comments = "one\r\ntwo\nthree\nfour\nfive";
  // With a line of 45 the lines at -990, -1035 and -1080 stay clear of the footer at -1150.
  std::vector<Placed> comment;
  for (const Placed& line : Print(p, 45))
    if (line.x == 10 && line.y <= -22 * 45) comment.push_back(line);
  EXPECT_EQ(comment, (std::vector<Placed>{
                         {10, -990, ":  one "}, {10, -1035, "   two "}, {10, -1080, "   three four five "}}));
}

}  // namespace
