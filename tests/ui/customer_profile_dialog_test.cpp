// The customer profile dialog, the closing screen and their way into the program: wiring only,
// the rules are the editor's and tested in core.
#include "profile/ui/customer_profile_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QtTest/QTest>
#include <filesystem>

#include "app/qt_dialogs.h"
#include "common/recording_dialogs.h"
#include "common/temp_dir.h"
#include "document/setup_file.h"
#include "profile/ui/finish_screen.h"
#include "ui/app_harness.h"

namespace {

using F = ProfileField;

void Later(int ms, std::function<void()> step) { QTimer::singleShot(ms, std::move(step)); }

void Type(QLineEdit* box, const QString& text) {
  box->selectAll();
  QTest::keyClicks(box, text);
}

void ClickTab(QTabBar* tabs, int index) {
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

TEST(CustomerProfileDialog, BoxesTabsPrintAndProceedReachTheProfile) {
  TempDir dir;
  RecordingDialogs dialogs;
  CustomerProfileDialog dialog(dialogs);
  PdfPrintDialog print;
  dialog.SetPrintDialog(&print);
  CustomerProfile profile;
  profile.city = std::string(45, 'c');  // from a file, longer than its box
  const ProfileBox ampMake = ProfileBox::Cell(ProfileTab::Amp, 0, ComponentColumn::Make);
  const ProfileBox systemMake = ProfileBox::Cell(ProfileTab::SystemInstalled, 0, ComponentColumn::Make);
  bool stayedOpen = false;
  Later(20, [&] {
    Type(dialog.LineBox(ProfileBox::Of(F::LastName)), QStringLiteral("Driver"));
    ClickTab(dialog.Tabs(), 1);
    EXPECT_EQ(dialog.RowLabel(0)->text(), QStringLiteral("Front Hi"));
    EXPECT_TRUE(dialog.BoxWidget(ampMake)->isVisible());
    EXPECT_FALSE(dialog.BoxWidget(systemMake)->isVisible());
    Type(dialog.LineBox(ampMake), QStringLiteral("Volta"));
    dialog.CountryBox()->setCurrentIndex(1);  // as a screen reader chooses it
    QTest::keyClicks(dialog.CommentsBox(), QString(205, QLatin1Char('x')));

    dialog.PrintButton()->click();  // cancelled: nothing printed
    print.pdfPath = dir.File("profile.pdf");
    dialog.PrintButton()->click();

    QLineEdit* day = dialog.LineBox(ProfileBox::Of(F::Day));
    Type(day, QStringLiteral("32"));
    dialog.ProceedButton()->click();
    stayedOpen = dialog.isVisible();
    EXPECT_EQ(dialog.focusWidget(), day);
    Type(day, QStringLiteral("30"));
    dialog.ProceedButton()->click();
  });
  dialog.Edit(profile);
  EXPECT_EQ(print.asked, 2);
  EXPECT_GT(std::filesystem::file_size(dir.File("profile.pdf")), 0u);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Please enter an integer between 0 and 31."});
  EXPECT_EQ(profile.lastName, "Driver");
  EXPECT_EQ(profile.amplifiers[0].make, "Volta");
  EXPECT_EQ(profile.country, 1);
  EXPECT_EQ(profile.comments, std::string(200, 'x'));
  EXPECT_EQ(profile.city, std::string(45, 'c'));
  EXPECT_EQ(profile.day, 30);
}

TEST(CustomerProfileDialog, TheProgramsDialogsRunItWithItsMessagesInFront) {
  QtDialogs qtDialogs;
  CustomerProfile profile;
  Later(20, [&] {
    auto* dialog = qobject_cast<CustomerProfileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    Type(dialog->LineBox(ProfileBox::Of(F::FirstName)), QStringLiteral("Zed"));
    Type(dialog->findChild<QLineEdit*>(QStringLiteral("ID code")), QStringLiteral("A7"));
    Type(dialog->LineBox(ProfileBox::Of(F::Month)), QStringLiteral("13"));
    Later(20, [dialog] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->parentWidget(), dialog);
      EXPECT_EQ(box->text(), QStringLiteral("Please enter an integer between 0 and 12."));
      box->buttons().front()->click();
      QTimer::singleShot(0, dialog, [dialog] {
        Type(dialog->LineBox(ProfileBox::Of(F::Month)), QStringLiteral("12"));
        QTest::keyClick(dialog, Qt::Key_Escape);
      });
    });
    dialog->ProceedButton()->click();
  });
  qtDialogs.EditProfile(profile);
  EXPECT_EQ(profile.firstName, "Zed");
  EXPECT_EQ(profile.month, 12);

  // The ID code stays for the next opening in the same session.
  QString idCode;
  Later(20, [&] {
    auto* dialog = qobject_cast<CustomerProfileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    idCode = dialog->findChild<QLineEdit*>(QStringLiteral("ID code"))->text();
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  qtDialogs.EditProfile(profile);
  EXPECT_EQ(idCode, QStringLiteral("A7"));
}

TEST(FinishScreen, ClosesAtAClickOrWhenItsTimeIsUp) {
  FinishScreen clicked(false);
  QElapsedTimer clock;
  clock.start();
  Later(30, [&] { QTest::mouseClick(&clicked, Qt::LeftButton); });
  clicked.Run();
  EXPECT_LT(clock.elapsed(), FinishScreen::kShowMs);
  EXPECT_EQ(clicked.Layout().lines.size(), 1u);

  FinishScreen timed(true, 40);
  timed.Run();
  EXPECT_FALSE(timed.isVisible());
  EXPECT_EQ(timed.Layout().lines.size(), 3u);
}

TEST(AppProfile, OnlyTheRegistrationStartAsksForTheProfile) {
  AppHarness h;
  h.dialogs.editProfile = [](CustomerProfile&) { FAIL(); };
  h.Start();
  AppHarness::Settle();
}

TEST(AppProfile, AProfileEnteredAtStartOrThroughProfileDataEditsTheDocument) {
  TempDir dir;
  AppHarness h;
  SetupDocument stored;
  stored.profile.lastName = "Stored";
  ASSERT_TRUE(SetupFile::Save(dir.File("stored.tvn"), stored, h.dialogs));
  int edits = 0;
  h.dialogs.welcome = Dialogs::WelcomeChoice::CustomerRegistration;
  h.dialogs.editProfile = [&](CustomerProfile& p) {
    p.firstName = "Ann" + std::to_string(++edits);
    p.country = 1;
    p.comments = "kept";
  };
  h.Start();
  AppHarness::Settle();
  EXPECT_EQ(h.app->Doc().Document().profile.firstName, "Ann1");
  EXPECT_TRUE(h.app->Doc().IsModified());
  h.Frame().Command(QStringLiteral("profileData"))->trigger();
  EXPECT_EQ(h.app->Doc().Document().profile.firstName, "Ann2");

  // Opening a file offers the entered profile for saving; the file holds no country or comments.
  h.prompts.answer = DocumentPrompts::SaveAnswer::No;
  ASSERT_TRUE(h.app->Doc().OpenFile(dir.File("stored.tvn")));
  EXPECT_EQ(h.prompts.asked, std::vector<std::string>{"Untitled"});
  const CustomerProfile& p = h.app->Doc().Document().profile;
  EXPECT_EQ(p.lastName, "Stored");
  EXPECT_EQ(p.country, 1);
  EXPECT_EQ(p.comments, "kept");
  EXPECT_TRUE(h.Frame().close());
  EXPECT_EQ(h.dialogs.finishScreens, std::vector<bool>{false});
}

}  // namespace
