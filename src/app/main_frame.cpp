#include "app/main_frame.h"

#include <algorithm>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QWhatsThis>

#include "app/about_dialog.h"
#include "app/cq5_doc.h"
#include "app/form_scroll_area.h"
#include "app/port_settings_dialog.h"
#include "artwork/brand_artwork.h"
#include "artwork/toolbar_artwork.h"
#include "form/ui/cq5_view.h"
#include "history/ui/undo_history.h"
#include "link/serial_settings.h"
#include "platform/serial_port_scan.h"

namespace {

// Retry a close that came while a transfer was running, once the transfer has ended.
constexpr int kCloseRetryMs = 100;

const char* const kHelpText =
    "KRV5200 PC setup tool\n\n"
    "1. Connect the PC to the processor's RS-232 socket and choose its port in \"I/O Port\".\n"
    "   \"Port Settings...\" there chooses the device each port stands for, e.g. a USB adapter.\n"
    "   The port box shows \"PORT OPEN\" once the processor has taken the setup.\n"
    "2. Click a speaker button to switch that output on or off.\n"
    "3. Switch a function on with its ON/OFF box, then open its window with the button beside it.\n"
    "   Every change goes to the processor at once while the port is open.\n"
    "4. \"Load to MEMORY\" keeps the processor's settings in one of its six memories.\n"
    "5. \"&File\" saves the whole setup with the customer profile as a .tvn file.\n\n"
    "\"OFF\" in \"I/O Port\" releases the processor. Without a processor the setup is only stored.";

}  // namespace

CMainFrame::CMainFrame(CQ5Doc& doc, CQ5View* view, SettingsStore& settings)
    : doc_(doc), view_(view), settings_(settings) {
  setObjectName(QStringLiteral("CMainFrame"));
  setAcceptDrops(true);
  setWindowIcon(BrandArtwork::AppIcon());
  setCentralWidget(new FormScrollArea(view_, this));
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  view_->onRefresh = [this] { UpdateCommandUi(); };
  qApp->installEventFilter(this);
  // The modified mark follows the document once every event has been handled, whichever
  // handler changed it.
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
      if (isWindowModified() != doc_.IsModified()) setWindowModified(doc_.IsModified());
    });
  }
  UpdateTitle();
  UpdateRecentFiles();
  UpdateCommandUi();
}

QAction* CMainFrame::MakeAction(const QString& name, const QString& text, const QString& prompt,
                                const QString& tip) {
  auto* action = new QAction(text, this);
  action->setObjectName(name);
  action->setStatusTip(prompt);
  action->setToolTip(tip.isEmpty() ? QString(text).remove(QLatin1Char('&')).remove(QStringLiteral("..."))
                                   : tip);
  return action;
}

QAction* CMainFrame::Command(const QString& name) const { return findChild<QAction*>(name); }

