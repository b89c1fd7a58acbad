#include "profile/customer_profile_editor.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/recording_dialogs.h"
#include "graphics/recording_canvas.h"
#include "graphics/report_target.h"

namespace {

using Strings = std::vector<std::string>;
using F = ProfileField;

class FocusView : public CustomerProfileView {
 public:
  void FocusBox(ProfileBox box) override { focused = box; }
  std::optional<ProfileBox> focused;
};

class PageTarget : public ReportTarget {
 public:
  bool BeginPage() override { return !cancel; }
  Canvas& Page() override { return page; }
  void EndPage() override {}
  bool cancel = false;
  RecordingCanvas page;
};

ProfileBox Cell(ProfileTab tab, int row, ComponentColumn column) {
  return ProfileBox::Cell(tab, row, column);
}

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
  void Edit(ProfileField field, const std::string& text) { editor.Edit(ProfileBox::Of(field), text); }
  std::vector<std::string> Labels() const {
    std::vector<std::string> out;
    for (int r = 0; r < kComponentRowCount; ++r) out.emplace_back(editor.RowLabel(r));
    return out;
  }

  CustomerProfile loaded;
  FocusView view;
  RecordingDialogs dialogs;
  CustomerProfileEditor editor{view, dialogs};
};

const Strings kOpening = {"Head Unit",     "Signal Proc",  "DVD Player", "CD Changer",
                          "Front Monitor", "Rear Monitor", "Others"};
const Strings kSystem = {"Head Unit",     "Signal Proc",  "DVD Player", "Changer",
                         "Front Monitor", "Rear Monitor", "Others"};
const Strings kPositions = {"Front Hi", "Front Mid", "Front Low", "Rear", "Center", "SubWf1", "SubWf2"};

TEST_F(ProfileEditorTest, RowLabelsReadCdChangerOnlyUntilTheFirstTabChange) {
  EXPECT_EQ(editor.Tab(), ProfileTab::SystemInstalled);
  EXPECT_EQ(Labels(), kOpening);
  // Choosing the tab on show is no change.
  editor.SelectTab(ProfileTab::SystemInstalled);
  EXPECT_EQ(Labels(), kOpening);

  const std::vector<std::pair<ProfileTab, Strings>> steps = {{ProfileTab::Amp, kPositions},
                                                             {ProfileTab::Speaker, kPositions},
                                                             {ProfileTab::BeforeSystem, kSystem},
                                                             {ProfileTab::SystemInstalled, kSystem}};
  for (const auto& [tab, labels] : steps) {
    editor.SelectTab(tab);
    EXPECT_EQ(editor.Tab(), tab);
    EXPECT_EQ(Labels(), labels) << static_cast<int>(tab);
  }
  // Opening again starts over.
  editor.Load(loaded);
  EXPECT_EQ(editor.Tab(), ProfileTab::SystemInstalled);
  EXPECT_EQ(Labels(), kOpening);
}

TEST_F(ProfileEditorTest, EachTabEditsItsOwnTable) {
  const std::vector<std::pair<ProfileTab, ComponentTable CustomerProfile::*>> tabs = {
      {ProfileTab::SystemInstalled, &CustomerProfile::installedSystem},
      {ProfileTab::Amp, &CustomerProfile::amplifiers},
      {ProfileTab::Speaker, &CustomerProfile::speakers},
      {ProfileTab::BeforeSystem, &CustomerProfile::previousSystem}};
  for (const auto& [tab, table] : tabs) {
    editor.Load(loaded);
    editor.SelectTab(tab);
    Edit(Cell(tab, 6, ComponentColumn::Make), "Make");
    Edit(Cell(tab, 6, ComponentColumn::Model), "M-1");
    Edit(Cell(tab, 6, ComponentColumn::Numbers), "20");
    ASSERT_TRUE(editor.Proceed());
    const CustomerProfile& p = editor.Profile();
    EXPECT_EQ((p.*table)[6], (ComponentRow{"Make", "M-1", 20})) << static_cast<int>(tab);
    int others = 0;
    for (auto t : {&CustomerProfile::installedSystem, &CustomerProfile::amplifiers,
                   &CustomerProfile::speakers, &CustomerProfile::previousSystem})
      if (t != table && (p.*t)[6] != ComponentRow{}) ++others;
    EXPECT_EQ(others, 0);
  }
}

