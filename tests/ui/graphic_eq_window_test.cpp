// The graphic EQ window in the running program on a simulated processor: the wiring of its controls
// to the editor and of its requests to the form; the editing rules are tested on the editor.
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
#include <QStyle>
#include <QStyleFactory>
#include <QtTest/QTest>
#include <memory>

#include "common/temp_dir.h"
#include "eq/ui/geq_band_slider.h"
#include "eq/ui/graphic_eq_dialog.h"
#include "eq/ui/graphic_eq_window.h"
#include "eq/ui/picture_button.h"
#include "graphics/ui/eq_picture_widget.h"
#include "ui/app_harness.h"

TEST(GraphicEqWindow, ControlsReachTheEditorAndItsRequestsTheFormOnlineAndOffline) {
  AppHarness h;
  h.Start();
  ASSERT_TRUE(h.ConnectCom1());
  h.View().SwitchBox(FunctionSwitch::Graphic)->click();
  AppHarness::Settle();
  QTest::mouseClick(h.View().FunctionButtonWidget(FunctionButton::Graphic), Qt::LeftButton);
  AppHarness::Settle();
  GraphicEqWindow& window = *h.View().GraphicWindow();
  ASSERT_TRUE(window.IsOpen());
  GraphicEqDialog& dialog = *window.Dialog();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Graphic EQ Window"));
  EXPECT_FALSE(dialog.PrintButton()->isEnabled());  // online
  EXPECT_EQ(dialog.BandSlider(5)->accessibleName(), QStringLiteral("63 Hz"));

  dialog.BandSlider(5)->setValue(3);  // +6 dB, as a drag of the slider delivers it
  EXPECT_EQ(dialog.BandLevel()->currentText(), QStringLiteral("+6dB"));
  EXPECT_EQ(dialog.BandFrequency()->currentText(), QStringLiteral("63 Hz"));
  const auto& codes = h.line.State().settings.graphicCodes;
  EXPECT_TRUE(QTest::qWaitFor([&] { return codes[0][5] == 15 && codes[1][5] == 15; }, 2000));
  // A click on the radio already checked sends all groups again.
  h.line.ClearTraffic();
  ClickRadio(dialog.SideButton(0));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !h.line.Sent().empty(); }, 2000));

  h.Frame().Command(QStringLiteral("off"))->trigger();
  AppHarness::Settle();
  EXPECT_TRUE(dialog.PrintButton()->isEnabled());  // offline

  dialog.Channel()->activated(Index(EqGroup::SubWoofer));
  EXPECT_EQ(dialog.BandFrequency()->count(), 10);
  EXPECT_FALSE(dialog.BandSlider(10)->isEnabled());
  dialog.Channel()->activated(Index(EqGroup::Center));
  EXPECT_FALSE(dialog.SideButton(1)->isEnabled());

  // The form's band lock reaches the open window.
  dialog.Channel()->activated(Index(EqGroup::Front));
  h.View().Windows().SetBandLockMode(2);
  EXPECT_EQ(dialog.BandFrequency()->itemText(0), QStringLiteral("630 Hz"));
  EXPECT_FALSE(dialog.ResetButton()->isEnabled());
  h.View().Windows().SetBandLockMode(0);

  // Toggles act alike on a click and on the accessibility toggle.
  QTest::mouseClick(dialog.GboxButton(), Qt::LeftButton);
  EXPECT_TRUE(window.Editor().Controls().enableCursors);
  AccessibleToggle(dialog.GraphButton());
  EXPECT_TRUE(window.Editor().Controls().showAllCurves);
  EXPECT_FALSE(dialog.GboxButton()->isChecked());
  QTest::mouseClick(dialog.GboxButton(), Qt::LeftButton);
  AccessibleToggle(dialog.MouseTrace());
  EXPECT_TRUE(window.Editor().Controls().mouseTrace);
  AccessibleToggle(dialog.SideButton(2));
  EXPECT_EQ(window.SelectedSide(), 2);

  // A trace across the bars, its moves carrying the held button, reaches the document.
  EqPictureWidget* graph = dialog.Graph();
  const EqGraphAxis& axis = window.Editor().Graph()->Axis();
  const int x17 = axis.CurvePointX(kGeqBandFrequencies[17]);
  const int x19 = axis.CurvePointX(kGeqBandFrequencies[19]);
  QTest::mousePress(graph, Qt::LeftButton, {}, QPoint(x17, axis.ZeroDbY() + 40));
  QMouseEvent move(QEvent::MouseMove, QPointF(x19, axis.ZeroDbY() + 40), graph->mapToGlobal(QPointF(x19, 0)),
                   Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(graph, &move);
  QTest::mouseRelease(graph, Qt::LeftButton, {}, QPoint(x19, axis.ZeroDbY() + 40));
  AppHarness::Settle();
  EXPECT_EQ(dialog.BandFrequency()->currentText(), QStringLiteral("1.6 kHz"));

  // Typed channel and Enter, the hidden default button.
  dialog.Channel()->setEditText(QStringLiteral("Rear"));
  dialog.ReturnButton()->click();
  EXPECT_EQ(window.SelectedGroup(), Index(EqGroup::Rear));

  TempDir dir;
  PdfPrintDialog print;
  print.pdfPath = dir.File("geq.pdf");
  window.SetPrintDialog(&print);
  QTest::mouseClick(dialog.PrintButton(), Qt::LeftButton);
  QFile pdf(QString::fromStdString(print.pdfPath));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));

  QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
  EXPECT_TRUE(window.IsOpen());  // the close is a posted request
  AppHarness::Settle();
  EXPECT_FALSE(window.IsOpen());
  EXPECT_EQ(h.app->Doc().Document().geqBands[0][2][19].gain, -4.0f);
}

// A band slider draws no fill from the top to its handle: the groove away from the handle looks
// the same for a cut as for a boost.
TEST(GraphicEqWindow, BandSlidersShowTheLevelByTheHandleAloneWithNoFill) {
  const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Fusion")));
  GeqBandSlider slider;
  slider.setStyle(style.get());
  slider.setRange(0, kGeqMaxCode);
  slider.setInvertedAppearance(true);
  slider.resize(20, 200);
  const auto middle = [&](int position) {
    slider.setValue(position);
    return slider.grab().toImage().pixel(slider.width() / 2, slider.height() / 2);
  };
  EXPECT_EQ(middle(0), middle(kGeqMaxCode));
}