void CMainFrame::BuildMenus() {
  SetupForm& form = view_->Form();

  // Ctrl+N has no menu item: it keeps every value and makes the document "Untitled".
  QAction* fileNew =
      MakeAction(QStringLiteral("new"), QStringLiteral("&New"), QStringLiteral("Create a new document"));
  fileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  connect(fileNew, &QAction::triggered, this, [this] { doc_.OnNew(); });
  addAction(fileNew);

  fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
  QAction* open = MakeAction(QStringLiteral("open"), QStringLiteral("&Open..."),
                             QStringLiteral("Open an existing document"), QStringLiteral("Open"));
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  connect(open, &QAction::triggered, this, [this] { doc_.OnOpen(); });
  fileMenu_->addAction(open);
  QAction* save = MakeAction(QStringLiteral("save"), QStringLiteral("&Save"),
                             QStringLiteral("Save the active document"), QStringLiteral("Save"));
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  connect(save, &QAction::triggered, this, [this] { doc_.OnSave(); });
  fileMenu_->addAction(save);
  QAction* saveAs = MakeAction(QStringLiteral("saveAs"), QStringLiteral("Save &As..."),
                               QStringLiteral("Save the active document with a new name"));
  connect(saveAs, &QAction::triggered, this, [this] { doc_.OnSaveAs(); });
  fileMenu_->addAction(saveAs);
  fileMenu_->addSeparator();
  recentPlaceholder_ = MakeAction(QStringLiteral("recentFile"), QStringLiteral("Recent File"),
                                  QStringLiteral("Open this document"));
  recentPlaceholder_->setEnabled(false);
  fileMenu_->addAction(recentPlaceholder_);
  for (int i = 0; i < CQ5Doc::kRecentCount; ++i) {
    QAction* entry =
        MakeAction(QStringLiteral("recent%1").arg(i + 1), QString(), QStringLiteral("Open this document"));
    connect(entry, &QAction::triggered, this, [this, i] { doc_.OpenRecent(i); });
    fileMenu_->addAction(entry);
    recentActions_[static_cast<std::size_t>(i)] = entry;
  }
  fileMenu_->addSeparator();
  QAction* dataOut = MakeAction(QStringLiteral("dataOut"), QStringLiteral("Data Out"),
                                QStringLiteral("Write every parameter and the profile to data_textout.txt"));
  connect(dataOut, &QAction::triggered, this, [&form] { form.DataOut(); });
  fileMenu_->addAction(dataOut);
  fileMenu_->addSeparator();
  QAction* exit = MakeAction(QStringLiteral("exit"), QStringLiteral("E&xit"),
                             QStringLiteral("Quit the application; prompts to save documents"));
  connect(exit, &QAction::triggered, this, &QWidget::close);
  fileMenu_->addAction(exit);

  // Undo and redo of every change to the setup; their keys work from the function windows too.
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  QAction* undo = view_->History().UndoAction();
  QAction* redo = view_->History().RedoAction();
  undo->setObjectName(QStringLiteral("undo"));
  redo->setObjectName(QStringLiteral("redo"));
  undo->setStatusTip(QStringLiteral("Take back the last change to the setup, on the processor too"));
  redo->setStatusTip(QStringLiteral("Make the last change taken back again"));
  edit->addAction(undo);
  edit->addAction(redo);

  QMenu* port = menuBar()->addMenu(QStringLiteral("I/O Port"));
  portMenu_ = port;
  // A greyed port says why in its tooltip.
  port->setToolTipsVisible(true);
  for (int i = 0; i < kPortCount; ++i) {
    const QString name = QString::fromLatin1(kPortNames[static_cast<std::size_t>(i)]);
    QAction* com =
        MakeAction(QStringLiteral("com%1").arg(i + 1), name, QString::fromLatin1(kConnectPrompt).arg(name));
    connect(com, &QAction::triggered, this, [&form, i] { form.Connect(i); });
    port->addAction(com);
    portActions_[static_cast<std::size_t>(i)] = com;
  }
  port->addSeparator();
  QAction* off = MakeAction(QStringLiteral("off"), QStringLiteral("OFF"),
                            QStringLiteral("Release the processor and close the port"));
  connect(off, &QAction::triggered, this, [&form] { form.Disconnect(); });
  port->addAction(off);
  port->addSeparator();
  QAction* portSettings = MakeAction(QStringLiteral("portSettings"), QStringLiteral("Port Settings..."),
                                     QString::fromLatin1(kPortSettingsPrompt));
  connect(portSettings, &QAction::triggered, this, &CMainFrame::OpenPortSettings);
  port->addAction(portSettings);
  connect(port, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);

  QMenu* option = menuBar()->addMenu(QStringLiteral("Option"));
  QAction* aeqSave = MakeAction(QStringLiteral("aeqSave"), QStringLiteral("AEQ_SAVE"),
                                QStringLiteral("Keep the automatic-EQ parameters with the setup"));
  aeqSave->setCheckable(true);
  connect(aeqSave, &QAction::triggered, this, [this, &form] {
    form.ToggleAeqSave();
    UpdateCommandUi();
  });
  option->addAction(aeqSave);
  copyMenu_ = option->addMenu(QStringLiteral("COPY"));
  const std::array<std::pair<const char*, CopyTarget>, 3> copies = {
      {{"Divider", CopyTarget::Divider},
       {"Parametric Eq", CopyTarget::ParametricEq},
       {"Graphic Eq", CopyTarget::GraphicEq}}};
  const std::array<const char*, 3> copyNames = {"copyDivider", "copyParametric", "copyGraphic"};
  for (std::size_t i = 0; i < copies.size(); ++i) {
    const CopyTarget target = copies[i].second;
    QAction* copy = MakeAction(QString::fromLatin1(copyNames[i]), QString::fromLatin1(copies[i].first),
                               QStringLiteral("Make the L and R data the same as the Common data"));
    connect(copy, &QAction::triggered, this, [&form, target] { form.Copy(target); });
    copyMenu_->addAction(copy);
  }
  QAction* profile = MakeAction(QStringLiteral("profileData"), QStringLiteral("Profile Data"),
                                QStringLiteral("Data progile view"), QStringLiteral("Profile"));
  profile->setIcon(ToolbarArtwork::Icon(ToolbarArtwork::Image::Profile));
  connect(profile, &QAction::triggered, this, [&form] { form.ProfileData(); });
  option->addAction(profile);
  connect(option, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);

  QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
  QAction* showToolbar =
      MakeAction(QStringLiteral("viewToolbar"), QStringLiteral("&Toolbar"),
                 QStringLiteral("Show or hide the toolbar"), QStringLiteral("Toggle ToolBar"));
  showToolbar->setCheckable(true);
  showToolbar->setChecked(true);
  viewMenu->addAction(showToolbar);
  QAction* showStatus =
      MakeAction(QStringLiteral("viewStatusBar"), QStringLiteral("&Status Bar"),
                 QStringLiteral("Show or hide the status bar"), QStringLiteral("Toggle StatusBar"));
  showStatus->setCheckable(true);
  showStatus->setChecked(true);
  connect(showStatus, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
  viewMenu->addAction(showStatus);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  QAction* topics = MakeAction(QStringLiteral("helpTopics"), QStringLiteral("&Help Topics"),
                               QStringLiteral("List Help topics"), QStringLiteral("Help Topics"));
  topics->setShortcut(QKeySequence(Qt::Key_F1));
  connect(topics, &QAction::triggered, this, &CMainFrame::ShowHelp);
  help->addAction(topics);
  help->addSeparator();
  QAction* about = MakeAction(QStringLiteral("about"), QStringLiteral("&About KRV 5200..."),
                              QStringLiteral("Display program information, version number and copyright"),
                              QStringLiteral("About"));
  about->setIcon(ToolbarArtwork::Icon(ToolbarArtwork::Image::About));
  connect(about, &QAction::triggered, this, &CMainFrame::ShowAbout);
  help->addAction(about);
  QAction* contextHelp = MakeAction(QStringLiteral("contextHelp"), QStringLiteral("Help"),
                                    QStringLiteral("Display help for clicked buttons, menus and windows"),
                                    QStringLiteral("Help"));
  contextHelp->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
  contextHelp->setIcon(ToolbarArtwork::Icon(ToolbarArtwork::Image::ContextHelp));
  connect(contextHelp, &QAction::triggered, this, [] { QWhatsThis::enterWhatsThisMode(); });
  addAction(contextHelp);

  open->setIcon(ToolbarArtwork::Icon(ToolbarArtwork::Image::Open));
  save->setIcon(ToolbarArtwork::Icon(ToolbarArtwork::Image::Save));
  connect(fileMenu_, &QMenu::aboutToShow, this, &CMainFrame::UpdateRecentFiles);
}

void CMainFrame::BuildToolBar() {
  toolBar_ = addToolBar(QStringLiteral("Standard"));
  toolBar_->setObjectName(QStringLiteral("toolBar"));
  toolBar_->setMovable(true);
  toolBar_->setFloatable(true);
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  toolBar_->setIconSize(QSize(24, 24));
  toolBar_->addAction(Command(QStringLiteral("open")));
  toolBar_->addAction(Command(QStringLiteral("save")));
  toolBar_->addSeparator();
  toolBar_->addAction(Command(QStringLiteral("profileData")));
  toolBar_->addAction(Command(QStringLiteral("about")));
  toolBar_->addAction(Command(QStringLiteral("contextHelp")));
  QAction* showToolbar = Command(QStringLiteral("viewToolbar"));
  connect(showToolbar, &QAction::toggled, toolBar_, &QToolBar::setVisible);
  connect(toolBar_, &QToolBar::visibilityChanged, showToolbar, [showToolbar, this](bool visible) {
    if (!isVisible()) return;  // hidden with the window, not by the user
    const QSignalBlocker block(showToolbar);
    showToolbar->setChecked(visible);
  });
}

void CMainFrame::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->showMessage(QString::fromLatin1(kIdleMessage));
  connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& message) {
    if (message.isEmpty()) bar->showMessage(QString::fromLatin1(kIdleMessage));
  });
  const std::array<const char*, 3> names = {"CAP", "NUM", "SCRL"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    auto* label = new QLabel(QString::fromLatin1(names[i]), bar);
    label->setObjectName(QString::fromLatin1(names[i]));
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 14);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setEnabled(false);
    bar->addPermanentWidget(label);
    indicators_[i] = label;
  }
}

