#include <gtest/gtest.h>

#include "form_test_support.h"
#include "interchange/equalizer_set_edit.h"

namespace {

using namespace formtest;
using Strings = std::vector<std::string>;

struct SetupEdits : FormFixture {
  // Front Common with bands 1 and 3 lifted: a curve peak of 5 dB.
  EqualizerSetEdit FrontEdit() {
    PeqBandSet set = session.document.peqBands[0][0];
    set[0].gain = 3.0f;
    set[2] = FilterParams{4, 440.0f, 5.0f, 4.0f, 0, set[2].flag};
    return EqualizerSetEdit::Parametric(EqGroup::Front, EqSide::Common, set);
  }
};

TEST_F(SetupEdits, ConnectedParametricEditSendsTheChangedBandsAsTheWindowDoes) {
  ConnectNow();
  peq.open = true;
  const int loads = peq.loads;
  const EqualizerSetEdit edit = FrontEdit();
  ASSERT_TRUE(form.ApplyEdit(edit, "Import Filters"));
  EXPECT_EQ(Sent(), (Strings{"P 25", "I 1 0", "I 8 0", "I 2 0", "I 9 0", "P 25", "I 1 2", "I 8 2", "I 2 2",
                             "I 9 2"}));
  for (const SetupDocument* d : {static_cast<const SetupDocument*>(&session.document), &form.WorkingCopy()}) {
    EXPECT_EQ(d->peqBands[0][0], edit.ParametricBands());
    EXPECT_EQ(d->peqCurvePeaks[0][0], 5.0);
    EXPECT_EQ(d->peqPeakBoost, 5);
    EXPECT_EQ(d->appliedPeakBoost, 5);
  }
  EXPECT_TRUE(session.IsModified());
  // The open window shows the new set.
  EXPECT_EQ(peq.loads, loads + 1);
  EXPECT_EQ(peq.data.peqBands[0][0], edit.ParametricBands());
  EXPECT_GE(peq.refreshes, 1);
  // The same set again changes no band and sends nothing.
  line.ClearTraffic();
  ASSERT_TRUE(form.ApplyEdit(edit, "Import Filters"));
  EXPECT_TRUE(Sent().empty());
}

TEST_F(SetupEdits, BusyLinkRefusesWithANoteAndChangesNothing) {
  ConnectNow();
  const SetupDocument before = session.document;
  session.SetModified(false);
  form.SetLinkBusy(true);
  EXPECT_FALSE(form.ApplyEdit(FrontEdit(), "Import Filters"));
  EXPECT_EQ(view.statusMessages, Strings{kEditBusyNote});
  EXPECT_EQ(session.document, before);
  EXPECT_EQ(form.WorkingCopy().peqBands, before.peqBands);
  EXPECT_FALSE(session.IsModified());
  EXPECT_TRUE(Sent().empty());
  form.SetLinkBusy(false);
}

TEST_F(SetupEdits, OfflineOrSwitchedOffTheEditIsOnlyStored) {
  // Offline.
  ASSERT_TRUE(form.ApplyEdit(FrontEdit(), "Import Filters"));
  EXPECT_EQ(session.document.peqBands[0][0], FrontEdit().ParametricBands());
  EXPECT_TRUE(line.Sent().empty());

  // Connected, but the graphic equalizer is off: the processor is not running it.
  ConnectNow();
  GeqCodeSet codes{};
  codes.fill(kGeqFlatCode);
  codes[4] = 12;  // -3 dB
  const int applied = session.document.appliedPeakBoost;
  ASSERT_TRUE(form.ApplyEdit(EqualizerSetEdit::Graphic(EqGroup::Rear, EqSide::R, codes), "Import Filters"));
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(session.document.geqBands[1][2][4].gain, -3.0f);
  EXPECT_EQ(session.document.appliedPeakBoost, applied);
}

TEST_F(SetupEdits, GraphicEditSendsOneBandOrTheWholeGroup) {
  ConnectNow();
  form.SetFunctionSwitch(FunctionSwitch::Graphic, true);
  line.ClearTraffic();
  GeqCodeSet codes{};
  codes.fill(kGeqFlatCode);
  codes[5] = 12;  // -3 dB
  ASSERT_TRUE(
      form.ApplyEdit(EqualizerSetEdit::Graphic(EqGroup::Front, EqSide::Common, codes), "Import Filters"));
  EXPECT_EQ(Sent(), (Strings{"P 20", "G 0 5 6", "G 1 5 6"}));

  // Two bands of Center, which is mono: the whole group, and its L and R sets follow Common.
  codes[5] = 8;  // +1 dB
  codes[6] = 7;  // +2 dB
  line.ClearTraffic();
  ASSERT_TRUE(form.ApplyEdit(EqualizerSetEdit::Graphic(EqGroup::Center, EqSide::L, codes), "Import Filters"));
  const Strings sent = Sent();
  ASSERT_EQ(sent.size(), 2u + 2u * 31u + 1u);
  EXPECT_EQ(Strings(sent.begin(), sent.begin() + 2), (Strings{"P 23", "P 255"}));
  EXPECT_EQ(sent.back(), "P 23");
  for (int s = 0; s < kEqSideCount; ++s) EXPECT_EQ(session.document.geqBands[2][s][6].gain, 2.0f);
  EXPECT_EQ(session.document.geqCurvePeaks[2][0], 3.0);
}

}  // namespace
