#include "history/setup_step.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "history/history_log.h"

namespace {

using SendKind = StepSend::Kind;
constexpr int kFront = Index(EqGroup::Front);
constexpr int kCenterEq = Index(EqGroup::Center);

struct PartCase {
  SetupPart part;
  std::function<void(SetupDocument&)> change;
};

// One change inside each part, and the fields that belong to no part.
const std::vector<PartCase> kPartCases = {
    {SetupPart::Parametric, [](SetupDocument& d) { d.peqBands[1][2][3].q = 2.5f; }},
    {SetupPart::Parametric, [](SetupDocument& d) { d.peqPeakBoost = 4; }},
    {SetupPart::Graphic, [](SetupDocument& d) { d.geqBands[3][0][30].gain = -2.0f; }},
    {SetupPart::Graphic, [](SetupDocument& d) { d.geqCurvePeaks[0][1] = 3.5; }},
    {SetupPart::Crossover, [](SetupDocument& d) { d.crossover[5][2].level = -6; }},
    {SetupPart::TimeCorrection, [](SetupDocument& d) { d.channelPhase[10] = 1; }},
    {SetupPart::Speakers, [](SetupDocument& d) { d.speakerSwitch[6] = 0; }},
    {SetupPart::SubWooferMode, [](SetupDocument& d) { d.subWooferMode = 1; }},
    {SetupPart::Profile, [](SetupDocument& d) { d.profile.installer = "Kim"; }},
    {SetupPart::Measurement, [](SetupDocument& d) { d.aeqParameters[2047] = 7; }},
};

}  // namespace

TEST(SetupParts, EachChangeFallsInItsPartAndGoesBackWithItAlone) {
  for (const PartCase& c : kPartCases) {
    const SetupDocument before;
    SetupDocument after = before;
    c.change(after);
    EXPECT_EQ(ChangedParts(before, after), static_cast<SetupParts>(c.part));
    // Putting the part back restores it and leaves a change elsewhere alone.
    const bool elsewhere = c.part != SetupPart::TimeCorrection;
    if (elsewhere) after.channelDelay[0] = 1.5;
    CopyParts(static_cast<SetupParts>(c.part), before, after);
    EXPECT_EQ(ChangedParts(before, after),
              elsewhere ? static_cast<SetupParts>(SetupPart::TimeCorrection) : kNoParts);
  }
  // The link's own state follows no step.
  SetupDocument d;
  d.aeqActive = 1;
  d.aeqParametersSaved = 1;
  d.appliedPeakBoost = 5;
  d.viewSynchronized = 1;
  EXPECT_EQ(ChangedParts(SetupDocument{}, d), kNoParts);
  // A graphic band's frequency and Q are never the windows' to change; only its gain goes back.
  d.geqBands[0][0][0].q = 9.0f;
  CopyParts(static_cast<SetupParts>(SetupPart::Graphic), SetupDocument{}, d);
  EXPECT_EQ(d.geqBands[0][0][0].q, 9.0f);
}

TEST(StepSends, EveryChangedValueGoesAsItsWindowSendsIt) {
  SetupDocument a;
  SetupDocument b = a;
  b.peqBands[kFront][1][2].gain = -3.0f;
  b.peqBands[kFront][1][7].frequency = 900.0f;
  // Center's three sets change together and go once.
  for (int s = 0; s < kEqSideCount; ++s) b.geqBands[kCenterEq][s][4].gain = 2.0f;
  b.crossover[0][0].level = -3;        // level only
  b.crossover[1][1].hpfSlope = -12.0;  // filter only
  b.crossover[2][2].level = -1;        // both
  b.crossover[2][2].lpfFrequency = 2000.0;
  b.channelDelay[4] = 1.2;
  b.channelPhase[9] = 1;
  b.speakerSwitch[3] = 0;
  b.subWooferMode = 1;
  const std::vector<StepSend> expected = {
      {SendKind::ParametricBand, kFront, 1, 2},
      {SendKind::ParametricBand, kFront, 1, 7},
      {SendKind::GraphicBand, kCenterEq, 0, 4},
      {SendKind::Crossover, 0, 0, 0, CrossoverUpdate::Level},
      {SendKind::Crossover, 1, 1, 0, CrossoverUpdate::Filter},
      {SendKind::Crossover, 2, 2, 0, CrossoverUpdate::All},
      {SendKind::Channel, 0, 0, 4},
      {SendKind::Channel, 0, 0, 9},
      {SendKind::Speaker, 0, 0, 3},
      {SendKind::SubWooferMode, 0, 0, 1},
  };
  EXPECT_EQ(StepSends(ChangedParts(a, b), a, b), expected);
  // Only the parts asked for send, and a part without a value on the processor sends nothing.
  EXPECT_TRUE(StepSends(static_cast<SetupParts>(SetupPart::Profile), a, b).empty());
  EXPECT_EQ(StepSends(static_cast<SetupParts>(SetupPart::Speakers), a, b).size(), 1u);
}

