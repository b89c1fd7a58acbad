// The parametric EQ window on the real form and a simulated processor: its requests reach the
// form as posted messages, and the form sends what the window edited.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest/QTest>
#include <memory>

#include "common/temp_dir.h"
#include "eq/biquad_designer.h"
#include "eq/ui/parametric_eq_dialog.h"
#include "eq/ui/parametric_eq_window.h"
#include "eq/ui/picture_button.h"
#include "graphics/ui/eq_picture_widget.h"
#include "link/channel_codes.h"
#include "link/coefficient_word.h"
#include "ui/app_harness.h"

namespace {

// The program connected to the simulator on COM1, with the parametric window installed.
struct PeqConnected {
  std::unique_ptr<ParametricEqWindow> window;  // outlives the program, as the window set asks
  AppHarness h;

  explicit PeqConnected(bool connect = true) {
    h.Start();
    AppHarness::Settle();
    window = std::make_unique<ParametricEqWindow>(h.View().Requests(), h.dialogs, &h.Frame());
    h.View().Windows().Install(FunctionWindow::Parametric, *window);
    if (connect) {
      EXPECT_TRUE(h.ConnectCom1());
    }
    QTest::mouseClick(h.View().FunctionButtonWidget(FunctionButton::Parametric), Qt::LeftButton);
    AppHarness::Settle();
  }
  ParametricEqDialog& Dialog() { return *window->Dialog(); }
};

}  // namespace

TEST(ParametricEqWindow, ASliderMoveSendsOneBandThroughTheSimulator) {
  PeqConnected c;
  ASSERT_TRUE(c.window->IsOpen());
  ParametricEqDialog& dialog = c.Dialog();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Parametric EQ Window"));
  EXPECT_FALSE(dialog.PrintButton()->isEnabled());  // online
  EXPECT_EQ(dialog.GraphSize().width, 740);
  EXPECT_EQ(dialog.GraphSize().height, 263);

  const ProcessorSettings before = c.h.line.State().settings;
  QTest::mouseClick(dialog.BandButton(4), Qt::LeftButton);
  dialog.LevelSlider()->setValue(12 - 6);  // +6 dB, as a drag of the slider delivers it
  EXPECT_EQ(dialog.LevelEdit()->text(), QStringLiteral("6"));

  FilterParams band = DefaultPeqBand(EqGroup::Front, 4);
  band.gain = 6.0f;
  BiquadDesigner designer;
  const CoefficientSet words = MakeCoefficientSet(designer.Design(band));
  const auto& sent = c.h.line.State().settings;
  const int left = Index(EqChannelOf(EqGroup::Front, 0));
  const int right = Index(EqChannelOf(EqGroup::Front, 1));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return sent.Words(left, 4)[0] == static_cast<std::uint32_t>(words[0]); }, 2000));
  for (int code : {left, right}) {
    for (int w = 0; w < 5; ++w)
      EXPECT_EQ(sent.Words(code, 4)[w], static_cast<std::uint32_t>(words[w])) << code;
    for (int b = 0; b < kPeqBandCount; ++b) {
      if (b == 4) continue;
      EXPECT_EQ(sent.Words(code, b), before.Words(code, b)) << code << " band " << b;
    }
  }
  EXPECT_EQ(sent.Words(Index(EqChannel::RearL), 4), before.Words(Index(EqChannel::RearL), 4));
  EXPECT_TRUE(c.h.dialogs.messages.empty());
  // The form took the band back into the document.
  EXPECT_EQ(c.h.app->Doc().Document().peqBands[0][0][4].gain, 6.0f);
}

