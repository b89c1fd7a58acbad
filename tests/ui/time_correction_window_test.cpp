// The time correction window's wiring on the real form and a simulated processor: its controls
// reach the editor, its requests the form.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <QtTest/QTest>
#include <memory>

#include "alignment/ui/speaker_layout_picture.h"
#include "alignment/ui/time_correction_dialog.h"
#include "alignment/ui/time_correction_window.h"
#include "common/temp_dir.h"
#include "ui/app_harness.h"

namespace {

// The program, connected to the simulator on COM1 or not, with the time correction window open.
struct TcrOpen {
  std::unique_ptr<TimeCorrectionWindow> window;  // outlives the program, as the window set asks
  AppHarness h;

  explicit TcrOpen(bool connect) {
    h.Start();
    AppHarness::Settle();
    window = std::make_unique<TimeCorrectionWindow>(h.View().Requests(), h.dialogs, &h.Frame());
    h.View().Windows().Install(FunctionWindow::TimeCorrection, *window);
    if (connect) {
      EXPECT_TRUE(h.ConnectCom1());
    }
    Press(h.View().FunctionButtonWidget(FunctionButton::TimeCorrection));
  }
  static void Press(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    AppHarness::Settle();
  }
  TimeCorrectionDialog& Dialog() { return *window->Dialog(); }
  const ProcessorSettings& Sent() { return h.line.State().settings; }
};

}  // namespace

TEST(TimeCorrectionWindow, EveryControlReachesTheProcessorThroughTheForm) {
  TcrOpen t(true);
  ASSERT_TRUE(t.window->IsOpen());
  TimeCorrectionDialog& d = t.Dialog();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("TIME_Delay & Driver Phase"));
  EXPECT_EQ(d.CloseButton()->text(), QStringLiteral("CLOSE\nWindow"));
  EXPECT_EQ(d.PhaseBox(6)->text(), QStringLiteral("Phase"));
  EXPECT_FALSE(d.Slider(6)->accessibleName().isEmpty());
  EXPECT_FALSE(d.PrintButton()->isEnabled());  // online

  QTest::keyClicks(d.DelayEdit(7), QStringLiteral("7"));  // typed, not confirmed
  d.Slider(6)->setValue(25);                              // as a drag of the slider delivers it
  EXPECT_TRUE(QTest::qWaitFor([&] { return t.Sent().delaySteps[6] == 25; }, 2000));
  EXPECT_EQ(d.DelayEdit(6)->text(), QStringLiteral("2.5"));
  EXPECT_EQ(d.DelayEdit(7)->text(), QStringLiteral("07"));
  EXPECT_EQ(d.DistanceCm()->text(), QStringLiteral("85.0"));

  // The accessible toggle changes the state without a click; it acts all the same.
  d.PhaseBox(6)->toggle();
  EXPECT_TRUE(QTest::qWaitFor([&] { return t.Sent().phase[6] == 1; }, 2000));
  EXPECT_EQ(d.PhaseDegrees(6)->text(), QStringLiteral("180"));

  // Enter from a box reaches the editor through the window's shortcut.
  d.DelayEdit(2)->setText(QStringLiteral("12.345"));
  d.DelayEdit(2)->setFocus();
  QTest::keyClick(d.DelayEdit(2), Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return t.Sent().delaySteps[2] == 123; }, 2000));
  EXPECT_EQ(d.DistanceName()->text(), QStringLiteral("Front\nLeft\nMid"));

  TcrOpen::Press(d.CloseButton());
  EXPECT_FALSE(t.window->IsOpen());
  EXPECT_DOUBLE_EQ(t.h.app->Doc().Document().channelDelay[2], 12.3);
  EXPECT_DOUBLE_EQ(t.h.app->Doc().Document().channelDelay[7], 7.0);  // the typing kept went with Enter
}

TEST(TimeCorrectionWindow, OfflineItPrintsAndShowsTheSpeakerSwitches) {
  TcrOpen t(false);
  EXPECT_TRUE(t.Dialog().PrintButton()->isEnabled());
  EXPECT_TRUE(t.Dialog().Picture()->Switches()[7]);
  t.Dialog().close();  // the close box
  AppHarness::Settle();
  EXPECT_FALSE(t.window->IsOpen());

  TcrOpen::Press(t.h.View().SpeakerButton(OutputChannel::RearL));
  TcrOpen::Press(t.h.View().FunctionButtonWidget(FunctionButton::TimeCorrection));
  ASSERT_TRUE(t.window->IsOpen());
  EXPECT_FALSE(t.Dialog().Picture()->Switches()[7]);

  TempDir dir;
  PdfPrintDialog print;
  print.pdfPath = dir.File("tcr.pdf");
  t.window->SetPrintDialog(&print);
  QTest::mouseClick(t.Dialog().PrintButton(), Qt::LeftButton);
  QFile pdf(QString::fromStdString(print.pdfPath));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
  t.window->SetPrintDialog(nullptr);
}
