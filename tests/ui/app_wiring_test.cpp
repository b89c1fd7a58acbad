// The windowed program's wiring: start-up with a file, the document commands, the menu enabling
// and a connect through the simulated processor.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QtTest/QTest>

#include "common/temp_dir.h"
#include "document/setup_file.h"
#include "ui/app_harness.h"

namespace {

// A setup file with a switched-off output and a delay the start-up values do not have.
std::string WriteSetup(const TempDir& dir, const std::string& name) {
  SetupDocument doc;
  doc.speakerSwitch[Index(OutputChannel::FrontMidR)] = 0;
  doc.channelDelay[Index(OutputChannel::Center)] = 2.5;
  RecordingDialogs quiet;
  const std::string path = dir.File(name);
  EXPECT_TRUE(SetupFile::Save(path, doc, quiet));
  return path;
}

TEST(AppStart, OpensTheFileGivenOnTheCommandLine) {
  TempDir dir;
  const std::string path = WriteSetup(dir, "van&co.tvn");
  AppHarness h;
  h.Start(path);
  AppHarness::Settle();

  EXPECT_TRUE(h.dialogs.messages.empty());
  EXPECT_EQ(h.Title(), QStringLiteral("van&co.tvn - KRV5200"));
  // The reports offer their PDF files beside the setup.
  EXPECT_EQ(h.Frame().windowFilePath(), QString::fromStdString(path));
  // The recent entry shows the name as it is, with its number as the mnemonic.
  EXPECT_EQ(h.Frame().Command(QStringLiteral("recent1"))->text(), QStringLiteral("&1 van&&co.tvn"));
  EXPECT_TRUE(h.Frame().isVisible());
  EXPECT_FALSE(h.app->Doc().IsModified());
  EXPECT_FALSE(h.Form().SpeakerOn(OutputChannel::FrontMidR));
  EXPECT_DOUBLE_EQ(h.Form().WorkingCopy().channelDelay[Index(OutputChannel::Center)], 2.5);
  EXPECT_EQ(h.View().SpeakerButton(OutputChannel::FrontMidR)->property("on").toBool(), false);
  EXPECT_EQ(h.View().SpeakerButton(OutputChannel::FrontMidL)->property("on").toBool(), true);
  ASSERT_FALSE(h.app->Doc().RecentFiles().empty());
  EXPECT_EQ(h.settings.GetString(CQ5Doc::kRecentSection, "File1", ""), h.app->Doc().RecentFiles().front());
}

// The whole frame, status bar included, stays on the screen with room for a title bar, and it
// can be as small as a 1366 x 768 screen with a panel needs: the form then scrolls inside it.
TEST(AppStart, TheWholeFrameFitsTheScreenWithRoomForATitleBar) {
  AppHarness h;
  h.Start();
  AppHarness::Settle();
  const QRect screen = h.Frame().screen()->availableGeometry();
  EXPECT_LE(h.Frame().width(), screen.width());
  EXPECT_LE(h.Frame().height() + 40, screen.height());
  EXPECT_LE(h.Frame().minimumSizeHint().height(), 768 - 48 - 40);
  EXPECT_TRUE(h.Frame().statusBar()->isVisible());
  EXPECT_TRUE(h.Frame().rect().contains(h.Frame().statusBar()->geometry()));
}

TEST(AppStart, GoesOnUntitledWhenTheCommandLineFileCannotBeOpened) {
  TempDir dir;
  const std::string foreign = dir.File("notes.tvn");
  WriteFileBytes(foreign, std::string("\x0bSOMETHING ELSE and more bytes", 30));
  {
    AppHarness h;
    h.Start(foreign);
    AppHarness::Settle();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0], "FILE TYPE ERROR");
    EXPECT_EQ(h.Title(), QStringLiteral("Untitled - KRV5200"));
    EXPECT_TRUE(h.Frame().isVisible());
    EXPECT_TRUE(h.Form().SpeakerOn(OutputChannel::FrontMidR));
    EXPECT_TRUE(h.app->Doc().RecentFiles().empty());
  }
  {
    AppHarness h;
    h.Start(dir.File("missing.tvn"));
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_NE(h.dialogs.messages[0].find("was not found"), std::string::npos);
    EXPECT_EQ(h.Title(), QStringLiteral("Untitled - KRV5200"));
    EXPECT_TRUE(h.Frame().isVisible());
  }
}

