#include "link/memory_store.h"

#include <gtest/gtest.h>

#include <deque>

#include "link/connect_sequence.h"
#include "link/fake_processor_line.h"
#include "link/serial_port.h"
#include "sim/in_memory_line.h"

namespace {

using namespace linktest;

// The main form as far as the memory store sees it; statuses are scripted or, when none are
// left, asked of the processor.
class FakeForm : public MemoryStoreHost {
 public:
  FakeForm(ConnectSequence& sequence, SerialPort& port) : sequence_(sequence), port_(port) {}
  bool PortOpen() override { return port_.IsOpen(); }
  bool LinkBusy() override { return busy; }
  void SetLinkBusy(bool b) override {
    busy = b;
    busyChanges.push_back(b);
  }
  void StopAnalyzer() override { ++analyzerStops; }
  int StatusCheck() override {
    ++statusChecks;
    if (scripted.empty()) return sequence_.StatusCheck();
    const int s = scripted.front();
    scripted.pop_front();
    return s;
  }
  void TransferFailed(int value) override { failures.push_back(value); }

  bool busy = false;
  std::vector<bool> busyChanges;
  int analyzerStops = 0;
  int statusChecks = 0;
  std::deque<int> scripted;
  std::vector<int> failures;

 private:
  ConnectSequence& sequence_;
  SerialPort& port_;
};

struct Storing : ::testing::Test {
  VirtualClock clock;
  InMemoryLine line{clock};
  ScriptedDialogs dialogs;
  CountingPump pump;
  SerialPort port{line, dialogs, pump};
  RecordingProgress rs232c;
  RecordingProgress parameter;
  ConnectSequence sequence{port, clock, dialogs, rs232c};
  FakeForm form{sequence, port};
  MemoryStore store{form, port, clock, dialogs, parameter};

  void SetUp() override { ASSERT_TRUE(port.OpenPort("COM1")); }
};

TEST_F(Storing, ChosenMemoryIsWrittenAndWaitedFor) {
  line.State().settings.delaySteps[3] = 77;
  dialogs.memoryChoice = 3;
  dialogs.keepAliveTicks = 2;
  const auto start = clock.NowMs();
  EXPECT_EQ(store.Run(), MemoryStoreResult::Stored);
  ASSERT_TRUE(line.State().Memory(3).has_value());
  EXPECT_EQ(line.State().Memory(3)->delaySteps[3], 77);
  EXPECT_FALSE(line.State().Memory(2).has_value());
  // Before the dialog, two keep-alives, after the store, and at steps 10..120.
  EXPECT_EQ(form.statusChecks, 1 + 2 + 1 + 12);
  EXPECT_EQ(form.analyzerStops, 1);
  EXPECT_EQ(form.busyChanges, (std::vector<bool>{true, false}));
  EXPECT_GE(clock.NowMs() - start, 128 * 40);
  EXPECT_EQ(parameter.positions.size(), 128u);
  EXPECT_EQ(parameter.positions.back(), 127);
  EXPECT_EQ(parameter.events,
            (std::vector<std::string>{"open", "range 0 128", "text 0 LOADING IN MEMORY", "close"}));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(port.IsOpen());
}

TEST_F(Storing, RefusalsAndCancel) {
  form.busy = true;
  EXPECT_EQ(store.Run(), MemoryStoreResult::Busy);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"PLEASE RETRY SET MEMORY"});
  EXPECT_TRUE(form.busy);

  form.busy = false;
  dialogs.messages.clear();
  dialogs.memoryChoice = Dialogs::kMemoryCancel;
  EXPECT_EQ(store.Run(), MemoryStoreResult::Cancelled);
  EXPECT_FALSE(form.busy);
  EXPECT_EQ(line.State().counters.accepted['W'], 0);
  EXPECT_FALSE(parameter.open);

  port.ClosePort();
  EXPECT_EQ(store.Run(), MemoryStoreResult::NotConnected);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Port Not Connect"});
}

TEST_F(Storing, ProcessorFailureAtTheThirtiethStep) {
  dialogs.memoryChoice = 2;
  form.scripted = {8, 8, 8, 8, 6};  // before the dialog, after the store, steps 10, 20, 30
  EXPECT_EQ(store.Run(), MemoryStoreResult::ProcessorFailed);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"FAILUE!! PLEASE RETRY SET MEMORY"});
  EXPECT_EQ(parameter.lastPosition, 30);
  EXPECT_FALSE(parameter.open);
  EXPECT_FALSE(form.busy);
}

TEST_F(Storing, FailedStoreAndDeadPolls) {
  dialogs.memoryChoice = 6;
  line.Faults().nakFrames = 1 + 5;  // the first status check survives one; the store fails
  EXPECT_EQ(store.Run(), MemoryStoreResult::StoreFailed);
  EXPECT_EQ(form.failures, std::vector<int>{0});
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(parameter.open);
  EXPECT_FALSE(form.busy);

  // A status poll that finds the line dead ends the wait; it is reported only once.
  ASSERT_TRUE(port.OpenPort("COM1"));
  line.Faults().nakFrames = 0;
  form.scripted = {8, 8, 8, 0};
  const int checksBefore = form.statusChecks;
  EXPECT_EQ(store.Run(), MemoryStoreResult::StatusFailed);
  EXPECT_EQ(form.statusChecks - checksBefore, 4);
  EXPECT_EQ(parameter.lastPosition, 20);
  EXPECT_FALSE(form.busy);
}

}  // namespace
