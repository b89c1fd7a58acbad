#include "alignment/time_correction_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "alignment/tcr_report.h"
#include "common/recording_dialogs.h"
#include "eq/edit_field.h"
#include "form/form_request.h"
#include "form/form_test_support.h"
#include "graphics/printed_report.h"
#include "graphics/recording_canvas.h"
#include "link/device_link.h"

namespace {

using Texts = std::array<std::string, kOutputCount>;

class RecordingSink : public FormRequestSink {
 public:
  void Post(const FormRequest& r) override { posted.push_back(r); }
  void Send(const FormRequest& r) override { posted.push_back(r); }
  std::vector<FormRequest> posted;
};

class FakeTarget : public ReportTarget {
 public:
  bool BeginPage() override { return true; }
  Canvas& Page() override { return page; }
  void EndPage() override {}
  RecordingCanvas page;
};

struct TcrEditor : ::testing::Test {
  void Store(int channel, double ms) {
    doc.channelDelay[channel] = ms;
    editor.Load(doc);
  }
  Texts Shown() const { return editor.Controls().delayText; }
  void ExpectPosted(int channel) const {
    ASSERT_FALSE(sink.posted.empty());
    EXPECT_EQ(sink.posted.back().message, FormMessage::TcrSend);
    EXPECT_EQ(sink.posted.back().wParam, 0);
    EXPECT_EQ(sink.posted.back().lParam, channel);
  }

  SetupDocument doc;
  RecordingSink sink;
  RecordingDialogs dialogs;
  TimeCorrectionEditor editor{sink, dialogs};
};

const std::string kRangeMessage = "Please enter a number between 0 and 20.";

}  // namespace

TEST_F(TcrEditor, EnterPutsTheTypedDelayOnItsStepOrRevertsIt) {
  struct Case {
    const char* typed;
    double delay;
    int slider;
    bool reverted;
  };
  const Case cases[] = {{"20", 20.0, 200, false},     {"20.05", 3.0, 30, true}, {"-0.1", 3.0, 30, true},
                        {"12.345", 12.3, 123, false}, {"2.3", 2.3, 23, false},  {"19.99", 20.0, 200, false},
                        {" 0 ", 0.0, 0, false}};
  for (const Case& c : cases) {
    Store(4, 3.0);
    dialogs.messages.clear();
    Texts texts = Shown();
    texts[4] = c.typed;
    ASSERT_TRUE(editor.Enter(texts)) << c.typed;
    EXPECT_DOUBLE_EQ(editor.Data().channelDelay[4], c.delay) << c.typed;
    EXPECT_EQ(editor.Controls().slider[4], c.slider) << c.typed;
    EXPECT_EQ(editor.CurrentChannel(), 4);
    ExpectPosted(4);
    EXPECT_EQ(dialogs.messages,
              c.reverted ? std::vector<std::string>{kRangeMessage} : std::vector<std::string>{})
        << c.typed;
  }
}

TEST_F(TcrEditor, EveryEditedBoxOutOfRangeIsRevertedNotOnlyTheFirst) {
  doc.channelDelay[0] = 1.0;
  doc.channelDelay[6] = 2.0;
  editor.Load(doc);
  Texts texts = Shown();
  texts[0] = "25";
  texts[6] = "-3";
  texts[3] = "4.5";
  ASSERT_TRUE(editor.Enter(texts));
  EXPECT_DOUBLE_EQ(editor.Data().channelDelay[0], 1.0);
  EXPECT_DOUBLE_EQ(editor.Data().channelDelay[6], 2.0);
  EXPECT_DOUBLE_EQ(editor.Data().channelDelay[3], 4.5);
  EXPECT_EQ(editor.CurrentChannel(), 6);  // first in the entry order
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{kRangeMessage});
  ExpectPosted(6);
  for (int c = 0; c < kOutputCount; ++c) {
    EXPECT_GE(editor.Controls().slider[c], 0);
    EXPECT_LE(editor.Controls().slider[c], kDelaySliderMax);
  }
}

