// The crossover window on the real form and a simulated processor: its controls reach the
// editor, its requests reach the form as posted messages, and the form sends what it shows.
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
#include "eq/ui/eq_picture_widget.h"
#include "eq/ui/picture_button.h"
#include "ui/app_harness.h"

namespace {

class ScriptedPrintDialog : public QtPrintedReport::PrintDialog {
 public:
  bool Choose(QPrinter& printer) override {
    ++asked;
    if (pdfPath.empty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdfPath));
    return true;
  }
  int asked = 0;
  std::string pdfPath;  // empty: the user cancels
};

// The program with its own crossover window, on the simulator as COM1 when `connect`.
struct Opened {
  AppHarness h;
  CrossoverWindow* window = nullptr;

  explicit Opened(bool connect) {
    h.Start();
    AppHarness::Settle();
    window = h.View().Crossover();
    if (connect) {
      h.Frame().Command(QStringLiteral("com1"))->trigger();
      EXPECT_TRUE(
          QTest::qWaitFor([&] { return h.View().StatusBox()->text() == QStringLiteral("PORT OPEN"); }, 2000));
    }
    QTest::mouseClick(h.View().FunctionButtonWidget(FunctionButton::Divider), Qt::LeftButton);
    AppHarness::Settle();
  }
  CrossoverDialog& Dialog() { return *window->Dialog(); }
};

void AccessibleToggle(QWidget* widget) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(a->actionInterface(), nullptr);
  a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

}  // namespace

TEST(CrossoverWindow, ControlsReachTheProcessor) {
  Opened o(true);
  ASSERT_TRUE(o.window->IsOpen());
  CrossoverDialog& d = o.Dialog();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Crossover Window"));
  EXPECT_FALSE(d.PrintButton()->isEnabled());  // online
  EXPECT_EQ(d.GraphSize().width, 740);

  d.Channel()->activated(Index(SpeakerGroup::Rear));
  EXPECT_FALSE(d.LpfSlider()->isEnabled());
  d.LpfSlope()->activated(2);
  ASSERT_TRUE(d.LpfSlider()->isEnabled());
  d.LpfSlider()->setValue(30);  // as a drag of the thumb delivers it
  EXPECT_EQ(d.LpfFrequency()->text(), QStringLiteral("630 Hz"));
  const ProcessorSettings& p = o.h.line.State().settings;
  const auto rearR = static_cast<std::size_t>(Index(OutputChannel::RearR));
  ASSERT_TRUE(QTest::qWaitFor([&] { return p.lowPass[rearR] == FilterCodes{2, 30}; }, 2000));

  // An accessibility toggle picks the set as a click does: R ch with the R set's level.
  AccessibleToggle(d.SetButton(2));
  EXPECT_TRUE(d.SetButton(2)->isChecked());
  d.Level()->activated(4);
  ASSERT_TRUE(QTest::qWaitFor([&] { return p.levelCodes[rearR] == 8; }, 2000));
  EXPECT_EQ(p.levelCodes[static_cast<std::size_t>(Index(OutputChannel::RearL))], 12);
  EXPECT_EQ(o.h.Form().CurrentSide(), 2);
  EXPECT_TRUE(o.h.dialogs.messages.empty());
}

TEST(CrossoverWindow, TypedNamesKeysToggleAndCloseGoThroughTheEditor) {
  Opened o(false);
  CrossoverDialog& d = o.Dialog();
  EXPECT_TRUE(d.PrintButton()->isEnabled());  // offline

  d.Channel()->setEditText(QStringLiteral("SubWoofer"));
  d.ReturnButton()->click();
  EXPECT_EQ(o.window->SelectedGroup(), Index(SpeakerGroup::SubWoofer));
  EXPECT_EQ(d.LpfSlope()->count(), 5);
  d.Channel()->setEditText(QStringLiteral("Rear2"));
  d.ReturnButton()->click();
  EXPECT_EQ(o.h.dialogs.messages, std::vector<std::string>{"CANNOT WRITE NUMBER"});
  EXPECT_EQ(d.Channel()->currentText(), QStringLiteral("SubWoofer"));

  AccessibleToggle(d.ShowAllButton());
  EXPECT_TRUE(o.window->Editor().Controls().showAllCurves);
  QTest::mouseClick(d.ShowAllButton(), Qt::LeftButton);
  EXPECT_FALSE(o.window->Editor().Controls().showAllCurves);

  // Down with the graph focused lowers the level.
  QTest::mouseClick(d.Graph(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::keyClick(d.Graph(), Qt::Key_Down);
  EXPECT_EQ(d.Level()->currentText(), QStringLiteral("-1 dB"));

  // Switching a speaker off reaches the open window.
  QTest::mouseClick(o.h.View().SpeakerButton(OutputChannel::SubWooferL), Qt::LeftButton);
  QTest::mouseClick(o.h.View().SpeakerButton(OutputChannel::SubWooferR), Qt::LeftButton);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !o.window->Editor().Model().Present(SpeakerGroup::SubWoofer); }, 2000));

  QTest::mouseClick(d.CloseButton(), Qt::LeftButton);
  AppHarness::Settle();
  EXPECT_FALSE(o.window->IsOpen());
  EXPECT_EQ(o.h.app->Doc().Document().crossover[Index(SpeakerGroup::SubWoofer)][0].level, -1);
}

TEST(CrossoverWindow, PrintGoesThroughThePrintDialog) {
  Opened o(false);
  ScriptedPrintDialog print;
  o.window->SetPrintDialog(&print);
  QTest::mouseClick(o.Dialog().PrintButton(), Qt::LeftButton);
  EXPECT_EQ(print.asked, 1);  // cancelled: nothing printed

  TempDir dir;
  print.pdfPath = dir.File("div.pdf");
  QTest::mouseClick(o.Dialog().PrintButton(), Qt::LeftButton);
  QFile pdf(QString::fromStdString(print.pdfPath));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
}
