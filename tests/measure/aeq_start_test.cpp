// The "AEQ Start" dialog's rules: possible modes, preselection, START and CANCEL, progress.
#include <gtest/gtest.h>

#include "measure/aeq_start.h"
#include "measure/measurement_fixture.h"

namespace {

using measuretest::FakeAeqStartView;
using measuretest::QueuedRequests;

using Switches = std::array<std::int32_t, kOutputCount>;

Switches AllOn() {
  Switches s;
  s.fill(1);
  return s;
}

Switches With(std::initializer_list<OutputChannel> on) {
  Switches s{};
  for (OutputChannel c : on) s[static_cast<std::size_t>(Index(c))] = 1;
  return s;
}

struct ModeCase {
  const char* name;
  Switches speakers;
  int status;
  bool both, front, sub;
  int selected;
};

TEST(AeqStart, ModesFollowTheSpeakersAndTheProcessorsStatus) {
  using C = OutputChannel;
  const Switches subsOnly = With({C::SubWooferL, C::SubWooferR});
  const Switches crossedFront = With({C::FrontMidL, C::FrontLowR});
  const Switches leftFrontAndSubs = With({C::FrontMidL, C::FrontLowL, C::SubWooferL, C::SubWooferR});
  const ModeCase cases[] = {
      {"all on, status 11", AllOn(), 11, true, true, true, kAeqModeFrontOnSubOn},
      {"all on, status 10", AllOn(), 10, true, true, true, kAeqModeFrontOnSubOn},
      {"all on, status 8", AllOn(), 8, false, true, false, kAeqModeFrontOnSubOff},
      {"sub-woofers only, status 8", subsOnly, 8, false, false, false, 0x60},
      {"sub-woofers only, status 11", subsOnly, 11, false, false, true, kAeqModeFrontOffSubOn},
      {"mid left and low right", crossedFront, 11, false, true, false, kAeqModeFrontOnSubOff},
      {"left front only with sub-woofers", leftFrontAndSubs, 10, false, false, true, kAeqModeFrontOffSubOn},
  };
  for (const ModeCase& c : cases) {
    QueuedRequests requests;
    FakeAeqStartView view;
    AeqStart dialog(requests, view);
    dialog.Open(c.speakers, c.status, 0x60);
    EXPECT_TRUE(view.open) << c.name;
    EXPECT_EQ(dialog.ModeEnabled(kAeqModeFrontOnSubOn), c.both) << c.name;
    EXPECT_EQ(dialog.ModeEnabled(kAeqModeFrontOnSubOff), c.front) << c.name;
    EXPECT_EQ(dialog.ModeEnabled(kAeqModeFrontOffSubOn), c.sub) << c.name;
    EXPECT_EQ(dialog.Mode(), c.selected) << c.name;
  }
}

TEST(AeqStart, StartAndCancelAskTheFormOnceAndOnlyPossibleModesAreTaken) {
  QueuedRequests requests;
  FakeAeqStartView view;
  AeqStart dialog(requests, view);
  dialog.Open(AllOn(), 8, 0x60);
  dialog.SelectMode(kAeqModeFrontOnSubOn);  // not possible with status 8
  EXPECT_EQ(dialog.Mode(), kAeqModeFrontOnSubOff);

  dialog.PressStart();
  dialog.PressStart();
  ASSERT_EQ(requests.queue.size(), 1u);
  EXPECT_EQ(requests.queue[0].message, FormMessage::AeqFinish);
  EXPECT_TRUE(dialog.Running());
  EXPECT_FALSE(dialog.StartEnabled());
  dialog.PressCancel();  // during the run: only the flag, nothing posted
  EXPECT_FALSE(dialog.Running());
  EXPECT_FALSE(dialog.CancelEnabled());
  EXPECT_EQ(requests.queue.size(), 1u);

  // Before the start, CANCEL asks the form to tidy up, and START cannot ask for a run afterwards.
  requests.queue.clear();
  dialog.Open(AllOn(), 11, 0x60);
  dialog.PressCancel();
  dialog.PressStart();
  EXPECT_EQ(requests.queue.size(), 1u);
  EXPECT_FALSE(dialog.Running());
}

TEST(AeqStart, ProgressFillsTheFirstHalfThenStepsSlowerWithBothHalvesOfTheCar) {
  for (const auto& [mode, perStep] :
       {std::pair{kAeqModeFrontOnSubOn, 88}, std::pair{kAeqModeFrontOnSubOff, 44}}) {
    QueuedRequests requests;
    FakeAeqStartView view;
    AeqStart dialog(requests, view);
    dialog.Open(AllOn(), 11, 0x60);
    dialog.SelectMode(mode);
    dialog.PressStart();
    dialog.BeginProgress(12);
    EXPECT_TRUE(view.waitCursor);
    int polls = 0;
    while (dialog.Position() < 100) {
      dialog.StepProgress();
      ++polls;
    }
    EXPECT_EQ(polls, 2400) << mode;  // 0.5 / 12 per poll
    for (int step = 101; step <= 102; ++step) {
      int more = 0;
      while (dialog.Position() < step) {
        dialog.StepProgress();
        ++more;
      }
      EXPECT_EQ(more, step == 101 ? perStep - 1 : perStep) << mode;
    }
    for (int i = 0; i < 100 * perStep; ++i) dialog.StepProgress();
    EXPECT_EQ(dialog.Position(), AeqStart::kProgressEnd);
    dialog.Close();
    EXPECT_FALSE(view.waitCursor);
  }
}

}  // namespace
