// The "Tools" menu on the real program: filter sets in and out, a measurement on the equalizer
// graphs and the fit dialog, against the simulated processor.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest/QTest>
#include <cmath>
#include <cstdlib>

#include "common/temp_dir.h"
#include "eq/biquad_designer.h"
#include "eq/ui/parametric_eq_dialog.h"
#include "eq/ui/parametric_eq_window.h"
#include "fit/ui/fit_dialog.h"
#include "graphics/ui/eq_picture_widget.h"
#include "history/ui/undo_history.h"
#include "interchange/ui/tools_menu.h"
#include "ui/app_harness.h"

namespace {

// A car 6 dB up around 1 kHz and 5 dB down around 300 Hz, as a measurement program exports it.
std::string CarMeasurement() {
  std::string text = "* Measurement data\n* Freq(Hz) SPL(dB) Phase(degrees)\n";
  BiquadDesigner designer;
  const BiquadCoefficients bump = designer.Design(FilterParams{4, 1000.0f, 6.0f, 2.0f, 0, 0});
  const BiquadCoefficients dip = designer.Design(FilterParams{4, 300.0f, -5.0f, 3.0f, 0, 0});
  for (int i = 0; i <= 480; ++i) {
    const double f = 20.0 * std::exp2(i / 48.0);
    text += std::to_string(f) + " " +
            std::to_string(84.0 + designer.Response(bump, f) + designer.Response(dip, f)) + " 0\n";
  }
  return text;
}

bool PictureHas(QImage picture, Rgb colour) {
  const QRgb wanted = qRgb(colour.red, colour.green, colour.blue);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (picture.pixel(x, y) == wanted) return true;
  return false;
}

struct ToolsFixture : ::testing::Test {
  TempDir dir;
  AppHarness h;
  ToolsMenu* tools = nullptr;
  std::optional<FilterSetChoice> choice = FilterSetChoice{};
  QString openFile;
  QString saveFile;

