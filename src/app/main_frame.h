#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <array>

class CQ5Doc;
class CQ5View;
class QMimeData;
class SettingsStore;

// The main window: the menus, the toolbar and the status bar around the main form, with the
// document's title followed by the application's in the caption.
class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr const char* kAppTitle = "KRV5200";
  static constexpr const char* kIdleMessage = "Ready";

  static constexpr const char* kConnectPrompt = "Connect to the processor on %1";
  static constexpr const char* kPortSettingsPrompt = "Choose the device of each port and the line settings";

  // Takes the view as its central widget; the port settings live in `settings`.
  CMainFrame(CQ5Doc& doc, CQ5View* view, SettingsStore& settings);

  // The caption from the document's title.
  void UpdateTitle();
  // Enabling and check marks of the menu and toolbar commands from the form's state.
  void UpdateCommandUi();
  // The recent-file entries of the "&File" menu.
  void UpdateRecentFiles();

  CQ5View& View() { return *view_; }
  QToolBar* ToolBar() const { return toolBar_; }
  // The actions by their command, for tests: "open", "save", "saveAs", "dataOut", "exit", "new",
  // "com1".."com4", "off", "portSettings", "aeqSave", "copyDivider", "copyParametric", "copyGraphic",
  // "profileData", "viewToolbar", "viewStatusBar", "helpTopics", "about", "contextHelp".
  QAction* Command(const QString& name) const;
  QMenu* PortMenu() const { return portMenu_; }
  QMenu* FileMenu() const { return fileMenu_; }
  // "Port Settings...": the dialog, then a new probe of the ports whose device changed, or of
  // every port while none is open.
  void OpenPortSettings();
  // The setup file a drag carries: one local file whose name ends in ".tvn"; else "".
  static QString DroppedSetupFile(const QMimeData* data);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QAction* MakeAction(const QString& name, const QString& text, const QString& prompt,
                      const QString& tip = {});
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void ShowHelp();
  void ShowAbout();
  // Opens a dropped file as Open does, once no transfer is running.
  void OpenDropped(const QString& path);
  void UpdatePortItems();

  CQ5Doc& doc_;
  CQ5View* view_;
  SettingsStore& settings_;
  QMenu* portMenu_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QAction* recentPlaceholder_ = nullptr;
  std::array<QAction*, 4> recentActions_{};
  std::array<QAction*, 4> portActions_{};
  QMenu* copyMenu_ = nullptr;
  std::array<QLabel*, 3> indicators_{};  // CAP, NUM, SCRL
  std::array<bool, 3> locks_{};
  bool closing_ = false;
  // A close that met a transfer waits for it once, however often the user asks meanwhile.
  bool closeRetryQueued_ = false;
};