TEST(AppDocument, CtrlNKeepsTheValuesAndRetitlesUntitled) {
  TempDir dir;
  AppHarness h;
  h.Start(WriteSetup(dir, "coupe.tvn"));
  AppHarness::Settle();
  QTest::mouseClick(h.View().SpeakerButton(OutputChannel::RearL), Qt::LeftButton);
  AppHarness::Settle();
  ASSERT_TRUE(h.app->Doc().IsModified());

  // Unsaved edits are offered for saving first; Cancel keeps the file and the edits.
  h.Frame().activateWindow();
  h.prompts.answer = DocumentPrompts::SaveAnswer::Cancel;
  QTest::keyClick(&h.Frame(), Qt::Key_N, Qt::ControlModifier);
  AppHarness::Settle();
  ASSERT_EQ(h.prompts.asked.size(), 1u);
  EXPECT_FALSE(h.app->Doc().Path().empty());
  EXPECT_TRUE(h.app->Doc().IsModified());

  h.prompts.answer = DocumentPrompts::SaveAnswer::No;
  h.prompts.asked.clear();
  QTest::keyClick(&h.Frame(), Qt::Key_N, Qt::ControlModifier);
  AppHarness::Settle();

  EXPECT_EQ(h.Title(), QStringLiteral("Untitled - KRV5200"));
  EXPECT_TRUE(h.app->Doc().Path().empty());
  EXPECT_TRUE(h.Frame().windowFilePath().isEmpty());
  EXPECT_FALSE(h.app->Doc().IsModified());
  EXPECT_EQ(h.prompts.asked.size(), 1u);
  // Both the file's values and the edit made afterwards are still there.
  EXPECT_FALSE(h.Form().SpeakerOn(OutputChannel::FrontMidR));
  EXPECT_FALSE(h.Form().SpeakerOn(OutputChannel::RearL));
  EXPECT_EQ(h.app->Doc().Document().speakerSwitch[Index(OutputChannel::RearL)], 0);
  EXPECT_DOUBLE_EQ(h.Form().WorkingCopy().channelDelay[Index(OutputChannel::Center)], 2.5);

  // Opening another file while modified asks first; Cancel keeps everything as it is.
  h.prompts.asked.clear();
  QTest::mouseClick(h.View().SpeakerButton(OutputChannel::RearR), Qt::LeftButton);
  h.prompts.answer = DocumentPrompts::SaveAnswer::Cancel;
  h.prompts.openFile = WriteSetup(dir, "other.tvn");
  h.Frame().Command(QStringLiteral("open"))->trigger();
  ASSERT_EQ(h.prompts.asked.size(), 1u);
  EXPECT_EQ(h.prompts.asked[0], "Untitled");
  EXPECT_EQ(h.Title(), QStringLiteral("Untitled - KRV5200"));
  EXPECT_TRUE(h.app->Doc().IsModified());
}