void CMainFrame::UpdateTitle() {
  // "[*]" is where the desktop's modified mark goes.
  setWindowTitle(
      QStringLiteral("%1[*] - %2").arg(QString::fromStdString(doc_.Title()), QString::fromLatin1(kAppTitle)));
  setWindowModified(doc_.IsModified());
  // The windows' reports offer their PDF files beside the setup file.
  setWindowFilePath(QString::fromStdString(doc_.Path()));
}

void CMainFrame::UpdatePortItems() {
  const SetupForm& form = view_->Form();
  for (int i = 0; i < kPortCount; ++i) {
    const std::string name = kPortNames[static_cast<std::size_t>(i)];
    const std::string device = PortDevice(name, settings_);
    QAction* com = portActions_[static_cast<std::size_t>(i)];
    // The device stands where a menu shows a shortcut, so the caption stays the port's name.
    com->setText(device.empty() ? QString::fromStdString(name)
                                : QStringLiteral("%1\t%2").arg(QString::fromStdString(name),
                                                               QString::fromStdString(device)));
    const bool enabled = form.PortItemEnabled(i);
    com->setEnabled(enabled);
    QString note;
    if (enabled) {
      note = QString::fromLatin1(kConnectPrompt).arg(QString::fromStdString(name));
      if (!device.empty()) note += QStringLiteral(" (%1)").arg(QString::fromStdString(device));
    } else {
      OpenFailure why = view_->Port().ProbeFailure(name);
      if (why.device.empty()) why.device = device;
      note = QString::fromStdString(why.PortNote(name));
    }
    com->setStatusTip(note);
    com->setToolTip(note);
  }
}

