// The "AEQ Start" dialog's rules: possible modes, preselection, START and CANCEL, progress.
#include "measure/aeq_start.h"

#include <gtest/gtest.h>

#include "measure/measurement_fixture.h"

namespace {

using Switches = std::array<std::int32_t, kOutputCount>;
using C = OutputChannel;

Switches With(std::initializer_list<OutputChannel> on) {
  Switches s{};
  for (OutputChannel c : on) s[static_cast<std::size_t>(Index(c))] = 1;
  return s;
}

const Switches kAllOn = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

struct AeqStartDialog {
  measuretest::QueuedRequests requests;
  measuretest::FakeAeqStartView view;
  AeqStart dialog{requests, view};
};

TEST(AeqStart, ModesFollowTheSpeakersAndTheProcessorsStatus) {
  const Switches subsOnly = With({C::SubWooferL, C::SubWooferR});
  const Switches crossed = With({C::FrontMidL, C::FrontLowR});
  const Switches leftAndSubs = With({C::FrontMidL, C::FrontLowL, C::SubWooferL, C::SubWooferR});
  // speakers, status; both, front only, sub-woofers only possible; preselected
  using Case = std::tuple<Switches, int, bool, bool, bool, int>;
  for (const auto& [speakers, status, both, front, sub, selected] :
       {Case{kAllOn, 11, true, true, true, kAeqModeFrontOnSubOn},
        Case{kAllOn, 10, true, true, true, kAeqModeFrontOnSubOn},
        Case{kAllOn, 8, false, true, false, kAeqModeFrontOnSubOff},
        Case{subsOnly, 8, false, false, false, 0x60},
        Case{subsOnly, 11, false, false, true, kAeqModeFrontOffSubOn},
        Case{crossed, 11, false, true, false, kAeqModeFrontOnSubOff},
        Case{leftAndSubs, 10, false, false, true, kAeqModeFrontOffSubOn}}) {
    AeqStartDialog d;
    d.dialog.Open(speakers, status, 0x60);
    EXPECT_TRUE(d.view.open);
    EXPECT_EQ(
        std::tuple(d.dialog.ModeEnabled(kAeqModeFrontOnSubOn), d.dialog.ModeEnabled(kAeqModeFrontOnSubOff),
                   d.dialog.ModeEnabled(kAeqModeFrontOffSubOn), d.dialog.Mode()),
        std::tuple(both, front, sub, selected))
        << status << " " << testing::PrintToString(speakers);
  }
}

TEST(AeqStart, StartAndCancelAskTheFormOnceAndOnlyPossibleModesAreTaken) {
  AeqStartDialog d;
  d.dialog.Open(kAllOn, 8, 0x60);
  d.dialog.SelectMode(kAeqModeFrontOnSubOn);  // not possible with status 8
  EXPECT_EQ(d.dialog.Mode(), kAeqModeFrontOnSubOff);

  d.dialog.PressStart();
  d.dialog.PressStart();
  ASSERT_EQ(d.requests.queue.size(), 1u);
  EXPECT_EQ(d.requests.queue[0].message, FormMessage::AeqFinish);
  EXPECT_EQ(std::pair(d.dialog.Running(), d.dialog.StartEnabled()), std::pair(true, false));
  d.dialog.PressCancel();  // during the run: only the flag, nothing posted
  EXPECT_EQ(std::pair(d.dialog.Running(), d.dialog.CancelEnabled()), std::pair(false, false));
  EXPECT_EQ(d.requests.queue.size(), 1u);

  // Before the start, CANCEL asks the form to tidy up, and START cannot ask for a run afterwards.
  d.requests.queue.clear();
  d.dialog.Open(kAllOn, 11, 0x60);
  d.dialog.PressCancel();
  d.dialog.PressStart();
  EXPECT_EQ(d.requests.queue.size(), 1u);
  EXPECT_FALSE(d.dialog.Running());
}

TEST(AeqStart, ProgressFillsTheFirstHalfThenStepsSlowerWithBothHalvesOfTheCar) {
  for (const auto& [mode, perStep] :
       {std::pair{kAeqModeFrontOnSubOn, 88}, std::pair{kAeqModeFrontOnSubOff, 44}}) {
    AeqStartDialog d;
    d.dialog.Open(kAllOn, 11, 0x60);
    d.dialog.SelectMode(mode);
    d.dialog.PressStart();
    d.dialog.BeginProgress(12);
    EXPECT_TRUE(d.view.waitCursor);
    auto pollsTo = [&](int position) {
      int polls = 0;
      for (; d.dialog.Position() < position; ++polls) d.dialog.StepProgress();
      return polls;
    };
    EXPECT_EQ(pollsTo(100), 2400) << mode;  // 0.5 / 12 per poll
    EXPECT_EQ(pollsTo(101), perStep - 1) << mode;
    EXPECT_EQ(pollsTo(102), perStep) << mode;
    for (int i = 0; i < 100 * perStep; ++i) d.dialog.StepProgress();
    EXPECT_EQ(d.dialog.Position(), AeqStart::kProgressEnd);
    d.dialog.Close();
    EXPECT_FALSE(d.view.waitCursor);
  }
}

}  // namespace
