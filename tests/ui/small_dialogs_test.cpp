// The small dialogs' own rules: answering, closing themselves as cancelled, keeping the link alive.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include "app/memory_select_dialog.h"
#include "app/qt_dialogs.h"
#include "app/timed_choice_dialog.h"
#include "common/dialogs.h"
#include "common/ui/caption_width.h"

namespace {

QPushButton* ButtonNamed(QWidget& dialog, const QString& text) {
  for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
    if (b->text() == text) return b;
  }
  return nullptr;
}

// Runs `step` once the dialog's own event loop is running.
void Later(int ms, std::function<void()> step) { QTimer::singleShot(ms, std::move(step)); }

TEST(TimedChoiceDialog, ClosesItselfAsCancelledAndKeepsTheLinkAlive) {
  TimedChoiceDialog dialog(QStringLiteral("MEMORY SAVA"), QStringLiteral("DATA  SAVE    OK?"),
                           {{QStringLiteral("OK"), 1}, {QStringLiteral("CANCEL"), 0}}, 0);
  int keepAlives = 0;
  dialog.SetTimeout(120);
  dialog.SetKeepAlive(25, [&] { ++keepAlives; });
  EXPECT_EQ(dialog.Ask(), 0);
  EXPECT_GE(keepAlives, 3);
  const int afterTimeout = keepAlives;
  QTest::qWait(60);
  EXPECT_EQ(keepAlives, afterTimeout);  // the keep-alive ends with the dialog

  // A button's answer, and Esc as cancel.
  Later(10, [&] { ButtonNamed(dialog, QStringLiteral("OK"))->click(); });
  EXPECT_EQ(dialog.Ask(), 1);
  Later(10, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_EQ(dialog.Ask(), 0);
}

// A mistyped channel name is shown in its own box, captioned "ERROR" with one "OK", not in the
// program's plain message box.
TEST(QtDialogs, TheErrorBoxIsCaptionedErrorWithOneOk) {
  QtDialogs dialogs;
  for (const bool error : {true, false}) {
    QString caption;
    QStringList buttons;
    Later(10, [&] {
      QWidget* box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr);
      caption = box->windowTitle();
      for (QAbstractButton* b : box->findChildren<QAbstractButton*>()) buttons << b->text();
      ButtonNamed(*box, QStringLiteral("OK"))->click();
    });
    if (error) {
      dialogs.ShowErrorBox("WORD IS WRONG");
    } else {
      dialogs.ShowMessage("12 dB OVER");
    }
    EXPECT_EQ(caption, error ? QStringLiteral("ERROR") : QStringLiteral("KRV5200"));
    EXPECT_EQ(buttons, QStringList{QStringLiteral("OK")});
  }
}

// A box is as wide as its caption and every line of its text (a failure's cause on one line).
TEST(QtDialogs, BoxesAreAsWideAsTheirCaptionAndText) {
  QtDialogs dialogs;
  const std::string cause = "COM1 (/dev/ttyUSB0): no answer from the processor: check the cable";
  const std::vector<std::pair<QString, std::function<void()>>> boxes = {
      {QStringLiteral("KRV5200"), [&] { dialogs.ShowMessage("12 dB OVER"); }},
      {QStringLiteral("KRV5200"), [&] { dialogs.ShowFailure("Port Not Connect", cause); }},
      {QStringLiteral("TCR_WARNING"), [&] { dialogs.ConfirmTcrChange(); }}};
  for (const auto& [caption, show] : boxes) {
    Later(10, [&] {
      QWidget* box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr);
      EXPECT_GE(box->width(), CaptionWidth(caption));
      for (const QLabel* l : box->findChildren<QLabel*>())
        EXPECT_GE(box->width(), l->fontMetrics().horizontalAdvance(l->text())) << l->text().toStdString();
      box->close();
    });
    show();
  }
}

// "MEMORY SAVA" names the memory and counts down on its CANCEL button, which keeps its name.
TEST(QtDialogs, MemorySaveNamesTheMemoryAndCountsDown) {
  QtDialogs dialogs;
  Later(1100, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->findChild<QLabel*>(QStringLiteral("detail"))->text(), QStringLiteral("Store to memory 3"));
    QPushButton* cancel = ButtonNamed(*box, QStringLiteral("CANCEL (2)"));
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->accessibleName(), QStringLiteral("CANCEL"));
    ButtonNamed(*box, QStringLiteral("OK"))->click();
  });
  EXPECT_EQ(dialogs.ConfirmMemorySave(3), 1);
}

TEST(TimedChoiceDialog, AKeepAliveThatDeliversEventsIsNotStartedTwice) {
  TimedChoiceDialog dialog(QStringLiteral("AEQ PARAMETER SAVE"), QStringLiteral("?"),
                           {{QStringLiteral("OK"), 1}, {QStringLiteral("CANCEL"), 0}}, 0);
  int running = 0;
  int deepest = 0;
  int calls = 0;
  dialog.SetKeepAlive(10, [&] {
    ++calls;
    deepest = std::max(deepest, ++running);
    QTest::qWait(45);  // a query waiting on the line delivers events meanwhile
    --running;
  });
  dialog.SetTimeout(200);
  dialog.Ask();
  EXPECT_GE(calls, 2);
  EXPECT_EQ(deepest, 1);
}

TEST(MemorySelectDialog, ANumberClosesItOnlyOnceTheSaveIsConfirmed) {
  int confirmAnswer = 0;
  std::vector<int> asked;
  MemorySelectDialog dialog(
      [&](int memory) {
        asked.push_back(memory);
        return confirmAnswer;
      },
      [] {});
  // "2" not confirmed: still open, every number still there; then "5" confirmed.
  Later(10, [&] {
    ButtonNamed(dialog, QStringLiteral("2"))->click();
    EXPECT_TRUE(dialog.isVisible());
    for (int i = 1; i <= 6; ++i) EXPECT_TRUE(ButtonNamed(dialog, QString::number(i))->isEnabled());
    confirmAnswer = 1;
    ButtonNamed(dialog, QStringLiteral("5"))->click();
  });
  EXPECT_EQ(dialog.Choose(), 5);
  EXPECT_EQ(asked, (std::vector<int>{2, 5}));
  EXPECT_FALSE(ButtonNamed(dialog, QStringLiteral("5"))->isEnabled());

  MemorySelectDialog cancelled([](int) { return 1; }, [] {});
  Later(10, [&] { ButtonNamed(cancelled, QStringLiteral("CANCEL"))->click(); });
  EXPECT_EQ(cancelled.Choose(), Dialogs::kMemoryCancel);
}

}  // namespace