TEST(AppMenus, EnablingFollowsTheConnection) {
  AppHarness h;
  h.Start();
  AppHarness::Settle();

  // Offline: only the port the probe could open, COPY and Profile Data available.
  EXPECT_TRUE(h.Enabled("com1"));
  EXPECT_FALSE(h.Enabled("com2"));
  EXPECT_FALSE(h.Enabled("com3"));
  EXPECT_FALSE(h.Enabled("com4"));
  EXPECT_TRUE(h.Enabled("off"));
  EXPECT_TRUE(h.Enabled("copyDivider"));
  EXPECT_TRUE(h.Enabled("copyParametric"));
  EXPECT_TRUE(h.Enabled("profileData"));
  EXPECT_TRUE(h.View().PrintButton()->isEnabled());
  // AEQ_SAVE needs the processor.
  h.Frame().Command(QStringLiteral("aeqSave"))->trigger();
  EXPECT_FALSE(h.Frame().Command(QStringLiteral("aeqSave"))->isChecked());
  ASSERT_FALSE(h.dialogs.messages.empty());
  EXPECT_EQ(h.dialogs.messages.back(), "Port Not Connect");

  h.Frame().Command(QStringLiteral("com1"))->trigger();
  AppHarness::Settle();
  ASSERT_TRUE(h.Form().PortOpen());
  EXPECT_FALSE(h.Enabled("copyDivider"));
  EXPECT_FALSE(h.Enabled("copyGraphic"));
  EXPECT_FALSE(h.Enabled("profileData"));
  EXPECT_FALSE(h.View().PrintButton()->isEnabled());
  EXPECT_EQ(h.View().PrintButton()->toolTip(), QStringLiteral("Disconnect to print"));
  h.Frame().Command(QStringLiteral("aeqSave"))->trigger();
  EXPECT_TRUE(h.Frame().Command(QStringLiteral("aeqSave"))->isChecked());
  EXPECT_EQ(h.app->Doc().Document().aeqParametersSaved, 1);

  h.Frame().Command(QStringLiteral("off"))->trigger();
  AppHarness::Settle();
  EXPECT_FALSE(h.Form().PortOpen());
  EXPECT_TRUE(h.Enabled("copyDivider"));
  EXPECT_TRUE(h.Enabled("profileData"));
  EXPECT_TRUE(h.View().PrintButton()->isEnabled());
}

TEST(AppLink, ConnectReachesPortOpenAndASpeakerClickSendsItsLevel) {
  AppHarness h;
  h.Start();
  AppHarness::Settle();
  EXPECT_EQ(h.View().StatusBox()->text(), QStringLiteral("PORT CLOSE"));

  EXPECT_TRUE(h.ConnectCom1());
  EXPECT_TRUE(h.line.State().PcControl());
  EXPECT_EQ(h.line.State().settings.levelCodes[Index(OutputChannel::FrontHighL)], 12);

  QTest::mouseClick(h.View().SpeakerButton(OutputChannel::FrontHighL), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return h.line.State().settings.levelCodes[Index(OutputChannel::FrontHighL)] == 96; }, 2000));
  EXPECT_EQ(h.View().SpeakerButton(OutputChannel::FrontHighL)->property("on").toBool(), false);
  EXPECT_EQ(h.app->Doc().Document().speakerSwitch[Index(OutputChannel::FrontHighL)], 0);

  // And back on: 12 plus the group's crossover level.
  QTest::mouseClick(h.View().SpeakerButton(OutputChannel::FrontHighL), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return h.line.State().settings.levelCodes[Index(OutputChannel::FrontHighL)] == 12; }, 2000));
  EXPECT_TRUE(h.dialogs.messages.empty());
}