TEST_F(ProfileEditorTest, DayOf32KeepsProceedFromClosingAndTheCancelPathKeepsTheEdits) {
  Edit(F::LastName, "Driver");
  Edit(F::Day, "32");
  Edit(F::Comments, "Wants more bass");
  EXPECT_FALSE(editor.Proceed());
  EXPECT_EQ(dialogs.messages, Strings{"Please enter an integer between 0 and 31."});
  EXPECT_EQ(dialogs.icons, std::vector<MessageIcon>{MessageIcon::Exclamation});
  EXPECT_EQ(view.focused, ProfileBox::Of(F::Day));

  // Esc or the hidden cancel button: reported once more, then every valid edit is kept and the
  // refused day keeps its value.
  editor.Cancel();
  EXPECT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(editor.Profile().lastName, "Driver");
  EXPECT_EQ(editor.Profile().comments, "Wants more bass");
  EXPECT_EQ(editor.Profile().day, 17);

  Edit(F::Day, "31");
  EXPECT_TRUE(editor.Proceed());
  EXPECT_EQ(editor.Profile().day, 31);
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(ProfileEditorTest, NumberBoxesTakeUnsignedNumbersWithinTheirRange) {
  struct Case {
    ProfileBox box;
    const char* text;
    const char* message;  // nullptr: taken
  };
  const char* kPositive = "Please enter a positive integer.";
  const Case cases[] = {
      {ProfileBox::Of(F::Year), "2100", nullptr},
      {ProfileBox::Of(F::Year), "2101", "Please enter an integer between 0 and 2100."},
      {ProfileBox::Of(F::Year), "99999999999999", "Please enter an integer between 0 and 2100."},
      {ProfileBox::Of(F::Month), " 0 ", nullptr},
      {ProfileBox::Of(F::Month), "13", "Please enter an integer between 0 and 12."},
      {ProfileBox::Of(F::Month), "-1", kPositive},
      {ProfileBox::Of(F::Month), "+1", kPositive},
      {ProfileBox::Of(F::Month), "", kPositive},
      {ProfileBox::Of(F::Month), "1.5", kPositive},
      {ProfileBox::Of(F::Day), "May", kPositive},
      {ProfileBox::Of(F::DealerNumber), "10000", nullptr},
      {ProfileBox::Of(F::DealerNumber), "10001", "Please enter an integer between 0 and 10000."},
      {Cell(ProfileTab::Speaker, 3, ComponentColumn::Numbers), "21",
       "Please enter an integer between 0 and 20."},
  };
  for (const Case& c : cases) {
    editor.Load(loaded);
    dialogs.messages.clear();
    Edit(c.box, c.text);
    EXPECT_EQ(editor.Proceed(), c.message == nullptr) << c.text;
    EXPECT_EQ(dialogs.messages, c.message ? Strings{c.message} : Strings{}) << c.text;
  }
}

TEST_F(ProfileEditorTest, OneMessagePerAttemptInTheTakeOverOrderWithTheRefusedCellBroughtForward) {
  Edit(F::DealerNumber, "x");
  Edit(Cell(ProfileTab::BeforeSystem, 0, ComponentColumn::Numbers), "x");
  Edit(Cell(ProfileTab::Amp, 2, ComponentColumn::Numbers), "x");
  Edit(F::Month, "x");
  Edit(F::Day, "x");
  Edit(F::FirstName, "Bea");  // after the day in the order, and taken over all the same

  const std::vector<std::pair<ProfileBox, std::optional<ProfileTab>>> refused = {
      {ProfileBox::Of(F::Day), std::nullopt},
      {ProfileBox::Of(F::Month), std::nullopt},
      {Cell(ProfileTab::Amp, 2, ComponentColumn::Numbers), ProfileTab::Amp},
      {Cell(ProfileTab::BeforeSystem, 0, ComponentColumn::Numbers), ProfileTab::BeforeSystem},
      {ProfileBox::Of(F::DealerNumber), std::nullopt}};
  for (const auto& [box, tab] : refused) {
    dialogs.messages.clear();
    EXPECT_FALSE(editor.Proceed());
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(view.focused, box) << box.Index();
    if (tab) {
      EXPECT_EQ(editor.Tab(), *tab);
    }
    EXPECT_EQ(editor.Profile().firstName, "Bea");
    Edit(box, "1");
  }
  EXPECT_TRUE(editor.Proceed());
}

TEST_F(ProfileEditorTest, ATabChangeReportsARefusalAndGoesAheadFocusingOnlyAVisibleBox) {
  Edit(Cell(ProfileTab::SystemInstalled, 0, ComponentColumn::Numbers), "99");
  editor.SelectTab(ProfileTab::Speaker);
  EXPECT_EQ(dialogs.messages, Strings{"Please enter an integer between 0 and 20."});
  EXPECT_EQ(editor.Tab(), ProfileTab::Speaker);
  EXPECT_FALSE(view.focused);
  // The entry stays in its box for the user to mend.
  EXPECT_EQ(editor.Text(Cell(ProfileTab::SystemInstalled, 0, ComponentColumn::Numbers)), "99");

  Edit(Cell(ProfileTab::SystemInstalled, 0, ComponentColumn::Numbers), "2");
  Edit(F::Year, "none");
  editor.SelectTab(ProfileTab::Amp);
  EXPECT_EQ(view.focused, ProfileBox::Of(F::Year));
  EXPECT_EQ(editor.Tab(), ProfileTab::Amp);
  EXPECT_EQ(editor.Profile().installedSystem[0].numbers, 2);
}

TEST_F(ProfileEditorTest, FieldsLeftAloneComeBackAsTheyWereEvenWhenNoBoxCouldHoldThem) {
  CustomerProfile fromFile;
  fromFile.day = 45;
  fromFile.dealerNumber = -3;
  fromFile.firstName = std::string(30, 'A');
  fromFile.comments = std::string(250, 'c');
  fromFile.gender = 1;
  fromFile.country = 2;
  editor.Load(fromFile);
  EXPECT_EQ(editor.Text(ProfileBox::Of(F::Day)), "45");
  EXPECT_EQ(editor.Text(ProfileBox::Of(F::Country)), "OTHER");
  Edit(F::LastName, "Lee");
  EXPECT_TRUE(editor.Proceed());
  EXPECT_TRUE(dialogs.messages.empty());
  CustomerProfile expected = fromFile;
  expected.lastName = "Lee";
  EXPECT_EQ(editor.Profile(), expected);
}

TEST_F(ProfileEditorTest, AnEditedTextKeepsAtMostItsLongestText) {
  Edit(F::FirstName, std::string(30, 'A'));
  EXPECT_EQ(editor.Text(ProfileBox::Of(F::FirstName)), std::string(26, 'A'));
  // Characters, not bytes: "é" is two bytes.
  std::string accents;
  for (int i = 0; i < 45; ++i) accents += "\xC3\xA9";
  Edit(F::City, accents);
  EXPECT_EQ(editor.Text(ProfileBox::Of(F::City)), accents.substr(0, 80));
  Edit(F::Comments, std::string(201, 'c'));
  Edit(Cell(ProfileTab::Amp, 0, ComponentColumn::Model), std::string(22, 'm'));
  ASSERT_TRUE(editor.Proceed());
  EXPECT_EQ(editor.Profile().comments.size(), 200u);
  EXPECT_EQ(editor.Profile().amplifiers[0].model, std::string(21, 'm'));
}

TEST_F(ProfileEditorTest, TheCountryIsTheIndexOfTheEntryTypedOrChosen) {
  const std::vector<std::pair<std::string, int>> cases = {{"U.S.A", 0},    {"japan", 1}, {" OTHER ", 2},
                                                          {"Germany", -1}, {"", -1},     {"USA", -1}};
  for (const auto& [text, index] : cases) {
    editor.Load(loaded);
    Edit(F::Country, text);
    ASSERT_TRUE(editor.Proceed());
    EXPECT_EQ(editor.Profile().country, index) << text;
  }
  // A country typed before shows as no entry.
  CustomerProfile typed;
  typed.country = -1;
  editor.Load(typed);
  EXPECT_EQ(editor.Text(ProfileBox::Of(F::Country)), "");
}

TEST_F(ProfileEditorTest, PrintTakesTheEditsOverFirstAndPrintsTheProfilesOwnDate) {
  PageTarget target;
  Edit(F::Year, "2019");
  Edit(F::FirstName, "Cleo");
  Edit(F::Month, "oops");
  editor.Print(target);
  EXPECT_EQ(dialogs.messages, Strings{"Please enter a positive integer."});
  EXPECT_NE(target.page.FindText("2019 /  5 / 17"), nullptr);
  EXPECT_NE(target.page.FindText(": Cleo  "), nullptr);
  EXPECT_EQ(editor.Profile().firstName, "Cleo");

  PageTarget cancelled;
  cancelled.cancel = true;
  editor.Print(cancelled);
  EXPECT_TRUE(cancelled.page.ops.empty());
}

}  // namespace