  void SetUp() override {
    h.Start();
    AppHarness::Settle();
    tools = &h.app->Tools();
    tools->chooseOpenFile = [this](const QString&, const QString&) { return openFile; };
    tools->chooseSaveFile = [this](const QString&, const QString&) { return saveFile; };
    tools->chooseFilterSet = [this](bool, const std::vector<std::string>&) { return choice; };
  }
};

TEST_F(ToolsFixture, MenuImportAndExport) {
  QMenu* menu = tools->Menu();
  EXPECT_EQ(menu->title(), QStringLiteral("Tools"));
  const QList<QAction*> bar = h.Frame().menuBar()->actions();
  EXPECT_EQ(bar[bar.size() - 2]->menu(), menu);  // just before "&Help"
  EXPECT_FALSE(tools->Action("fitEq")->isEnabled());
  EXPECT_FALSE(tools->Action("showMeasurement")->isEnabled());

  // Connected: the imported set reaches the document and the processor.
  ASSERT_TRUE(h.ConnectCom1());
  const auto wordsBefore = h.line.State().settings.Words(3, 1);  // Rear L, band 2
  openFile = QString::fromStdString(dir.File("rear.txt"));
  WriteFileBytes(openFile.toStdString(),
                 "Filter 1: ON PK Fc 80 Hz Gain -4 dB Q 2\nFilter 2: ON PK Fc 500 Hz Gain 3 dB Q 1.5\n");
  choice = FilterSetChoice{EqGroup::Rear, EqSide::L, {}, FilterTextFormat::Apo};
  tools->Action("importFilters")->trigger();
  AppHarness::Settle();
  const PeqBandSet& set = h.app->Doc().Session().document.peqBands[1][1];
  EXPECT_EQ(set[1].frequency, 500.0f);
  EXPECT_EQ(set[1].gain, 3.0f);
  EXPECT_NE(h.line.State().settings.Words(3, 1), wordsBefore);
  EXPECT_TRUE(h.app->Doc().IsModified());
  // One undo step, which takes the whole import back, on the processor too.
  EXPECT_EQ(h.View().History().Stack().undoText(), QStringLiteral("Import Filters"));
  h.View().History().Undo();
  AppHarness::Settle();
  EXPECT_EQ(h.app->Doc().Session().document.peqBands[1][1], SetupDocument().peqBands[1][1]);
  EXPECT_EQ(h.line.State().settings.Words(3, 1), wordsBefore);
  h.View().History().Redo();
  AppHarness::Settle();

  // A refused file changes nothing and says why.
  WriteFileBytes(openFile.toStdString(), "Filter 1: ON PK Fc 250 Hz Gain -4 dB Q 2\n");
  choice->group = EqGroup::SubWoofer;
  const SetupDocument before = h.app->Doc().Session().document;
  tools->Action("importFilters")->trigger();
  EXPECT_EQ(h.app->Doc().Session().document, before);
  ASSERT_FALSE(h.dialogs.messages.empty());
  EXPECT_NE(h.dialogs.messages.back().find("200 Hz"), std::string::npos);

  // Export writes what import reads.
  saveFile = QString::fromStdString(dir.File("out.txt"));
  choice = FilterSetChoice{EqGroup::Rear, EqSide::L, {}, FilterTextFormat::Rew};
  tools->Action("exportFilters")->trigger();
  const std::string written = ReadFileBytes(saveFile.toStdString());
  EXPECT_EQ(written.rfind("Filter Settings file", 0), 0u);
  EXPECT_NE(written.find("Filter  2: ON  PK       Fc 500 Hz  Gain 3 dB  Q 1.5"), std::string::npos)
      << written;
}

TEST_F(ToolsFixture, MeasurementOnTheGraphAndTheFit) {
  openFile = QString::fromStdString(dir.File("car.txt"));
  WriteFileBytes(openFile.toStdString(), CarMeasurement());
  tools->Action("loadMeasurement")->trigger();
  EXPECT_TRUE(tools->Overlay().Loaded());
  EXPECT_TRUE(tools->Action("fitEq")->isEnabled());

  QTest::mouseClick(h.View().FunctionButtonWidget(FunctionButton::Parametric), Qt::LeftButton);
  AppHarness::Settle();
  ParametricEqWindow* window = h.View().ParametricWindow();
  ASSERT_TRUE(window->IsOpen());
  ParametricEqDialog& dialog = *window->Dialog();
  // With a flat set the corrected result covers the measurement.
  EXPECT_TRUE(PictureHas(dialog.Graph()->Picture(), MeasurementOverlay::kCorrectedColour));

  // The fit, on its worker thread, then applied as one edit; the window shows the fitted bands.
  bool applied = false;
  tools->runFitDialog = [&](QDialog& d) {
    auto& fit = static_cast<FitDialog&>(d);
    fit.StartFit();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fit.Fitting(); }, 20000));
    ASSERT_TRUE(fit.Result() && fit.Result()->edit) << (fit.Result() ? fit.Result()->error : "");
    EXPECT_LT(fit.Result()->rmsAfter, 0.5);
    EXPECT_TRUE(fit.ResidualLabel()->text().contains(QStringLiteral("after")));
    EXPECT_TRUE(PictureHas(fit.Picture()->Picture(), kGroupColours[0].curve));
    if (const char* pictures = std::getenv("KRV5200_PICTURES")) {
      fit.show();
      AppHarness::Settle();
      fit.grab().save(QString::fromLocal8Bit(pictures) + QStringLiteral("/fit-dialog.png"));
    }
    QTest::mouseClick(fit.ApplyButton(), Qt::LeftButton);
    applied = fit.result() == QDialog::Accepted;
  };
  tools->Action("fitEq")->trigger();
  AppHarness::Settle();
  EXPECT_TRUE(applied);
  const PeqBandSet& fitted = h.app->Doc().Session().document.peqBands[0][0];
  EXPECT_NE(fitted, SetupDocument().peqBands[0][0]);
  EXPECT_EQ(window->Editor().Data().peqBands[0][0], fitted);
  EXPECT_TRUE(PictureHas(dialog.Graph()->Picture(), MeasurementOverlay::kMeasurementColour));
  if (const char* pictures = std::getenv("KRV5200_PICTURES")) {
    dialog.grab().save(QString::fromLocal8Bit(pictures) + QStringLiteral("/measurement-on-graph.png"));
  }

  // "Show Measurement" off takes the overlay away.
  tools->Action("showMeasurement")->trigger();
  EXPECT_FALSE(PictureHas(dialog.Graph()->Picture(), MeasurementOverlay::kMeasurementColour));
}

}  // namespace
