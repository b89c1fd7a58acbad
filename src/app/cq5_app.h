#pragma once

#include <memory>
#include <string>

class Clock;
class CMainFrame;
class CQ5Doc;
class CQ5View;
class Dialogs;
class DocumentPrompts;
class MessagePump;
class QApplication;
class SerialLine;
class SettingsStore;
class ToolsMenu;
class SetupKeeping;

// The application: one document, one main frame and one main form, started in the system's
// order (settings and recent files, document, frame and form, the command line's file, the
// form's first initial update, the window on screen).
class CQ5App {
 public:
  // What the application runs on; the program passes the real ones, tests their own.
  struct Services {
    SettingsStore& settings;
    SerialLine& line;
    Clock& clock;
    Dialogs& dialogs;
    DocumentPrompts& prompts;
    MessagePump& pump;
  };

  explicit CQ5App(const Services& services);
  ~CQ5App();
  CQ5App(const CQ5App&) = delete;
  CQ5App& operator=(const CQ5App&) = delete;

  // Opens `file` (unless empty) as Open does, runs the form's first initial update and shows
  // the main window. A file that cannot be opened has been reported; the program goes on with
  // an untitled document.
  void Start(const std::string& file);

  // Snapshots, the recovery file and comparisons over `dataFolder` (before Start); without it the
  // program keeps nothing. With `offerAtStart`, Start offers the setups ended programs left
  // unsaved, once the main window (and the Welcome Screen before it) has been shown.
  void EnableKeeping(const std::string& dataFolder, bool offerAtStart = true);
  SetupKeeping* Keeping() const { return keeping_.get(); }

  CQ5Doc& Doc() { return *doc_; }
  CMainFrame& Frame() { return *frame_; }
  CQ5View& View();
  ToolsMenu& Tools() { return *tools_; }

  // The look of every window: the Fusion style in the dark colours of the processor's panel.
  static void ApplyLook(QApplication& app);

 private:
  Services services_;
  std::unique_ptr<CQ5Doc> doc_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<ToolsMenu> tools_;
  std::unique_ptr<SetupKeeping> keeping_;
  bool offerRecovery_ = false;
};
