#include "profile/customer_profile_editor.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/recording_dialogs.h"
#include "graphics/recording_canvas.h"
#include "graphics/recording_target.h"
#include "graphics/report_target.h"

namespace {

using Strings = std::vector<std::string>;
using F = ProfileField;
using Tab = ProfileTab;
using Col = ComponentColumn;

class FocusView : public CustomerProfileView {
 public:
  void FocusBox(ProfileBox box) override { focused = box; }
  std::optional<ProfileBox> focused;
};

ProfileBox Box(F field) { return ProfileBox::Of(field); }
ProfileBox Cell(Tab tab, int row, Col column = Col::Numbers) { return ProfileBox::Cell(tab, row, column); }

class ProfileEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loaded.year = 2024;
    loaded.month = 5;
    loaded.day = 17;
    loaded.firstName = "Ann";
    editor.Load(loaded);
  }
  void Edit(ProfileBox box, const std::string& text) { editor.Edit(box, text); }
  void Edit(F field, const std::string& text) { editor.Edit(Box(field), text); }
  Strings Labels() const {
    Strings out;
    for (int r = 0; r < kComponentRowCount; ++r) out.emplace_back(editor.RowLabel(r));
    return out;
  }

  CustomerProfile loaded;
  FocusView view;
  RecordingDialogs dialogs;
  CustomerProfileEditor editor{view, dialogs};
};

TEST_F(ProfileEditorTest, RowLabelsReadCdChangerOnlyUntilTheFirstTabChange) {
  const Strings system = {"Head Unit",     "Signal Proc",  "DVD Player", "Changer",
                          "Front Monitor", "Rear Monitor", "Others"};
  const Strings positions = {"Front Hi", "Front Mid", "Front Low", "Rear", "Center", "SubWf1", "SubWf2"};
  Strings opening = system;
  opening[3] = "CD Changer";

  // Choosing the tab already shown is no change.
  for (const auto& [tab, labels] : std::vector<std::pair<Tab, Strings>>{{Tab::SystemInstalled, opening},
                                                                        {Tab::Amp, positions},
                                                                        {Tab::SystemInstalled, system},
                                                                        {Tab::BeforeSystem, system},
                                                                        {Tab::Speaker, positions}}) {
    editor.SelectTab(tab);
    EXPECT_EQ(Labels(), labels) << static_cast<int>(tab);
  }
  editor.Load(loaded);  // opening again starts over
  EXPECT_EQ(editor.Tab(), Tab::SystemInstalled);
  EXPECT_EQ(Labels(), opening);
}

TEST_F(ProfileEditorTest, EachTabEditsItsOwnTable) {
  for (const auto& [tab, table] : std::vector<std::pair<Tab, ComponentTable CustomerProfile::*>>{
           {Tab::SystemInstalled, &CustomerProfile::installedSystem},
           {Tab::Amp, &CustomerProfile::amplifiers},
           {Tab::Speaker, &CustomerProfile::speakers},
           {Tab::BeforeSystem, &CustomerProfile::previousSystem}}) {
    editor.Load(loaded);
    editor.SelectTab(tab);
    Edit(Cell(tab, 6, Col::Make), "Make");
    Edit(Cell(tab, 6, Col::Model), "M-1");
    Edit(Cell(tab, 6), "20");
    ASSERT_TRUE(editor.Proceed());
    CustomerProfile expected = loaded;
    (expected.*table)[6] = {"Make", "M-1", 20};
    EXPECT_EQ(editor.Profile(), expected) << static_cast<int>(tab);
  }
}

