// The crossover window on the real form and a simulated processor: the wiring of its controls to
// the editor and of its requests, posted, to the form; the editing rules are tested on the editor.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest/QTest>

#include "common/temp_dir.h"
#include "crossover/ui/crossover_dialog.h"
#include "crossover/ui/crossover_window.h"
#include "eq/ui/picture_button.h"
#include "graphics/ui/eq_picture_widget.h"
#include "ui/app_harness.h"

TEST(CrossoverWindow, ControlsReachTheEditorAndItsRequestsTheFormOnlineAndOffline) {
  AppHarness h;
  h.Start();
  ASSERT_TRUE(h.ConnectCom1());
  QTest::mouseClick(h.View().FunctionButtonWidget(FunctionButton::Divider), Qt::LeftButton);
  AppHarness::Settle();
  CrossoverWindow& window = *h.View().Crossover();
  ASSERT_TRUE(window.IsOpen());
  CrossoverDialog& d = *window.Dialog();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Crossover Window"));
  EXPECT_FALSE(d.PrintButton()->isEnabled());  // online

  d.Channel()->activated(Index(SpeakerGroup::Rear));
  EXPECT_FALSE(d.LpfSlider()->isEnabled());
  d.LpfSlope()->activated(2);
  ASSERT_TRUE(d.LpfSlider()->isEnabled());
  d.LpfSlider()->setValue(30);  // as a drag of the thumb delivers it
  EXPECT_EQ(d.LpfFrequency()->text(), QStringLiteral("630 Hz"));
  const ProcessorSettings& p = h.line.State().settings;
  const auto rearR = static_cast<std::size_t>(Index(OutputChannel::RearR));
  ASSERT_TRUE(QTest::qWaitFor([&] { return p.lowPass[rearR] == FilterCodes{2, 30}; }, 2000));

  // An accessibility toggle picks the set as a click does: R ch with the R set's level.
  AccessibleToggle(d.SetButton(2));
  EXPECT_TRUE(d.SetButton(2)->isChecked());
  d.Level()->activated(4);
  EXPECT_TRUE(QTest::qWaitFor([&] { return p.levelCodes[rearR] == 8; }, 2000));
  // A click on the radio already checked sends the set again.
  h.line.ClearTraffic();
  ClickRadio(d.SetButton(2));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !h.line.Sent().empty(); }, 2000));

  h.Frame().Command(QStringLiteral("off"))->trigger();
  AppHarness::Settle();
  EXPECT_TRUE(d.PrintButton()->isEnabled());  // offline

  d.Channel()->setEditText(QStringLiteral("SubWoofer"));
  d.ReturnButton()->click();
  EXPECT_EQ(window.SelectedGroup(), Index(SpeakerGroup::SubWoofer));
  EXPECT_EQ(d.LpfSlope()->count(), 5);
  d.Channel()->setEditText(QStringLiteral("Rear2"));
  d.ReturnButton()->click();
  EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{"CANNOT WRITE NUMBER"});
  EXPECT_EQ(d.Channel()->currentText(), QStringLiteral("SubWoofer"));

  AccessibleToggle(d.ShowAllButton());
  EXPECT_TRUE(window.Editor().Controls().showAllCurves);
  QTest::mouseClick(d.ShowAllButton(), Qt::LeftButton);
  EXPECT_FALSE(window.Editor().Controls().showAllCurves);

  TempDir dir;
  PdfPrintDialog print;
  print.pdfPath = dir.File("div.pdf");
  window.SetPrintDialog(&print);
  QTest::mouseClick(d.PrintButton(), Qt::LeftButton);
  QFile pdf(QString::fromStdString(print.pdfPath));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));

  // Down with the graph focused lowers the level.
  QTest::mouseClick(d.Graph(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::keyClick(d.Graph(), Qt::Key_Down);
  EXPECT_EQ(d.Level()->currentText(), QStringLiteral("-1 dB"));

  // Switching a speaker off reaches the open window.
  QTest::mouseClick(h.View().SpeakerButton(OutputChannel::SubWooferL), Qt::LeftButton);
  QTest::mouseClick(h.View().SpeakerButton(OutputChannel::SubWooferR), Qt::LeftButton);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !window.Editor().Model().Present(SpeakerGroup::SubWoofer); }, 2000));

  QTest::mouseClick(d.CloseButton(), Qt::LeftButton);
  AppHarness::Settle();
  EXPECT_FALSE(window.IsOpen());
  EXPECT_EQ(h.app->Doc().Document().crossover[Index(SpeakerGroup::SubWoofer)][Index(CrossoverSet::R)].level,
            -1);
}
