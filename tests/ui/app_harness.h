#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QPrinter>
#include <QtTest/QTest>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/cq5_app.h"
#include "app/cq5_doc.h"
#include "app/document_prompts.h"
#include "app/main_frame.h"
#include "common/memory_settings.h"
#include "common/recording_dialogs.h"
#include "common/virtual_clock.h"
#include "form/ui/cq5_view.h"
#include "platform/qt_message_pump.h"
#include "platform/qt_printed_report.h"
#include "sim/in_memory_line.h"

// The print dialog as a test answers it: the page goes to the PDF file `pdfPath`, or the dialog
// is cancelled while that is empty.
class PdfPrintDialog : public QtPrintedReport::PrintDialog {
 public:
  bool Choose(QPrinter& printer, std::optional<ReportKind> kind) override {
    ++asked;
    lastKind = kind;
    if (pdfPath.empty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdfPath));
    return true;
  }
  int asked = 0;
  std::optional<ReportKind> lastKind;
  std::string pdfPath;
};

// What a screen reader or UI-automation tool does to a check box, radio or picture toggle.
inline void AccessibleToggle(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  ASSERT_NE(accessible, nullptr);
  ASSERT_NE(accessible->actionInterface(), nullptr);
  accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

// A mouse click on a radio button's indicator.
inline void ClickRadio(QAbstractButton* radio) {
  QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

// Answers the file dialogs and the save question as the test says.
class ScriptedPrompts : public DocumentPrompts {
 public:
  SaveAnswer AskSaveChanges(const std::string& name) override {
    asked.push_back(name);
    return answer;
  }
  std::string ChooseOpenFile(const std::string& folder) override {
    openFolders.push_back(folder);
    return openFile;
  }
  std::string ChooseSaveFile(const std::string& suggested) override {
    saveSuggestions.push_back(suggested);
    return saveFile;
  }

  SaveAnswer answer = SaveAnswer::No;
  std::string openFile;
  std::string saveFile;
  std::vector<std::string> asked;
  std::vector<std::string> openFolders;
  std::vector<std::string> saveSuggestions;
};

// Records the closing screen as well, and answers "TCR_WARNING", the welcome screen and the
// profile dialog as the test says.
class AppDialogs : public RecordingDialogs {
 public:
  void ShowFinishScreen(bool countryIsUsa) override { finishScreens.push_back(countryIsUsa); }
  bool ConfirmTcrChange() override { return tcrOk; }
  int SelectMemory(const std::function<void()>&) override { return memory; }
  WelcomeChoice ShowWelcomeScreen() override { return welcome; }
  void EditProfile(CustomerProfile& profile) override {
    if (editProfile) editProfile(profile);
  }
  std::vector<bool> finishScreens;
  bool tcrOk = true;
  int memory = kMemoryCancel;  // chosen in "Memory Select"
  WelcomeChoice welcome = WelcomeChoice::SystemSetup;
  std::function<void(CustomerProfile&)> editProfile;
};

// The whole program on a simulated processor reachable as "COM1", in virtual line time.
struct AppHarness {
  MemorySettings settings;
  VirtualClock clock;
  InMemoryLine line{clock};
  AppDialogs dialogs;
  ScriptedPrompts prompts;
  QtMessagePump pump;
  std::unique_ptr<CQ5App> app;

  // Snapshots and the recovery file live below it; none while it is empty.
  std::string dataFolder;

  void Start(const std::string& file = {}) {
    app = std::make_unique<CQ5App>(CQ5App::Services{settings, line, clock, dialogs, prompts, pump});
    app->EnableKeeping(dataFolder);
    app->Start(file);
  }
  CMainFrame& Frame() { return app->Frame(); }
  CQ5View& View() { return app->View(); }
  SetupForm& Form() { return app->View().Form(); }
  // The caption as shown: "[*]" becomes "*" while the document is modified.
  QString Title() {
    return Frame().windowTitle().replace(QStringLiteral("[*]"),
                                         Frame().isWindowModified() ? QStringLiteral("*") : QString());
  }
  bool Enabled(const char* command) { return Frame().Command(QString::fromLatin1(command))->isEnabled(); }
  // "I/O Port" > "COM1"; true once the port box shows "PORT OPEN".
  bool ConnectCom1() {
    Frame().Command(QStringLiteral("com1"))->trigger();
    return QTest::qWaitFor([&] { return View().StatusBox()->text() == QStringLiteral("PORT OPEN"); }, 2000);
  }
  // Lets queued work (repaints that apply the speaker switches, posted requests) run.
  static void Settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }
};