TEST(ParametricEqWindow, ControlsReachTheEditorAndCloseGoesThroughTheForm) {
  PeqConnected c(false);
  ParametricEqDialog& dialog = c.Dialog();
  EXPECT_TRUE(dialog.PrintButton()->isEnabled());  // offline

  dialog.Channel()->activated(Index(EqGroup::SubWoofer));
  EXPECT_FALSE(dialog.BandButton(4)->isEnabled());
  EXPECT_TRUE(dialog.BandButton(3)->isEnabled());
  dialog.FrequencySlider()->setValue(100);
  EXPECT_EQ(dialog.FrequencySlider()->value(), 40);
  EXPECT_EQ(dialog.FrequencyEdit()->text(), QStringLiteral("200"));

  dialog.Channel()->activated(Index(EqGroup::Center));
  EXPECT_FALSE(dialog.SideButton(1)->isEnabled());
  EXPECT_TRUE(dialog.SideButton(0)->isChecked());

  // Typed text and Enter: the hidden default button.
  dialog.Channel()->setEditText(QStringLiteral("Rear"));
  dialog.ReturnButton()->click();
  EXPECT_EQ(c.window->SelectedGroup(), Index(EqGroup::Rear));
  EXPECT_EQ(dialog.Channel()->currentText(), QStringLiteral("Rear"));

  QTest::mouseClick(dialog.GraphButton(), Qt::LeftButton);
  EXPECT_TRUE(dialog.GraphButton()->isChecked());
  QTest::mouseClick(dialog.BoxButton(), Qt::LeftButton);
  EXPECT_FALSE(dialog.GraphButton()->isChecked());
  EXPECT_TRUE(dialog.BoxButton()->isChecked());
  // The accessible toggle acts as the click does, radios included.
  const QString toggle = QAccessibleActionInterface::toggleAction();
  QAccessible::queryAccessibleInterface(dialog.GraphButton())->actionInterface()->doAction(toggle);
  EXPECT_TRUE(dialog.GraphButton()->isChecked());
  EXPECT_FALSE(dialog.BoxButton()->isChecked());
  EXPECT_TRUE(c.window->Editor().Controls().showAllCurves);
  QAccessible::queryAccessibleInterface(dialog.BandButton(6))->actionInterface()->doAction(toggle);
  EXPECT_EQ(c.window->Editor().Controls().band, 6);

  // A legend click picks the group of its row.
  QTest::mouseClick(dialog.Legend(), Qt::LeftButton, {}, QPoint(10, dialog.Legend()->height() / 5 * 3 + 5));
  EXPECT_EQ(c.window->SelectedGroup(), Index(EqGroup::SubWoofer));

  dialog.LevelEdit()->setText(QStringLiteral("-4"));
  dialog.ReturnButton()->click();
  EXPECT_EQ(c.window->Data().peqBands[3][0][0].gain, -4.0f);

  QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
  EXPECT_TRUE(c.window->IsOpen());  // the close is a posted request
  AppHarness::Settle();
  EXPECT_FALSE(c.window->IsOpen());
  EXPECT_EQ(c.h.app->Doc().Document().peqBands[3][0][0].gain, -4.0f);
  EXPECT_EQ(c.h.Form().WorkingCopy().peqBands[3][0][0].gain, -4.0f);

  // Reopening keeps the selections.
  QTest::mouseClick(c.h.View().FunctionButtonWidget(FunctionButton::Parametric), Qt::LeftButton);
  AppHarness::Settle();
  ASSERT_TRUE(c.window->IsOpen());
  EXPECT_EQ(c.Dialog().Channel()->currentText(), QStringLiteral("SubWoofer"));
  EXPECT_EQ(c.Dialog().LevelEdit()->text(), QStringLiteral("-4"));
}

TEST(ParametricEqWindow, PrintGoesThroughThePrintDialog) {
  PeqConnected c(false);
  PdfPrintDialog print;
  c.window->SetPrintDialog(&print);
  QTest::mouseClick(c.Dialog().PrintButton(), Qt::LeftButton);
  EXPECT_EQ(print.asked, 1);  // cancelled: nothing printed

  TempDir dir;
  print.pdfPath = dir.File("peq.pdf");
  QTest::mouseClick(c.Dialog().PrintButton(), Qt::LeftButton);
  EXPECT_EQ(print.asked, 2);
  QFile pdf(QString::fromStdString(print.pdfPath));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
  EXPECT_GT(pdf.size(), 1000);
}

TEST(ParametricEqWindow, TheGraphFollowsTheWindowSize) {
  PeqConnected c(false);
  ParametricEqDialog& dialog = c.Dialog();
  dialog.resize(dialog.width() + 740, dialog.height() + 263);
  ASSERT_TRUE(QTest::qWaitFor([&] { return c.window->Editor().Graph()->Scale().width > 740; }, 2000));
  const GraphScale scale = c.window->Editor().Graph()->Scale();
  EXPECT_EQ(scale.width, dialog.Graph()->width());
  EXPECT_EQ(scale.height, dialog.Graph()->height());
  const QImage picture = dialog.Graph()->Picture();
  EXPECT_EQ(picture.size(), dialog.Graph()->size());
  // The frame's right edge is white at the new size.
  const int right = c.window->Editor().Graph()->Axis().RightEdge();
  EXPECT_EQ(picture.pixelColor(right, picture.height() / 3), QColor(255, 255, 255));
}
