#include <gtest/gtest.h>

#include <QAction>
#include <QSlider>
#include <QStatusBar>
#include <QtTest/QTest>

#include "common/temp_dir.h"
#include "document/setup_file.h"
#include "eq/ui/parametric_eq_dialog.h"
#include "eq/ui/parametric_eq_window.h"
#include "form/form_texts.h"
#include "history/ui/undo_history.h"
#include "ui/app_harness.h"

namespace {

// The program connected to the simulator on COM1 with the parametric window open.
struct UndoConnected {
  std::unique_ptr<ParametricEqWindow> window;  // outlives the program, as the window set asks
  AppHarness h;

  UndoConnected() {
    h.Start();
    AppHarness::Settle();
    window = std::make_unique<ParametricEqWindow>(h.View().Requests(), h.dialogs, &h.Frame());
    h.View().Windows().Install(FunctionWindow::Parametric, *window);
    EXPECT_TRUE(h.ConnectCom1());
    QTest::mouseClick(h.View().FunctionButtonWidget(FunctionButton::Parametric), Qt::LeftButton);
    AppHarness::Settle();
  }
  UndoHistory& History() { return h.View().History(); }
  float Gain() { return h.app->Doc().Document().peqBands[0][0][0].gain; }
};

}  // namespace

TEST(UndoWindow, ASliderDragIsOneStepThatTheKeysTakeBackFromTheWindow) {
  UndoConnected c;
  ParametricEqDialog& dialog = *c.window->Dialog();
  QSlider* level = dialog.LevelSlider();
  const ProcessorSettings before = c.h.line.State().settings;
  EXPECT_FALSE(c.History().UndoAction()->isEnabled());
  EXPECT_EQ(c.History().UndoAction()->text(), QStringLiteral("Undo"));

  // Pressed, dragged through three values and released: one step.
  QTest::mousePress(level, Qt::LeftButton, {}, level->rect().center());
  for (int position : {10, 8, 6}) level->setValue(position);
  QTest::mouseRelease(level, Qt::LeftButton, {}, level->rect().center());
  AppHarness::Settle();
  ASSERT_EQ(c.Gain(), 6.0f);
  const ProcessorSettings after = c.h.line.State().settings;
  EXPECT_EQ(c.History().Stack().count(), 1);
  EXPECT_EQ(c.History().UndoAction()->text(), QStringLiteral("Undo Parametric EQ Front Common band 1"));

  // Ctrl+Z in the function window: the window, the document and the processor go back.
  QTest::keyClick(&dialog, Qt::Key_Z, Qt::ControlModifier);
  AppHarness::Settle();
  EXPECT_EQ(c.Gain(), 0.0f);
  EXPECT_EQ(level->value(), 12);
  EXPECT_EQ(dialog.LevelEdit()->text(), QStringLiteral("0"));
  EXPECT_EQ(c.h.line.State().settings, before);
  EXPECT_EQ(c.History().RedoAction()->text(), QStringLiteral("Redo Parametric EQ Front Common band 1"));

  // Ctrl+Y in the main window brings it back.
  QTest::keyClick(&c.h.Frame(), Qt::Key_Y, Qt::ControlModifier);
  AppHarness::Settle();
  EXPECT_EQ(c.Gain(), 6.0f);
  EXPECT_EQ(level->value(), 6);
  EXPECT_EQ(c.h.line.State().settings, after);
}

TEST(UndoHistory, TheModifiedMarkFollowsTheSavedStepAndNewAndOpenEmptyTheHistory) {
  TempDir dir;
  AppHarness h;
  h.Start();
  AppHarness::Settle();
  QAction* undo = h.View().History().UndoAction();
  QAction* redo = h.View().History().RedoAction();
  const auto press = [&h] {
    QTest::mouseClick(h.View().SpeakerButton(OutputChannel::RearL), Qt::LeftButton);
    AppHarness::Settle();
  };

  press();
  ASSERT_TRUE(h.app->Doc().IsModified());
  h.prompts.saveFile = dir.File("car.tvn");
  ASSERT_TRUE(h.app->Doc().OnSave());
  EXPECT_FALSE(h.app->Doc().IsModified());
  undo->trigger();
  EXPECT_TRUE(h.app->Doc().IsModified());
  EXPECT_TRUE(h.Form().SpeakerOn(OutputChannel::RearL));
  redo->trigger();
  EXPECT_FALSE(h.app->Doc().IsModified());
  AppHarness::Settle();
  EXPECT_EQ(h.Title().contains('*'), false);

  press();
  h.prompts.answer = DocumentPrompts::SaveAnswer::No;
  h.app->Doc().OnNew();
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_FALSE(h.app->Doc().IsModified());
  press();
  ASSERT_TRUE(h.app->Doc().OpenFile(dir.File("car.tvn")));
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());

  // Values corrected as a file opens stay an unsaved change that undo does not reach.
  SetupDocument damaged = h.app->Doc().Document();
  damaged.channelDelay[0] = -5.0;
  RecordingDialogs quiet;
  ASSERT_TRUE(SetupFile::Save(dir.File("damaged.tvn"), damaged, quiet));
  ASSERT_TRUE(h.app->Doc().OpenFile(dir.File("damaged.tvn")));
  ASSERT_TRUE(h.app->Doc().IsModified());
  press();
  undo->trigger();
  EXPECT_TRUE(h.app->Doc().IsModified());
}

TEST(UndoHistory, ABusyLinkRefusesAStepWithANoteAndChangesNothing) {
  AppHarness h;
  h.Start();
  ASSERT_TRUE(h.ConnectCom1());
  QTest::mouseClick(h.View().SpeakerButton(OutputChannel::RearL), Qt::LeftButton);
  AppHarness::Settle();
  ASSERT_FALSE(h.Form().SpeakerOn(OutputChannel::RearL));
  const std::vector<std::uint8_t> sent = h.line.Sent();

  h.Form().SetLinkBusy(true);
  h.View().History().UndoAction()->trigger();
  EXPECT_EQ(h.Frame().statusBar()->currentMessage(), QString::fromLatin1(kStepBusyNote));
  EXPECT_FALSE(h.Form().SpeakerOn(OutputChannel::RearL));
  EXPECT_EQ(h.View().History().Stack().index(), 1);
  EXPECT_EQ(h.line.Sent(), sent);
  h.Form().SetLinkBusy(false);

  h.View().History().UndoAction()->trigger();
  EXPECT_TRUE(h.Form().SpeakerOn(OutputChannel::RearL));
  EXPECT_EQ(h.line.State().settings.levelCodes[Index(OutputChannel::RearL)], 12);
}