// Whether what a window shows on the screen (its backing store) is what it would draw now.
bool Painted(QWidget& window, const QRect& area) {
  const QImage shown = window.screen()->grabWindow(window.winId()).toImage().copy(area);
  return shown.convertToFormat(QImage::Format_RGB32) ==
         window.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(AppLink, TheWindowsPaintDuringTheUploadAndRequestsWaitForItsEnd) {
  // The time correction window hands back a changed delay: taking it back is an edit.
  DataOnlyWindow timeCorrection;
  AppHarness h;
  h.Start();
  AppHarness::Settle();
  SetupDocument changed = h.app->Doc().Document();
  changed.channelDelay[Index(OutputChannel::Center)] = 1.5;
  timeCorrection.Load(changed);
  h.View().Windows().Install(FunctionWindow::TimeCorrection, timeCorrection);
  ProgressWindow& rs232c = h.View().Rs232cWindow();
  QStatusBar* bar = h.Frame().statusBar();
  bool windowPainted = false, barPainted = false, requestTaken = true;
  h.line.onSent = [&] {
    // While the parametric data goes over, the status bar changes and a window's request comes.
    if (h.line.Sent().size() == 600) {
      bar->showMessage(QStringLiteral("painted in the middle of the upload"));
      h.View().Requests().Post({FormMessage::TcrSend, 0, Index(OutputChannel::Center)});
      QThread::msleep(3 * QtMessagePump::kPaintInterval.count());
    } else if (h.line.Sent().size() == 601) {
      windowPainted = rs232c.isVisible() && Painted(rs232c, rs232c.rect());
      barPainted = Painted(h.Frame(), QRect(bar->mapTo(&h.Frame(), QPoint(0, 0)), bar->size()));
      requestTaken = h.app->Doc().IsModified();
    }
  };
  ASSERT_TRUE(h.ConnectCom1());
  EXPECT_TRUE(windowPainted);
  EXPECT_TRUE(barPainted);
  // The request runs once the upload is over.
  EXPECT_FALSE(requestTaken);
  AppHarness::Settle();
  EXPECT_TRUE(h.app->Doc().IsModified());
}

TEST(AppLink, AStoredMemoryStaysNamedInTheStatusBar) {
  AppHarness h;
  h.Start();
  ASSERT_TRUE(h.ConnectCom1());
  h.dialogs.memory = 4;
  QTest::mouseClick(h.View().FunctionButtonWidget(FunctionButton::Memory), Qt::LeftButton);
  EXPECT_EQ(h.Frame().statusBar()->currentMessage(), QStringLiteral("Stored in memory 4"));
  // No time-out takes it away.
  for (const QTimer* t : h.Frame().statusBar()->findChildren<QTimer*>()) EXPECT_FALSE(t->isActive());
}

TEST(AppClose, AsksToSaveBeforeReleasingTheProcessor) {
  AppHarness h;
  h.Start();
  AppHarness::Settle();
  h.Frame().Command(QStringLiteral("com1"))->trigger();
  ASSERT_TRUE(h.Form().PortOpen());
  QTest::mouseClick(h.View().SpeakerButton(OutputChannel::RearL), Qt::LeftButton);
  AppHarness::Settle();
  ASSERT_TRUE(h.app->Doc().IsModified());

  // Cancel: the program stays as it was, still connected, and no closing screen.
  h.prompts.answer = DocumentPrompts::SaveAnswer::Cancel;
  EXPECT_FALSE(h.Frame().close());
  EXPECT_TRUE(h.Frame().isVisible());
  EXPECT_TRUE(h.Form().PortOpen());
  EXPECT_TRUE(h.line.State().PcControl());
  EXPECT_TRUE(h.dialogs.finishScreens.empty());

  // No: the processor is released and the closing screen shown, for the U.S.A by default.
  h.prompts.answer = DocumentPrompts::SaveAnswer::No;
  EXPECT_TRUE(h.Frame().close());
  EXPECT_EQ(h.prompts.asked, (std::vector<std::string>{"Untitled", "Untitled"}));
  EXPECT_FALSE(h.line.State().PcControl());
  EXPECT_FALSE(h.line.IsOpen());
  EXPECT_EQ(h.dialogs.finishScreens, std::vector<bool>{true});
}

TEST(AppClose, CloseRequestsDuringATransferAskOnceItHasEnded) {
  AppHarness h;
  h.Start();
  AppHarness::Settle();
  h.app->Doc().SetModified();

  // Three clicks on the close box while a transfer runs: one question once it has ended.
  h.Form().SetLinkBusy(true);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(h.Frame().close());
  EXPECT_TRUE(h.prompts.asked.empty());
  h.prompts.answer = DocumentPrompts::SaveAnswer::Cancel;
  QTest::qWait(250);
  EXPECT_TRUE(h.prompts.asked.empty());
  h.Form().SetLinkBusy(false);
  QTest::qWait(400);
  EXPECT_EQ(h.prompts.asked.size(), 1u);
  EXPECT_TRUE(h.Frame().isVisible());
  EXPECT_TRUE(h.dialogs.finishScreens.empty());
}

}  // namespace