void CMainFrame::UpdateCommandUi() {
  const SetupForm& form = view_->Form();
  UpdatePortItems();
  Command(QStringLiteral("portSettings"))->setEnabled(!view_->Form().LinkBusy());
  Command(QStringLiteral("off"))->setEnabled(form.OffItemEnabled());
  copyMenu_->setEnabled(form.CopyEnabled());
  for (QAction* copy : copyMenu_->actions()) copy->setEnabled(form.CopyEnabled());
  Command(QStringLiteral("profileData"))->setEnabled(form.ProfileDataEnabled());
  Command(QStringLiteral("aeqSave"))->setChecked(form.AeqSaveChecked());
}

void CMainFrame::UpdateRecentFiles() {
  const auto& recent = doc_.RecentFiles();
  recentPlaceholder_->setVisible(recent.empty());
  for (int i = 0; i < CQ5Doc::kRecentCount; ++i) {
    QAction* entry = recentActions_[static_cast<std::size_t>(i)];
    if (i >= static_cast<int>(recent.size())) {
      entry->setVisible(false);
      continue;
    }
    const QString path = QString::fromStdString(recent[static_cast<std::size_t>(i)]);
    // An "&" in a file name is shown as it is, not taken for a mnemonic.
    const QString name = QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"));
    entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
    entry->setStatusTip(path);
    entry->setVisible(true);
  }
}