TEST_F(ProfileEditorTest, DayOf32KeepsProceedFromClosingAndTheCancelPathKeepsTheEdits) {
  Edit(F::LastName, "Driver");
  Edit(F::Day, "32");
  EXPECT_FALSE(editor.Proceed());
  EXPECT_EQ(dialogs.messages, Strings{"Please enter an integer between 0 and 31."});
  EXPECT_EQ(dialogs.icons, std::vector<MessageIcon>{MessageIcon::Exclamation});
  EXPECT_EQ(view.focused, Box(F::Day));

  // Esc: reported once more, every valid edit kept, the refused day as it was.
  editor.Cancel();
  EXPECT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(editor.Profile().lastName, "Driver");
  EXPECT_EQ(editor.Profile().day, 17);

  Edit(F::Day, "31");
  EXPECT_TRUE(editor.Proceed());
  EXPECT_EQ(editor.Profile().day, 31);
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(ProfileEditorTest, NumberBoxesTakeUnsignedNumbersWithinTheirRange) {
  const char* kPositive = "Please enter a positive integer.";
  const struct {
    ProfileBox box;
    const char* text;
    const char* message;  // nullptr: taken
  } cases[] = {
      {Box(F::Year), "2100", nullptr},
      {Box(F::Year), "2101", "Please enter an integer between 0 and 2100."},
      {Box(F::Year), "99999999999999", "Please enter an integer between 0 and 2100."},
      {Box(F::Month), " 0 ", nullptr},
      {Box(F::Month), "13", "Please enter an integer between 0 and 12."},
      {Box(F::Month), "-1", kPositive},
      {Box(F::Month), "+1", kPositive},
      {Box(F::Month), "", kPositive},
      {Box(F::Month), "1.5", kPositive},
      {Box(F::Day), "May", kPositive},
      {Box(F::DealerNumber), "10000", nullptr},
      {Box(F::DealerNumber), "10001", "Please enter an integer between 0 and 10000."},
      {Cell(Tab::Speaker, 3), "21", "Please enter an integer between 0 and 20."},
  };
  for (const auto& c : cases) {
    editor.Load(loaded);
    dialogs.messages.clear();
    Edit(c.box, c.text);
    EXPECT_EQ(editor.Proceed(), c.message == nullptr) << c.text;
    EXPECT_EQ(dialogs.messages, c.message ? Strings{c.message} : Strings{}) << c.text;
  }
}

TEST_F(ProfileEditorTest, OneMessagePerAttemptInTheTakeOverOrderWithTheRefusedCellBroughtForward) {
  Edit(F::DealerNumber, "x");
  Edit(Cell(Tab::BeforeSystem, 0), "x");
  Edit(Cell(Tab::Amp, 2), "x");
  Edit(F::Month, "x");
  Edit(F::Day, "x");
  Edit(F::FirstName, "Bea");  // after the day in the order, and taken over all the same

  for (const auto& [box, tab] :
       std::vector<std::pair<ProfileBox, Tab>>{{Box(F::Day), Tab::SystemInstalled},
                                               {Box(F::Month), Tab::SystemInstalled},
                                               {Cell(Tab::Amp, 2), Tab::Amp},
                                               {Cell(Tab::BeforeSystem, 0), Tab::BeforeSystem},
                                               {Box(F::DealerNumber), Tab::BeforeSystem}}) {
    dialogs.messages.clear();
    EXPECT_FALSE(editor.Proceed());
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(view.focused, box) << box.Index();
    EXPECT_EQ(editor.Tab(), tab) << box.Index();
    EXPECT_EQ(editor.Profile().firstName, "Bea");
    Edit(box, "1");
  }
  EXPECT_TRUE(editor.Proceed());
}

TEST_F(ProfileEditorTest, ATabChangeReportsARefusalAndGoesAheadFocusingOnlyAVisibleBox) {
  Edit(Cell(Tab::SystemInstalled, 0), "99");
  editor.SelectTab(Tab::Speaker);
  EXPECT_EQ(dialogs.messages, Strings{"Please enter an integer between 0 and 20."});
  EXPECT_EQ(editor.Tab(), Tab::Speaker);
  EXPECT_FALSE(view.focused);
  EXPECT_EQ(editor.Text(Cell(Tab::SystemInstalled, 0)), "99");  // left for the user to mend

  Edit(Cell(Tab::SystemInstalled, 0), "2");
  Edit(F::Year, "none");
  editor.SelectTab(Tab::Amp);
  EXPECT_EQ(view.focused, Box(F::Year));
  EXPECT_EQ(editor.Tab(), Tab::Amp);
  EXPECT_EQ(editor.Profile().installedSystem[0].numbers, 2);
}

TEST_F(ProfileEditorTest, NumbersFromAFileAreCheckedAsTypedOnesAndTextsLeftAloneStayAsTheyWere) {
  CustomerProfile fromFile;
  fromFile.day = 40;
  fromFile.firstName = std::string(30, 'A');
  fromFile.comments = std::string(250, 'c');
  fromFile.gender = 1;
  fromFile.country = 2;
  editor.Load(fromFile);
  EXPECT_EQ(editor.Text(Box(F::Day)), "40");
  EXPECT_EQ(editor.Text(Box(F::Country)), "OTHER");
  Edit(F::LastName, "Lee");
  // "Proceed", a tab change and "PRINT" each refuse the day as if it had been typed.
  EXPECT_FALSE(editor.Proceed());
  EXPECT_EQ(view.focused, Box(F::Day));
  editor.SelectTab(Tab::Amp);
  RecordingTarget target;
  editor.Print(target);
  EXPECT_EQ(dialogs.messages, Strings(3, "Please enter an integer between 0 and 31."));
  CustomerProfile expected = fromFile;
  expected.lastName = "Lee";
  EXPECT_EQ(editor.Profile(), expected);
  Edit(F::Day, "30");
  EXPECT_TRUE(editor.Proceed());
}

TEST_F(ProfileEditorTest, AnEditedTextKeepsAtMostItsLongestText) {
  Edit(F::FirstName, std::string(30, 'A'));
  EXPECT_EQ(editor.Text(Box(F::FirstName)), std::string(26, 'A'));
  std::string accents;  // 45 characters of two bytes each
  for (int i = 0; i < 45; ++i) accents += "\xC3\xA9";
  Edit(F::City, accents);
  EXPECT_EQ(editor.Text(Box(F::City)), accents.substr(0, 80));
  Edit(F::Comments, std::string(201, 'c'));
  Edit(Cell(Tab::Amp, 0, Col::Model), std::string(22, 'm'));
  ASSERT_TRUE(editor.Proceed());
  EXPECT_EQ(editor.Profile().comments.size(), 200u);
  EXPECT_EQ(editor.Profile().amplifiers[0].model, std::string(21, 'm'));
}

TEST_F(ProfileEditorTest, TheCountryIsTheIndexOfTheEntryTypedOrChosen) {
  for (const auto& [text, index] : std::vector<std::pair<std::string, int>>{
           {"U.S.A", 0}, {"japan", 1}, {" OTHER ", 2}, {"Germany", -1}, {"", -1}, {"USA", -1}}) {
    editor.Load(loaded);
    Edit(F::Country, text);
    ASSERT_TRUE(editor.Proceed());
    EXPECT_EQ(editor.Profile().country, index) << text;
  }
  CustomerProfile typed;  // a country typed before shows as no entry
  typed.country = -1;
  editor.Load(typed);
  EXPECT_EQ(editor.Text(Box(F::Country)), "");
}

TEST_F(ProfileEditorTest, PrintTakesTheEditsOverFirstAndPrintsTheProfilesOwnDate) {
  RecordingTarget target;
  Edit(F::Year, "2019");
  Edit(F::FirstName, "Cleo");
  Edit(F::Month, "oops");
  editor.Print(target);
  EXPECT_EQ(dialogs.messages, Strings{"Please enter a positive integer."});
  EXPECT_NE(target.page.FindText("2019 /  5 / 17"), nullptr);
  EXPECT_NE(target.page.FindText(": Cleo  "), nullptr);
  EXPECT_NE(target.page.FindText("TORVALQ#5ORBITA User Profile        ID"), nullptr);

  // The typed ID code heads the page, cut to the box's ten characters.
  editor.EditIdCode("SHOP-0042-XYZ");
  RecordingTarget coded;
  editor.Print(coded);
  EXPECT_NE(coded.page.FindText("TORVALQ#5ORBITA User Profile        ID SHOP-0042-"), nullptr);

  RecordingTarget cancelled;
  cancelled.cancel = true;
  editor.Print(cancelled);
  EXPECT_TRUE(cancelled.page.ops.empty());
}

}  // namespace