TEST_F(TcrEditor, TheFirstEditedBoxInEntryOrderBecomesCurrent) {
  // 0.3 ms is stored as 3 x 0.1 and shown as "0.3": unedited, it is not taken for an edit.
  doc.channelDelay[6] = 3 * 0.1;
  doc.channelDelay[8] = 7 * 0.1;
  editor.Load(doc);
  EXPECT_EQ(Shown()[6], "0.3");
  Texts texts = Shown();
  texts[0] = "5";
  texts[2] = "1";
  ASSERT_TRUE(editor.Enter(texts));
  EXPECT_EQ(editor.CurrentChannel(), 2);  // 2 comes before 0 in the order
  ExpectPosted(2);
  EXPECT_EQ(editor.Controls().slider[6], 3);
  EXPECT_EQ(editor.Controls().slider[8], 7);
  EXPECT_DOUBLE_EQ(editor.Data().channelDelay[0], 5.0);
}

TEST_F(TcrEditor, ATextThatIsNoNumberChangesNothing) {
  Store(5, 1.5);
  Texts texts = Shown();
  texts[5] = "3,5";
  texts[1] = "7";
  EXPECT_FALSE(editor.Enter(texts));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{std::string(kEnterNumber)});
  EXPECT_TRUE(sink.posted.empty());
  EXPECT_DOUBLE_EQ(editor.Data().channelDelay[5], 1.5);
  EXPECT_DOUBLE_EQ(editor.Data().channelDelay[1], 0.0);
  EXPECT_EQ(editor.Controls().delayText[5], "3,5");  // the typing stays to be corrected
}

TEST_F(TcrEditor, EveryStepReachesSliderAndProcessorExactly) {
  VirtualClock clock;
  InMemoryLine line(clock);
  formtest::FakePump pump;
  SerialPort port(line, dialogs, pump);
  ASSERT_TRUE(port.OpenPort("COM1"));
  for (int k = 0; k <= kDelaySliderMax; ++k) {
    // By the slider on one output, typed into another.
    editor.SliderMoved(7, k);
    Texts texts = Shown();
    texts[9] = texts[7];
    ASSERT_TRUE(editor.Enter(texts));
    DeviceLink link(port, clock);
    for (int c : {7, 9}) {
      EXPECT_EQ(editor.Controls().slider[c], k) << c << " " << k;
      ASSERT_TRUE(link.SetDelay(static_cast<OutputChannel>(c), editor.Data().channelDelay[c]));
      EXPECT_EQ(line.State().settings.delaySteps[c], k) << c << " " << k;
    }
  }
}

TEST_F(TcrEditor, DistanceBoxShowsTheCurrentOutputInCmAndInches) {
  struct Case {
    int channel;
    int steps;
    const char* cm;
    const char* inch;
  };
  const Case cases[] = {
      {6, 29, "98.6", "38.8"}, {6, 30, "102", "40.2"}, {0, 0, "0.0", "0.0"}, {10, 200, "680", "268"}};
  for (const Case& c : cases) {
    editor.SliderMoved(c.channel, c.steps);
    EXPECT_EQ(editor.Controls().distanceName, kDistanceChannelNames[c.channel]);
    EXPECT_EQ(editor.Controls().distanceCm, c.cm) << c.steps;
    EXPECT_EQ(editor.Controls().distanceInch, c.inch) << c.steps;
  }
  EXPECT_EQ(editor.Controls().distanceName, "SubWoofer\nRight");
}

TEST_F(TcrEditor, PhaseBoxFlipsItsOutputAndMakesItCurrent) {
  editor.PhaseClicked(6, true);
  EXPECT_EQ(editor.Data().channelPhase[6], 1);
  EXPECT_TRUE(editor.Controls().phase[6]);
  EXPECT_EQ(editor.Controls().phaseDegrees[6], "180");
  EXPECT_EQ(editor.Controls().distanceName, "\nCenter");
  ExpectPosted(6);
  editor.PhaseClicked(6, false);
  EXPECT_EQ(editor.Data().channelPhase[6], 0);
  EXPECT_EQ(editor.Controls().phaseDegrees[6], "0");
}

