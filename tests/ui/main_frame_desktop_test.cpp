// The main window's desktop habits: the port items with their devices, "Port Settings...", the
// modified mark in the title and setup files dropped on the window.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDropEvent>
#include <QEventLoop>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include "app/port_settings_dialog.h"
#include "common/temp_dir.h"
#include "document/setup_file.h"
#include "ui/app_harness.h"

namespace {

// Lets the event loop wait once, as it does between the user's actions.
void RunLoopBriefly() {
  QEventLoop loop;
  QTimer::singleShot(20, &loop, &QEventLoop::quit);
  loop.exec();
}

struct DesktopFixture : ::testing::Test {
  void SetUp() override {
    for (const char* name : {"KRV5200_COM1", "KRV5200_COM2", "KRV5200_COM3", "KRV5200_COM4"}) unsetenv(name);
  }
  QAction* Command(const char* name) { return h.Frame().Command(QString::fromLatin1(name)); }
  AppHarness h;
  TempDir dir;
};

TEST_F(DesktopFixture, PortItemsShowTheirDevicesAndAGreyedOneSaysWhy) {
  h.settings.SetString("Ports", "COM2", "/dev/ttyUSB7");
  h.Start();
  AppHarness::Settle();
  h.Frame().UpdateCommandUi();

  EXPECT_EQ(Command("com1")->text(), QStringLiteral("COM1\t/dev/ttyS0"));
  EXPECT_EQ(Command("com1")->statusTip(), QStringLiteral("Connect to the processor on COM1 (/dev/ttyS0)"));
  QAction* com2 = Command("com2");
  EXPECT_EQ(com2->text(), QStringLiteral("COM2\t/dev/ttyUSB7"));
  EXPECT_FALSE(com2->isEnabled());
  const QString why = QStringLiteral("COM2: /dev/ttyUSB7 could not be opened");
  EXPECT_EQ(com2->toolTip(), why);

  // Hovering the greyed item puts the reason into the status bar.
  QMenu* menu = h.Frame().PortMenu();
  menu->popup(QPoint(0, 0));
  QTest::mouseMove(menu, menu->actionGeometry(com2).center());
  EXPECT_EQ(h.Frame().statusBar()->currentMessage(), why);
  menu->hide();

  // "Port Settings...": COM2 now leads to a device that opens, and the item comes back; so does
  // COM3, whose device has appeared meanwhile (no port is open, so every port is probed).
  h.line.SetPortNames({"COM1", "COM2", "COM3"});
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<PortSettingsDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->DeviceBox(1)->setCurrentText(QStringLiteral("/dev/ttyUSB8"));
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  Command("portSettings")->trigger();
  EXPECT_TRUE(com2->isEnabled());
  EXPECT_EQ(com2->text(), QStringLiteral("COM2\t/dev/ttyUSB8"));
  EXPECT_TRUE(Command("com3")->isEnabled());
  EXPECT_FALSE(Command("com4")->isEnabled());
}

TEST_F(DesktopFixture, TheTitleMarksUnsavedChanges) {
  h.Start();
  RunLoopBriefly();
  EXPECT_EQ(h.Title(), QStringLiteral("Untitled - KRV5200"));
  QTest::mouseClick(h.View().SpeakerButton(OutputChannel::RearL), Qt::LeftButton);
  RunLoopBriefly();
  EXPECT_EQ(h.Title(), QStringLiteral("Untitled* - KRV5200"));
  h.prompts.saveFile = dir.File("van.tvn");
  Command("save")->trigger();
  RunLoopBriefly();
  EXPECT_EQ(h.Title(), QStringLiteral("van.tvn - KRV5200"));
}

TEST_F(DesktopFixture, ADroppedSetupFileOpensAfterTheSaveQuestion) {
  SetupDocument doc;
  doc.channelDelay[Index(OutputChannel::Center)] = 1.5;
  const std::string path = dir.File("Golf GTI.TVN");
  ASSERT_TRUE(SetupFile::Save(path, doc, h.dialogs));
  h.Start();
  AppHarness::Settle();
  QTest::mouseClick(h.View().SpeakerButton(OutputChannel::RearL), Qt::LeftButton);

  const auto drag = [&](const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(40, 40), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h.Frame(), &enter);
    return enter.isAccepted();
  };
  const QUrl file = QUrl::fromLocalFile(QString::fromStdString(path));
  EXPECT_FALSE(drag({QUrl::fromLocalFile(QString::fromStdString(dir.File("notes.txt")))}));
  EXPECT_FALSE(drag({file, file}));
  EXPECT_FALSE(drag({QUrl(QStringLiteral("https://example.com/car.tvn"))}));
  EXPECT_TRUE(h.prompts.asked.empty());
  ASSERT_TRUE(drag({file}));

  QMimeData data;
  data.setUrls({file});
  QDropEvent drop(QPointF(40, 40), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&h.Frame(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  AppHarness::Settle();
  EXPECT_EQ(h.prompts.asked, std::vector<std::string>{"Untitled"});
  EXPECT_EQ(h.app->Doc().Path(), path);
  EXPECT_DOUBLE_EQ(h.Form().WorkingCopy().channelDelay[Index(OutputChannel::Center)], 1.5);
}

}  // namespace
