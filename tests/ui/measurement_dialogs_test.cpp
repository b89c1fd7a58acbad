// "AEQ Start" and "TCR Start" on the real form and a simulated processor: what their controls
// show and what a press does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest/QTest>

#include "measure/measurement_runs.h"
#include "measure/ui/aeq_start_dialog.h"
#include "measure/ui/aeq_start_window.h"
#include "measure/ui/tcr_start_dialog.h"
#include "measure/ui/tcr_start_window.h"
#include "ui/app_harness.h"

namespace {

struct MeasureConnected {
  AppHarness h;
  MeasureConnected() {
    h.Start();
    AppHarness::Settle();
    h.Frame().Command(QStringLiteral("com1"))->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.Form().PortOpen(); }, 2000));
    h.line.ClearTraffic();
  }
  void Press(FunctionButton button) {
    QTest::mouseClick(h.View().FunctionButtonWidget(button), Qt::LeftButton);
  }
};

QStringList Texts(const QList<QLabel*>& labels) {
  QStringList out;
  for (const QLabel* l : labels) out << l->text();
  return out;
}

TEST(AeqStartDialog, ShowsItsModesAndStartRunsTheMeasurement) {
  MeasureConnected c;
  c.h.line.Processor().Config().measurePolls = 3;
  c.Press(FunctionButton::AutoEq);
  AeqStartDialog* d = c.h.View().AeqStart()->Dialog();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->windowTitle(), QStringLiteral("AEQ Start"));
  EXPECT_TRUE(
      Texts(d->findChildren<QLabel*>()).contains(QStringLiteral("IF YOU SELECT START ,YOUR TCR IS CHANGE.")));
  EXPECT_EQ(d->ModeRadio(0)->text(), QStringLiteral("FRONT  ON/SubW  ON"));
  EXPECT_EQ(d->ModeRadio(2)->text(), QStringLiteral("FRONT  OFF/SubW  ON"));
  EXPECT_TRUE(d->ModeRadio(0)->isChecked());
  EXPECT_EQ(d->Progress()->maximum(), 200);
  EXPECT_FALSE(c.h.View().FunctionButtonWidget(FunctionButton::Parametric)->isEnabled());

  // An accessible toggle selects as a click does.
  d->ModeRadio(1)->setChecked(true);
  EXPECT_EQ(c.h.View().Runs()->AeqDialog().Mode(), 0x72);

  QTest::mouseClick(d->StartButton(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return c.h.View().AeqStart()->Dialog() == nullptr; }, 3000));
  AppHarness::Settle();
  EXPECT_EQ(c.h.View().Runs()->LastAeqOutcome(), AeqOutcome::Finished);
  EXPECT_TRUE(c.h.View().AeqSwitchBox()->isChecked());
  EXPECT_TRUE(c.h.View().FunctionButtonWidget(FunctionButton::Parametric)->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // The AEQ switch answers an accessible toggle as it does a click.
  c.h.View().AeqSwitchBox()->setChecked(false);
  EXPECT_FALSE(c.h.Form().AeqSwitchOn());
}

TEST(AeqStartDialog, CancelDuringTheMeasurementAbortsIt) {
  MeasureConnected c;
  c.h.line.Processor().Config().measurePolls = 100000;
  c.Press(FunctionButton::AutoEq);
  AeqStartDialog* d = c.h.View().AeqStart()->Dialog();
  ASSERT_NE(d, nullptr);
  bool waitCursorSeen = false;
  QObject::connect(d->Progress(), &QProgressBar::valueChanged, d, [&, d] {
    waitCursorSeen = QApplication::overrideCursor() != nullptr;
    // Clicked at the next delivery of events, while a poll waits on the line.
    QTimer::singleShot(0, d->CancelButton(), &QPushButton::click);
  });
  QTest::mouseClick(d->StartButton(), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return c.h.View().AeqStart()->Dialog() == nullptr; }, 5000));
  EXPECT_TRUE(waitCursorSeen);
  EXPECT_EQ(c.h.View().Runs()->LastAeqOutcome(), AeqOutcome::Cancelled);
  EXPECT_FALSE(c.h.View().SwitchBox(FunctionSwitch::Parametric)->isChecked());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(TcrStartDialog, StopEndsTheMeasurement) {
  MeasureConnected c;
  c.h.line.Processor().Config().measurePolls = 100000;
  QTimer stopper;
  QObject::connect(&stopper, &QTimer::timeout, [&] {
    TcrStartDialog* d = c.h.View().TcrStart()->Dialog();
    if (d == nullptr || !d->isVisible()) return;
    EXPECT_EQ(d->windowTitle(), QStringLiteral("TCR Start"));
    EXPECT_TRUE(Texts(d->findChildren<QLabel*>()).contains(QStringLiteral("AUTO TCR START")));
    EXPECT_EQ(d->Progress()->maximum(), 100);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    d->StopButton()->click();
    stopper.stop();
  });
  stopper.start(5);
  c.Press(FunctionButton::AutoTimeCorrection);  // the run happens inside the press
  EXPECT_EQ(c.h.View().Runs()->LastTcrOutcome(), AutoTcrOutcome::Stopped);
  EXPECT_FALSE(c.h.View().TcrStart()->IsOpen());
  EXPECT_FALSE(c.h.View().SwitchBox(FunctionSwitch::TimeCorrection)->isChecked());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