TEST_F(TcrEditor, ReportPlacesEveryOutputOnItsLine) {
  doc.channelDelay[6] = 123 * 0.1;
  doc.channelPhase[6] = 1;
  editor.Load(doc);
  // With a small printer font the columns stand at 200 and 500; a font too large for the names
  // moves them right.
  for (const auto& [L, shift] : {std::pair{20, 0}, std::pair{40, 190}}) {
    FakeTarget target;
    target.page.lineHeight = L;
    editor.Print(target, ReportDate{2024, 3, 7});
    const RecordingCanvas& page = target.page;
    auto at = [&](std::string_view text) {
      const RecordingCanvas::Op* op = page.FindText(text);
      return op != nullptr ? op->points[0] : CanvasPoint{-1, -1};
    };
    EXPECT_EQ(at("DELAY"), (CanvasPoint{250 + shift, -2 * L}));
    EXPECT_EQ(at("PHASE"), (CanvasPoint{550 + shift, -2 * L}));
    EXPECT_EQ(at("FRONT HI LEFT"), (CanvasPoint{10, -4 * L}));
    EXPECT_EQ(at("CENTER"), (CanvasPoint{10, -10 * L}));
    EXPECT_EQ(at(": 12.3 msec"), (CanvasPoint{200 + shift, -10 * L}));
    EXPECT_EQ(at(": 180 deg"), (CanvasPoint{500 + shift, -10 * L}));
    EXPECT_EQ(at("SUB WOOFER RIGHT"), (CanvasPoint{10, -14 * L}));
    EXPECT_EQ(at("TCR & PHASE        2024 /  3 /  7"), (CanvasPoint{500, 0}));
    EXPECT_EQ(at("TORVAL KRV5200   PC SETUP DATA"), (CanvasPoint{1000, -1150}));
    const auto texts = page.Of(RecordingCanvas::Kind::Text);
    EXPECT_EQ(texts.size(), 2u + 3u * kOutputCount + 2u);
    EXPECT_EQ(
        std::count_if(texts.begin(), texts.end(), [](const auto& op) { return op.text == ": 0.0 msec"; }),
        10);
  }
}

namespace {

// The editor as the form's time correction window; its posts wait until delivered.
class EditorWindow : public FunctionWindowObject, public FormRequestSink {
 public:
  explicit EditorWindow(RecordingDialogs& dialogs) : editor(*this, dialogs) {}
  void Load(const SetupDocument& w) override { editor.Load(w); }
  void Open(bool) override { open = true; }
  bool IsOpen() const override { return open; }
  void Close() override { open = false; }
  void SetOffline(bool) override {}
  void Refresh() override {}
  const SetupDocument& Data() const override { return editor.Data(); }
  int SelectedGroup() const override { return editor.CurrentChannel(); }
  int SelectedSide() const override { return 0; }
  void Post(const FormRequest& r) override { queue.push_back(r); }
  void Send(const FormRequest& r) override { form->HandleRequest(r); }
  void Deliver() {
    while (!queue.empty()) {
      const FormRequest r = queue.front();
      queue.pop_front();
      form->HandleRequest(r);
    }
  }

  SetupForm* form = nullptr;
  TimeCorrectionEditor editor;
  std::deque<FormRequest> queue;
  bool open = false;
};

struct TcrThroughForm : formtest::FormFixture {
  TcrThroughForm() {
    window.form = &form;
    windows.Install(FunctionWindow::TimeCorrection, window);
  }
  void OpenWindow() {
    form.PressFunctionButton(FunctionButton::TimeCorrection);
    ASSERT_TRUE(window.open);
  }
  RecordingDialogs boxes;
  EditorWindow window{boxes};
};

}  // namespace

TEST_F(TcrThroughForm, TheCenterPhaseBoxSendsChannelSixOnly) {
  ConnectNow();
  OpenWindow();
  window.editor.SliderMoved(0, 50);
  window.editor.SliderMoved(6, 12);
  window.Deliver();
  line.ClearTraffic();
  window.editor.PhaseClicked(6, true);
  window.Deliver();
  EXPECT_EQ(Sent(), (std::vector<std::string>{"D 6 12", "H 6 1"}));
  EXPECT_EQ(Processor().phase[6], 1);
  EXPECT_EQ(Processor().delaySteps[0], 50);
  EXPECT_EQ(session.document.channelPhase[6], 1);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TcrThroughForm, OfflineEditsAreStoredAndNothingIsSent) {
  OpenWindow();
  window.editor.SliderMoved(3, 42);
  window.editor.PhaseClicked(8, true);
  Texts texts = window.editor.Controls().delayText;
  texts[10] = "7.25";
  ASSERT_TRUE(window.editor.Enter(texts));
  window.editor.Close();
  window.Deliver();
  EXPECT_TRUE(line.Sent().empty());
  EXPECT_FALSE(window.open);
  EXPECT_DOUBLE_EQ(session.document.channelDelay[3], 4.2);
  EXPECT_DOUBLE_EQ(session.document.channelDelay[10], 7.2);
  EXPECT_EQ(session.document.channelPhase[8], 1);
  EXPECT_EQ(form.WorkingCopy().channelDelay, session.document.channelDelay);
  EXPECT_TRUE(session.IsModified());
}