void CMainFrame::ShowHelp() {
  QMessageBox box(this);
  box.setWindowTitle(QStringLiteral("KRV5200 Help"));
  box.setIcon(QMessageBox::Information);
  box.setText(QString::fromLatin1(kHelpText));
  box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.exec();
}

void CMainFrame::ShowAbout() {
  AboutDialog about(this);
  about.exec();
}

void CMainFrame::OpenPortSettings() {
  // The dialog would wait inside a transfer that delivers events; the menu item is greyed then.
  if (view_->Form().LinkBusy()) return;
  PortSettingsDialog dialog(settings_, &SerialPortScan::Scan, &SerialPortScan::Describe,
                            PortMapping::ProcessEnvironment, this);
  if (dialog.exec() != QDialog::Accepted) return;
  // A port whose device changed is probed again; while no port is open, every port is, so that
  // an adapter plugged in after the start becomes available.
  const std::vector<int>& changed = dialog.ChangedPorts();
  const bool anyOpen = view_->Port().IsOpen();
  for (int i = 0; i < kPortCount; ++i) {
    if (!anyOpen || std::find(changed.begin(), changed.end(), i) != changed.end()) view_->Form().ProbePort(i);
  }
  UpdateCommandUi();
}

QString CMainFrame::DroppedSetupFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  return CQ5Doc::IsSetupFileName(path.toStdString()) ? path : QString();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedSetupFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event) {
  if (!DroppedSetupFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QString path = DroppedSetupFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // The save question must not run inside the drag source's drop.
  QTimer::singleShot(0, this, [this, path] { OpenDropped(path); });
}

void CMainFrame::OpenDropped(const QString& path) {
  if (view_->Form().LinkBusy()) {
    QTimer::singleShot(kCloseRetryMs, this, [this, path] { OpenDropped(path); });
    return;
  }
  raise();
  activateWindow();
  doc_.OpenFile(path.toStdString());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  if (view_->Form().LinkBusy()) {
    // Closing the form in the middle of a transfer would pull the port from under it.
    event->ignore();
    if (!closeRetryQueued_) {
      closeRetryQueued_ = true;
      QTimer::singleShot(kCloseRetryMs, this, [this] {
        closeRetryQueued_ = false;
        close();
      });
    }
    return;
  }
  if (!doc_.SaveModified()) {
    event->ignore();
    return;
  }
  closing_ = true;
  view_->Form().Close();
  event->accept();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  // A menu shows the prompt of enabled items only; a greyed port's says why it is greyed.
  if (watched == portMenu_ && event->type() == QEvent::MouseMove) {
    const QAction* item = portMenu_->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    if (item != nullptr && !item->isEnabled() && !item->statusTip().isEmpty())
      statusBar()->showMessage(item->statusTip());
  }
  // Each key press reaches the window once before it travels through the widgets.
  if (event->type() == QEvent::KeyPress && watched->isWindowType()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    int lock = -1;
    if (key->key() == Qt::Key_CapsLock) lock = 0;
    if (key->key() == Qt::Key_NumLock) lock = 1;
    if (key->key() == Qt::Key_ScrollLock) lock = 2;
    if (lock >= 0 && !key->isAutoRepeat()) {
      const auto at = static_cast<std::size_t>(lock);
      locks_[at] = !locks_[at];
      indicators_[at]->setEnabled(locks_[at]);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
