// The form keeps a snapshot of each whole setup that reaches the processor, through the simulated
// processor in virtual time.
#include <gtest/gtest.h>

#include "common/snapshot_sink.h"
#include "measure/measurement_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class RecordingSnapshots : public SnapshotSink {
 public:
  struct Kept {
    std::string trigger;
    SetupDocument setup;
    std::string name;
  };
  std::string Keep(const SnapshotTrigger& trigger, const SetupDocument& setup,
                   std::string_view name) override {
    kept.push_back({trigger.Name(), setup, std::string(name)});
    return note;
  }
  Strings Triggers() const {
    Strings names;
    for (const Kept& k : kept) names.push_back(k.trigger);
    return names;
  }
  std::vector<Kept> kept;
  std::string note;  // what a failed write answers
};

class SnapshotTriggers : public measuretest::MeasureFixture {
 protected:
  SnapshotTriggers() { form.SetSnapshots(snapshots); }
  void Reconnect() {
    form.Disconnect();
    form.Connect(0);
  }
  RecordingSnapshots snapshots;
};

TEST_F(SnapshotTriggers, EachWholeSetupThatReachesTheProcessorIsKeptAsItWasThen) {
  Reconnect();
  ASSERT_EQ(snapshots.Triggers(), Strings{"connect"});
  EXPECT_EQ(snapshots.kept.back().setup, session.document);
  EXPECT_EQ(snapshots.kept.back().name, "Untitled");

  dialogs.memoryChoice = 4;
  form.PressFunctionButton(FunctionButton::Memory);
  EXPECT_EQ(snapshots.Triggers(), (Strings{"connect", "store-4"}));
  EXPECT_EQ(view.statusMessages, Strings{"Stored in memory 4"});

  const SetupDocument before = session.document;
  RunAeq();
  ASSERT_EQ(runs.LastAeqOutcome(), AeqOutcome::Finished);
  ASSERT_EQ(snapshots.Triggers(), (Strings{"connect", "store-4", "aeq"}));
  EXPECT_EQ(snapshots.kept.back().setup, session.document);
  EXPECT_NE(snapshots.kept.back().setup.channelDelay, before.channelDelay);

  session.document.channelDelay.fill(0.0);
  form.PressFunctionButton(FunctionButton::AutoTimeCorrection);
  ASSERT_EQ(runs.LastTcrOutcome(), AutoTcrOutcome::Finished);
  ASSERT_EQ(snapshots.Triggers(), (Strings{"connect", "store-4", "aeq", "tcr"}));
  EXPECT_EQ(snapshots.kept.back().setup.channelDelay, session.document.channelDelay);
  EXPECT_EQ(snapshots.kept.back().setup.measuredValue1, session.document.measuredValue1);
}

TEST_F(SnapshotTriggers, NothingIsKeptWhenNothingReachedTheProcessor) {
  form.PressFunctionButton(FunctionButton::Memory);  // "CANCEL" in "Memory Select"
  dialogs.tcrOk = false;                             // "TCR_WARNING" not confirmed
  form.PressFunctionButton(FunctionButton::AutoTimeCorrection);
  line.Faults().silentAfterFrames = 3;  // the upload fails
  Reconnect();
  EXPECT_FALSE(form.Link().portOpen);
  EXPECT_TRUE(snapshots.kept.empty());
}

TEST_F(SnapshotTriggers, ASnapshotThatCannotBeWrittenCostsOneNoteAndTheOperationGoesOn) {
  snapshots.note = "Snapshot not written to /data/snapshots: No space left on device";
  Reconnect();
  EXPECT_TRUE(form.Link().portOpen);
  EXPECT_FALSE(form.Link().linkBusy);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(view.statusMessages, Strings{snapshots.note});

  dialogs.memoryChoice = 2;
  form.PressFunctionButton(FunctionButton::Memory);
  EXPECT_EQ(view.statusMessages.back(), "Stored in memory 2; " + snapshots.note);
  EXPECT_EQ(view.statusMessages.size(), 2u);
}

}  // namespace
