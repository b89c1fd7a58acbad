// The graphic EQ window in the running program on a simulated processor: its controls reach the
// editor, its requests reach the form, and the form sends what the window edited.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest/QTest>

#include "common/temp_dir.h"
#include "eq/ui/eq_picture_widget.h"
#include "eq/ui/graphic_eq_dialog.h"
#include "eq/ui/graphic_eq_window.h"
#include "eq/ui/picture_button.h"
#include "ui/app_harness.h"

namespace {

class PdfPrintDialog : public QtPrintedReport::PrintDialog {
 public:
  bool Choose(QPrinter& printer) override {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    return true;
  }
  std::string path;
};

// The program with the graphic EQ switched on and its window open, on COM1 or offline.
struct GraphicOpen {
  AppHarness h;

  explicit GraphicOpen(bool connect) {
    h.Start();
    AppHarness::Settle();
    if (connect) {
      h.Frame().Command(QStringLiteral("com1"))->trigger();
      EXPECT_TRUE(
          QTest::qWaitFor([&] { return h.View().StatusBox()->text() == QStringLiteral("PORT OPEN"); }, 2000));
    }
    h.View().SwitchBox(FunctionSwitch::Graphic)->click();
    AppHarness::Settle();
    QTest::mouseClick(h.View().FunctionButtonWidget(FunctionButton::Graphic), Qt::LeftButton);
    AppHarness::Settle();
  }
  GraphicEqWindow& Window() { return *h.View().GraphicWindow(); }
  GraphicEqDialog& Dialog() { return *Window().Dialog(); }
};

void AccessibleToggle(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  ASSERT_NE(accessible, nullptr);
  ASSERT_NE(accessible->actionInterface(), nullptr);
  accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

}  // namespace

TEST(GraphicEqWindow, ASliderMoveSendsOneBandThroughTheSimulator) {
  GraphicOpen g(true);
  ASSERT_TRUE(g.Window().IsOpen());
  GraphicEqDialog& dialog = g.Dialog();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Graphic EQ Window"));
  EXPECT_FALSE(dialog.PrintButton()->isEnabled());  // online
  EXPECT_EQ(dialog.GraphSize().width, 740);
  EXPECT_EQ(dialog.BandSlider(5)->accessibleName(), QStringLiteral("63 Hz"));

  dialog.BandSlider(5)->setValue(3);  // +6 dB, as a drag of the slider delivers it
  EXPECT_EQ(dialog.BandLevel()->currentText(), QStringLiteral("+6dB"));
  EXPECT_EQ(dialog.BandFrequency()->currentText(), QStringLiteral("63 Hz"));
  const auto& codes = g.h.line.State().settings.graphicCodes;
  ASSERT_TRUE(QTest::qWaitFor([&] { return codes[0][5] == 15 && codes[1][5] == 15; }, 2000));
  EXPECT_EQ(codes[3][5], 9);
  EXPECT_EQ(g.h.app->Doc().Document().geqBands[0][0][5].gain, 6.0f);
  EXPECT_TRUE(g.h.dialogs.messages.empty());
}

TEST(GraphicEqWindow, ControlsLocksAndCloseGoThroughTheEditorAndTheForm) {
  GraphicOpen g(false);
  GraphicEqDialog& dialog = g.Dialog();
  EXPECT_TRUE(dialog.PrintButton()->isEnabled());  // offline

  dialog.Channel()->activated(Index(EqGroup::SubWoofer));
  EXPECT_EQ(dialog.BandFrequency()->count(), 10);
  EXPECT_FALSE(dialog.BandSlider(10)->isEnabled());
  dialog.Channel()->activated(Index(EqGroup::Center));
  EXPECT_EQ(dialog.BandFrequency()->itemText(28), QStringLiteral("12.5 kHz"));
  EXPECT_FALSE(dialog.SideButton(1)->isEnabled());

  // The form's band lock reaches the open window.
  dialog.Channel()->activated(Index(EqGroup::Front));
  g.h.View().Windows().SetBandLockMode(2);
  EXPECT_EQ(dialog.BandFrequency()->itemText(0), QStringLiteral("630 Hz"));
  EXPECT_FALSE(dialog.BandSlider(14)->isEnabled());
  EXPECT_FALSE(dialog.ResetButton()->isEnabled());
  g.h.View().Windows().SetBandLockMode(0);

  // Toggles act alike on a click and on the accessibility toggle.
  QTest::mouseClick(dialog.GboxButton(), Qt::LeftButton);
  EXPECT_TRUE(g.Window().Editor().Controls().enableCursors);
  AccessibleToggle(dialog.GraphButton());
  EXPECT_TRUE(g.Window().Editor().Controls().showAllCurves);
  EXPECT_FALSE(dialog.GboxButton()->isChecked());
  QTest::mouseClick(dialog.GboxButton(), Qt::LeftButton);
  AccessibleToggle(dialog.MouseTrace());
  EXPECT_TRUE(g.Window().Editor().Controls().mouseTrace);
  AccessibleToggle(dialog.SideButton(2));
  EXPECT_EQ(g.Window().SelectedSide(), 2);

  // A trace across the bars, then the release: the form takes the set.
  EqPictureWidget* graph = dialog.Graph();
  const EqGraphAxis& axis = g.Window().Editor().Graph()->Axis();
  const int x17 = axis.CurvePointX(kGeqBandFrequencies[17]);
  const int x19 = axis.CurvePointX(kGeqBandFrequencies[19]);
  QTest::mousePress(graph, Qt::LeftButton, {}, QPoint(x17, axis.ZeroDbY() + 40));
  QTest::mouseMove(graph, QPoint(x19, axis.ZeroDbY() + 40));
  QMouseEvent move(QEvent::MouseMove, QPointF(x19, axis.ZeroDbY() + 40), graph->mapToGlobal(QPointF(x19, 0)),
                   Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(graph, &move);
  QTest::mouseRelease(graph, Qt::LeftButton, {}, QPoint(x19, axis.ZeroDbY() + 40));
  AppHarness::Settle();
  EXPECT_EQ(g.h.Form().WorkingCopy().geqBands[0][2][17].gain, -4.0f);
  EXPECT_EQ(g.h.Form().WorkingCopy().geqBands[0][2][19].gain, -4.0f);
  EXPECT_EQ(dialog.BandFrequency()->currentText(), QStringLiteral("1.6 kHz"));

  // Typed channel and Enter, the hidden default button.
  dialog.Channel()->setEditText(QStringLiteral("Rear"));
  dialog.ReturnButton()->click();
  EXPECT_EQ(g.Window().SelectedGroup(), Index(EqGroup::Rear));

  TempDir dir;
  PdfPrintDialog print;
  print.path = dir.File("geq.pdf");
  g.Window().SetPrintDialog(&print);
  QTest::mouseClick(dialog.PrintButton(), Qt::LeftButton);
  QFile pdf(QString::fromStdString(print.path));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));

  QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
  EXPECT_TRUE(g.Window().IsOpen());  // the close is a posted request
  AppHarness::Settle();
  EXPECT_FALSE(g.Window().IsOpen());
  EXPECT_EQ(g.h.app->Doc().Document().geqBands[0][2][19].gain, -4.0f);
}