namespace {

TEST(AppForm, SwitchesAndRadiosReachTheFormAndTheControlsFollow) {
  AppHarness h;
  h.Start();
  AppHarness::Settle();
  CQ5View& v = h.View();
  ASSERT_TRUE(v.SwitchBox(FunctionSwitch::Parametric)->isChecked());
  ASSERT_FALSE(v.FunctionButtonWidget(FunctionButton::Graphic)->isEnabled());

  // The graphic equalizer on turns the parametric one off, in the form and on the screen.
  QTest::mouseClick(v.SwitchBox(FunctionSwitch::Graphic), Qt::LeftButton);
  EXPECT_TRUE(h.Form().FunctionSwitchOn(FunctionSwitch::Graphic));
  EXPECT_TRUE(v.SwitchBox(FunctionSwitch::Graphic)->isChecked());
  EXPECT_FALSE(v.SwitchBox(FunctionSwitch::Parametric)->isChecked());
  EXPECT_TRUE(v.FunctionButtonWidget(FunctionButton::Graphic)->isEnabled());
  EXPECT_FALSE(v.FunctionButtonWidget(FunctionButton::Parametric)->isEnabled());

  // The AEQ switch needs the processor: refused, and the box goes back off.
  QTest::mouseClick(v.AeqSwitchBox(), Qt::LeftButton);
  EXPECT_FALSE(v.AeqSwitchBox()->isChecked());
  ASSERT_FALSE(h.dialogs.messages.empty());
  EXPECT_EQ(h.dialogs.messages.back(), "Port Not Connect");

  // "Mono" while connected goes to the processor and into the document.
  h.Frame().Command(QStringLiteral("com1"))->trigger();
  ASSERT_TRUE(h.Form().PortOpen());
  QTest::mouseClick(v.MonoRadio(), Qt::LeftButton);
  EXPECT_TRUE(v.MonoRadio()->isChecked());
  EXPECT_EQ(h.app->Doc().Document().subWooferMode, 1);
  EXPECT_TRUE(h.app->Doc().IsModified());
  EXPECT_EQ(h.line.State().settings.subWooferMode, 1);
}

// A screen reader or a UI-automation tool works the controls through their accessible actions;
// each must act as a click does, and the control must show what the form holds.
TEST(AppForm, AccessibleActionsActLikeClicks) {
  AppHarness h;
  h.Start();
  AppHarness::Settle();
  CQ5View& v = h.View();
  auto act = [](QWidget* w, const QString& action) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    ASSERT_NE(iface, nullptr);
    ASSERT_NE(iface->actionInterface(), nullptr);
    EXPECT_TRUE(iface->actionInterface()->actionNames().contains(action)) << action.toStdString();
    iface->actionInterface()->doAction(action);
    AppHarness::Settle();
  };
  const QString toggle = QAccessibleActionInterface::toggleAction();
  const QString press = QAccessibleActionInterface::pressAction();

  act(v.SwitchBox(FunctionSwitch::Graphic), toggle);
  EXPECT_TRUE(h.Form().FunctionSwitchOn(FunctionSwitch::Graphic));
  EXPECT_FALSE(h.Form().FunctionSwitchOn(FunctionSwitch::Parametric));
  EXPECT_FALSE(v.SwitchBox(FunctionSwitch::Parametric)->isChecked());
  act(v.SwitchBox(FunctionSwitch::Divider), toggle);
  EXPECT_FALSE(h.Form().FunctionSwitchOn(FunctionSwitch::Divider));
  EXPECT_FALSE(v.FunctionButtonWidget(FunctionButton::Divider)->isEnabled());

  // Refused by the form (no processor): the box shows the form's "off", not the toggle's "on".
  act(v.AeqSwitchBox(), toggle);
  EXPECT_FALSE(h.Form().AeqSwitchOn());
  EXPECT_FALSE(v.AeqSwitchBox()->isChecked());

  act(v.MonoRadio(), toggle);
  EXPECT_EQ(h.Form().SubWooferMode(), 1);
  act(v.StereoRadio(), toggle);
  EXPECT_EQ(h.Form().SubWooferMode(), 0);
  EXPECT_TRUE(v.StereoRadio()->isChecked());

  act(v.SpeakerButton(OutputChannel::RearL), press);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !h.Form().SpeakerOn(OutputChannel::RearL); }, 1000));
  EXPECT_EQ(v.SwitchBox(FunctionSwitch::Graphic)->accessibleName(),
            QStringLiteral("Graphic Equalizer ON/OFF"));
}

}  // namespace