TEST(StepText, NamesTheOneValueOrTheSetThatChanged) {
  struct Case {
    std::function<void(SetupStep&, SetupDocument&)> change;
    std::string text;
  };
  const std::vector<Case> cases = {
      {[](SetupStep&, SetupDocument& d) { d.peqBands[kFront][1][2].gain = 3.0f; },
       "Parametric EQ Front L ch band 3"},
      {[](SetupStep&, SetupDocument& d) {
         d.peqBands[kFront][2][2].gain = 3.0f;
         d.peqBands[kFront][2][5].gain = 3.0f;
       },
       "Parametric EQ Front R ch"},
      {[](SetupStep&, SetupDocument& d) { d.geqBands[3][0][17].gain = -4.0f; },
       "Graphic EQ SubWoofer Common band 18"},
      {[](SetupStep&, SetupDocument& d) { d.crossover[0][1].level = -2; }, "Crossover Front_Hi L ch"},
      {[](SetupStep&, SetupDocument& d) { d.channelDelay[2] = 0.5; }, "Delay FRONT MID LEFT"},
      {[](SetupStep&, SetupDocument& d) { d.channelPhase[10] = 1; }, "Phase SUB WOOFER RIGHT"},
      {[](SetupStep&, SetupDocument& d) { d.speakerSwitch[7] = 0; }, "Speaker REAR LEFT OFF"},
      {[](SetupStep&, SetupDocument& d) { d.subWooferMode = 1; }, "Sub-woofer Mono"},
      {[](SetupStep& s, SetupDocument&) {
         s.switchesAfter = {false, true, true, true};
       },
       "Graphic Equalizer ON"},
      {[](SetupStep& s, SetupDocument& d) {
         s.text = "COPY";
         d.peqBands[kFront][1] = d.peqBands[kFront][0];
         d.peqBands[kFront][1][0].gain = 1.0f;
       },
       "COPY"},
  };
  for (const Case& c : cases) {
    SetupStep step;
    step.switchesBefore = step.switchesAfter = {true, false, true, true};
    SetupDocument after;
    c.change(step, after);
    step.before = std::make_shared<const SetupDocument>();
    step.after = std::make_shared<const SetupDocument>(after);
    step.parts = ChangedParts(*step.before, after);
    EXPECT_EQ(StepText(step), c.text);
  }
}

TEST(ChangeRecorder, RecordsWhatChangedGroupsADragAndStartsAgainOnReset) {
  HistoryLog log;
  ChangeRecorder recorder;
  recorder.SetSink(&log);
  SetupDocument doc;
  const FunctionSwitches sw{true, false, true, true};
  recorder.Reset(doc, sw);

  // Nothing changed (a window opened and closed): no step.
  recorder.Record(doc, sw);
  EXPECT_TRUE(log.steps.empty());

  // A drag through three values is one step from the first value to the last.
  recorder.BeginGroup();
  for (float g : {1.0f, 2.0f, 3.0f}) {
    doc.peqBands[kFront][0][4].gain = g;
    recorder.Record(doc, sw);
  }
  recorder.EndGroup();
  ASSERT_EQ(log.steps.size(), 1u);
  EXPECT_EQ(log.steps[0].before->peqBands[kFront][0][4].gain, 0.0f);
  EXPECT_EQ(log.steps[0].after->peqBands[kFront][0][4].gain, 3.0f);

  // The next change is a step of its own; a switch alone is a step too.
  doc.channelDelay[0] = 2.0;
  recorder.Record(doc, sw);
  recorder.Record(doc, FunctionSwitches{false, true, true, true});
  ASSERT_EQ(log.steps.size(), 3u);
  EXPECT_EQ(log.steps[1].parts, static_cast<SetupParts>(SetupPart::TimeCorrection));
  EXPECT_TRUE(log.steps[2].SwitchesChanged());
  EXPECT_EQ(log.steps[2].parts, kNoParts);

  // A group whose values come back to where they started leaves nothing to undo.
  recorder.BeginGroup();
  doc.crossover[0][0].level = -4;
  recorder.Record(doc, FunctionSwitches{false, true, true, true});
  doc.crossover[0][0].level = 0;
  recorder.Record(doc, FunctionSwitches{false, true, true, true});
  recorder.EndGroup();
  EXPECT_TRUE(log.steps.back().Empty());

  // What an undo put back is no new step.
  doc.channelDelay[0] = 0.0;
  recorder.Follow(doc, sw);
  recorder.Record(doc, sw);
  EXPECT_EQ(log.steps.size(), 4u);

  recorder.Reset(doc, sw);
  EXPECT_TRUE(log.steps.empty());
}
