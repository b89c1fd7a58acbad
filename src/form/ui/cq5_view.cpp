#include "form/ui/cq5_view.h"

#include "history/ui/undo_history.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "alignment/ui/time_correction_window.h"
#include "common/ui/user_toggle.h"
#include "crossover/ui/crossover_window.h"
#include "eq/ui/graphic_eq_window.h"
#include "eq/ui/parametric_eq_dialog.h"
#include "eq/ui/parametric_eq_window.h"
#include "form/form_texts.h"
#include "form/ui/speaker_panel.h"
#include "graphics/printed_report.h"
#include "measure/measurement_runs.h"
#include "measure/spectrum_report.h"
#include "measure/ui/aeq_start_window.h"
#include "measure/ui/spectrum_analyzer_window.h"
#include "measure/ui/tcr_start_window.h"
#include "platform/qt_message_pump.h"
#include "platform/qt_text.h"

namespace {

constexpr int kFlashMs = 100;

// An ON/OFF switch is named after the function button beside it, so that a screen reader tells
// the switches apart: "Graphic Equalizer ON/OFF".
QString SwitchName(FunctionButton beside) {
  return QtText(kFunctionButtonTexts[static_cast<std::size_t>(beside)]).simplified() +
         QStringLiteral(" ON/OFF");
}

// The form's look: a dark panel as on the processor's own front, amber for what is on.
const char* const kStyle = R"(
CQ5View {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #262c34, stop:1 #101317);
}
QFrame#functionPanel {
  background: rgba(255, 255, 255, 8);
  border: 1px solid #3a424d;
  border-radius: 8px;
}
QLabel#panelTitle { color: #ffb21e; font-weight: bold; }
QLabel { color: #aab2bd; }
QPushButton {
  color: #e9ecf0;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #414955, stop:1 #272c33);
  border: 1px solid #5a6470;
  border-radius: 5px;
  padding: 3px 6px;
}
QPushButton:hover { border-color: #ffb21e; }
QPushButton:pressed { background: #1a1d22; }
QPushButton:focus { border-color: #36c6ff; }
QPushButton:disabled { color: #656c76; background: #23272d; border-color: #343a42; }
QPushButton[function="true"] { font-weight: bold; min-height: 84px; font-size: 10pt; }
QPushButton[speaker="true"] { font-weight: bold; }
QPushButton[speaker="true"][on="true"] {
  color: #ffd27a;
  border: 1px solid #ffb21e;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4d3f22, stop:1 #2b2418);
}
QPushButton[speaker="true"][on="false"] {
  color: #b4bac3;
  border: 1px solid #5a3434;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2c2f34, stop:1 #1d1f23);
}
QCheckBox { color: #c9ced6; spacing: 6px; font-weight: bold; }
QCheckBox::indicator {
  width: 30px; height: 14px; border-radius: 7px;
  background: #30353c; border: 1px solid #5a6470;
}
QCheckBox::indicator:checked { background: #ffb21e; border-color: #ffd27a; }
QCheckBox::indicator:disabled { background: #24282d; border-color: #3a4048; }
QCheckBox:disabled { color: #656c76; }
QLineEdit#portStatus {
  background: #07090b;
  color: #ff6150;
  border: 1px solid #3a424d;
  border-radius: 4px;
  font-family: "DejaVu Sans Mono", monospace;
  font-weight: bold;
  padding: 4px 8px;
}
QLineEdit#portStatus[open="true"] { color: #5cff8f; }
QGroupBox {
  color: #aab2bd;
  border: 1px solid #3a424d;
  border-radius: 6px;
  margin-top: 12px;
  padding: 8px 8px 4px 8px;
  font-weight: bold;
}
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }
QRadioButton { color: #d5dae1; font-weight: bold; spacing: 6px; }
QRadioButton::indicator {
  width: 12px; height: 12px; border-radius: 7px;
  background: #30353c; border: 1px solid #7a8490;
}
QRadioButton::indicator:checked { background: #ffb21e; border: 1px solid #ffd27a; }
)";

}  // namespace

CQ5View::CQ5View(DocumentSession& session, SerialLine& line, Clock& clock, Dialogs& dialogs,
                 MessagePump& pump, QWidget* parent)
    : QWidget(parent),
      port_(line, dialogs, pump),
      clock_(clock),
      rs232c_(std::make_unique<ProgressWindow>(QStringLiteral("RS232C"), 3, 120, this)),
      parameter_(std::make_unique<ProgressWindow>(QStringLiteral("PARAMETER"), 1, 128, this)),
      timers_([this](int id) {
        if (form_) form_->OnTimer(id);
      }),
      requests_([this](const FormRequest& request) {
        if (form_) form_->HandleRequest(request);
      }) {
  setObjectName(QStringLiteral("CQ5View"));
  setAttribute(Qt::WA_StyledBackground);
  setStyleSheet(QString::fromLatin1(kStyle));
  form_ = std::make_unique<SetupForm>(port_, clock, dialogs, *rs232c_, *parameter_, timers_, *this, windows_,
                                      session);
  history_ = std::make_unique<UndoHistory>(form_->Recorder(), *form_, session);
  history_->onNote = [this](const std::string& note) { ShowStatusMessage(note); };

  speakers_ = new SpeakerPanel(this);
  speakers_->switches = [this] {
    std::array<bool, kOutputCount> on{};
    for (int i = 0; i < kOutputCount; ++i)
      on[static_cast<std::size_t>(i)] = form_->SpeakerOn(static_cast<OutputChannel>(i));
    return on;
  };
  connect(speakers_, &SpeakerPanel::speakerPressed, this, [this](int channel) {
    form_->PressSpeaker(static_cast<OutputChannel>(channel));
    ScheduleSpeakerPaint();
  });

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(12, 12, 16, 12);
  layout->setSpacing(12);
  layout->addWidget(speakers_, 1);
  layout->addWidget(BuildFunctionPanel(), 0);
  ShowState();
}

CQ5View::~CQ5View() {
  // The history and then the form go first: its timers and requests refer to it, and it to the
  // windows.
  history_.reset();
  form_.reset();
  runs_.reset();
  parametricWindow_.reset();
  graphicWindow_.reset();
  windows_.onPresence = nullptr;
  crossoverWindow_.reset();
  timeCorrectionWindow_.reset();
  spectrumWindow_.reset();
}

void CQ5View::InstallFunctionWindows(QWidget* dialogParent, Dialogs& dialogs) {
  parametricWindow_ = std::make_unique<ParametricEqWindow>(requests_, dialogs, dialogParent);
  windows_.Install(FunctionWindow::Parametric, *parametricWindow_);
  graphicWindow_ = std::make_unique<GraphicEqWindow>(requests_, dialogs, dialogParent);
  windows_.Install(FunctionWindow::Graphic, *graphicWindow_);
  graphicWindow_->SetBandLockMode(windows_.BandLockMode());
  windows_.onBandLockMode = [this](int mode) { graphicWindow_->SetBandLockMode(mode); };
  crossoverWindow_ = std::make_unique<CrossoverWindow>(requests_, dialogs, dialogParent);
  crossoverWindow_->SetPresence(windows_.Presence());
  windows_.onPresence = [this](const GroupPresence& present) { crossoverWindow_->SetPresence(present); };
  windows_.Install(FunctionWindow::Crossover, *crossoverWindow_);
  timeCorrectionWindow_ = std::make_unique<TimeCorrectionWindow>(requests_, dialogs, dialogParent);
  windows_.Install(FunctionWindow::TimeCorrection, *timeCorrectionWindow_);
  spectrumWindow_ = std::make_unique<SpectrumAnalyzerWindow>(requests_, form_->Analyzer(), dialogParent);
  windows_.Install(FunctionWindow::Spectrum, *spectrumWindow_);
}

void CQ5View::SetPrintDialog(QtPrintedReport::PrintDialog* dialog) { printDialog_ = dialog; }

void CQ5View::PrintSpectrum(const SpectrumLevels& printLevels) {
  if (!standardPrint_) standardPrint_ = std::make_unique<QtPrintedReport::StandardPrintDialog>(window());
  QtPrintedReport target(printDialog_ != nullptr ? *printDialog_ : *standardPrint_);
  PrintedReport report(target);
  if (!report.Begin(ReportKind::SpectrumAnalyzer)) return;
  PrintSpectrumReport(report, printLevels);
  report.End();
}

void CQ5View::InstallAutomaticRuns(QWidget* dialogParent, Dialogs& dialogs) {
  aeqStart_ = std::make_unique<AeqStartWindow>(dialogParent);
  tcrStart_ = std::make_unique<TcrStartWindow>(dialogParent);
  runs_ = std::make_unique<MeasurementRuns>(*form_, port_, clock_, dialogs, *parameter_, requests_,
                                            *aeqStart_, *tcrStart_);
  form_->SetAutomaticRuns(*runs_);
}

QWidget* CQ5View::BuildFunctionPanel() {
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("functionPanel"));
  panel->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
  auto* outer = new QVBoxLayout(panel);
  outer->setContentsMargins(14, 10, 14, 14);
  outer->setSpacing(10);
  auto* title = new QLabel(QStringLiteral("FUNCTION"), panel);
  title->setObjectName(QStringLiteral("panelTitle"));
  title->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  outer->addWidget(title);

  auto makeButton = [this, panel](FunctionButton which) {
    auto* button = new QPushButton(QtText(kFunctionButtonTexts[static_cast<std::size_t>(which)]), panel);
    button->setProperty("function", true);
    button->setMinimumWidth(136);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    button->setMaximumHeight(112);
    button->setObjectName(QStringLiteral("function%1").arg(static_cast<int>(which)));
    connect(button, &QPushButton::clicked, this, [this, which] { form_->PressFunctionButton(which); });
    button->setWhatsThis(
        QStringLiteral("Opens this function's window. The parametric, graphic, divider and time "
                       "correction windows open only while their ON/OFF switch is on."));
    functionButtons_[static_cast<std::size_t>(which)] = button;
    return button;
  };
  auto makeSwitch = [this, panel](FunctionSwitch which, FunctionButton beside) {
    auto* box = new QCheckBox(QStringLiteral("ON/OFF"), panel);
    box->setObjectName(QStringLiteral("switch%1").arg(static_cast<int>(which)));
    box->setAccessibleName(SwitchName(beside));
    OnUserToggled(box, this, [this, which](bool on) {
      form_->SetFunctionSwitch(which, on);
      Refresh();
    });
    box->setWhatsThis(
        QStringLiteral("Switches the function on or off in the processor. The parametric and the "
                       "graphic equalizer exclude each other."));
    switchBoxes_[static_cast<std::size_t>(which)] = box;
    return box;
  };

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(18);
  grid->addWidget(makeButton(FunctionButton::TimeCorrection), 0, 0);
  grid->addWidget(makeSwitch(FunctionSwitch::TimeCorrection, FunctionButton::TimeCorrection), 0, 1);
  grid->addWidget(makeButton(FunctionButton::AutoTimeCorrection), 0, 3);
  grid->addWidget(makeButton(FunctionButton::Divider), 1, 0);
  grid->addWidget(makeSwitch(FunctionSwitch::Divider, FunctionButton::Divider), 1, 1);
  grid->addWidget(makeButton(FunctionButton::AutoEq), 1, 3);
  aeqBox_ = new QCheckBox(QStringLiteral("ON/OFF"), panel);
  aeqBox_->setObjectName(QStringLiteral("aeqSwitch"));
  aeqBox_->setWhatsThis(
      QStringLiteral("Applies the automatic adaptive equalizer in the processor (needs the port)."));
  aeqBox_->setAccessibleName(SwitchName(FunctionButton::AutoEq));
  OnUserToggled(aeqBox_, this, [this](bool on) {
    form_->SetAeqSwitch(on);
    Refresh();
  });
  grid->addWidget(aeqBox_, 1, 4);
  grid->addWidget(makeButton(FunctionButton::Parametric), 2, 0);
  grid->addWidget(makeSwitch(FunctionSwitch::Parametric, FunctionButton::Parametric), 2, 1);
  grid->addWidget(makeButton(FunctionButton::Graphic), 2, 3);
  grid->addWidget(makeSwitch(FunctionSwitch::Graphic, FunctionButton::Graphic), 2, 4);
  grid->addWidget(makeButton(FunctionButton::Spectrum), 3, 0);
  print_ = new QPushButton(QtText(kPrintButtonText), panel);
  print_->setObjectName(QStringLiteral("print"));
  print_->setMinimumWidth(70);
  print_->setWhatsThis(
      QStringLiteral("Prints the spectrum analyzer's last picture; available while the port is closed."));
  connect(print_, &QPushButton::clicked, this, [this] { form_->PressPrint(); });
  grid->addWidget(print_, 3, 1);
  grid->addWidget(makeButton(FunctionButton::Memory), 3, 3);
  grid->setColumnMinimumWidth(2, 14);
  outer->addSpacing(6);
  outer->addLayout(grid, 1);
  outer->addSpacing(8);

  auto* bottom = new QHBoxLayout;
  bottom->setSpacing(12);
  auto* portBox = new QGroupBox(QStringLiteral("I/O PORT"), panel);
  auto* portLayout = new QVBoxLayout(portBox);
  status_ = new QLineEdit(portBox);
  status_->setObjectName(QStringLiteral("portStatus"));
  status_->setReadOnly(true);
  status_->setFocusPolicy(Qt::NoFocus);
  status_->setAlignment(Qt::AlignCenter);
  status_->setMinimumWidth(130);
  status_->setWhatsThis(
      QStringLiteral("\"PORT OPEN\" while the processor is connected through the I/O Port menu."));
  portLayout->addWidget(status_);
  bottom->addWidget(portBox, 1);

  auto* modeBox = new QGroupBox(QStringLiteral("SUB WOOFER"), panel);
  auto* modeLayout = new QHBoxLayout(modeBox);
  stereo_ = new QRadioButton(QtText(kSubWooferModeTexts[0]), modeBox);
  mono_ = new QRadioButton(QtText(kSubWooferModeTexts[1]), modeBox);
  auto* modes = new QButtonGroup(modeBox);
  modes->addButton(stereo_, 0);
  modes->addButton(mono_, 1);
  OnUserChecked(modes, this, [this](int mode) {
    if (showingState_) return;
    form_->SetSubWooferMode(mode);
    Refresh();
  });
  modeLayout->addWidget(stereo_);
  modeLayout->addWidget(mono_);
  modeBox->setWhatsThis(
      QStringLiteral("Drives the two sub-woofer outputs in stereo or both with the same mono signal."));
  bottom->addWidget(modeBox, 1);
  outer->addLayout(bottom);
  return panel;
}

QPushButton* CQ5View::SpeakerButton(OutputChannel channel) const { return speakers_->Button(channel); }

void CQ5View::Refresh() {
  if (!form_) return;
  ShowState();
  ScheduleSpeakerPaint();
  if (onRefresh) onRefresh();
}

void CQ5View::ShowState() {
  for (int i = 0; i < kFunctionSwitchCount; ++i) {
    QCheckBox* box = switchBoxes_[static_cast<std::size_t>(i)];
    const QSignalBlocker block(box);
    box->setChecked(form_->FunctionSwitchOn(static_cast<FunctionSwitch>(i)));
  }
  {
    const QSignalBlocker block(aeqBox_);
    aeqBox_->setChecked(form_->AeqSwitchOn());
  }
  for (int i = 0; i < kFunctionButtonCount; ++i) {
    functionButtons_[static_cast<std::size_t>(i)]->setEnabled(
        form_->FunctionButtonEnabled(static_cast<FunctionButton>(i)));
  }
  print_->setEnabled(form_->PrintEnabled());
  // A greyed "PRINT" says why.
  const QString printTip = form_->PrintEnabled()
                               ? QStringLiteral("Print the spectrum analyzer's last picture")
                               : QString::fromLatin1(kDisconnectToPrintText);
  print_->setToolTip(printTip);
  print_->setStatusTip(printTip);
  const QString status = QString::fromStdString(form_->StatusText());
  if (status_->text() != status) {
    status_->setText(status);
    status_->setProperty("open", status == QLatin1String(kPortOpenText));
    status_->style()->unpolish(status_);
    status_->style()->polish(status_);
  }
  {
    // The radio group reports changes even while its buttons' signals are blocked.
    showingState_ = true;
    (form_->SubWooferMode() == 0 ? stereo_ : mono_)->setChecked(true);
    showingState_ = false;
  }
}

void CQ5View::ScheduleSpeakerPaint() {
  if (paintQueued_) return;
  paintQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    paintQueued_ = false;
    if (!form_) return;
    // Applying sends; a bulk transfer letting the windows paint is not to be re-entered.
    if (QtMessagePump::PaintingOnly()) return ScheduleSpeakerPaint();
    form_->ApplySpeakerSwitches();
    speakers_->Repaint();
  });
}

void CQ5View::FlashMainWindow() {
  // The caption cannot be flashed on every desktop, so the form's frame lights up instead.
  QApplication::alert(window(), kFlashMs);
  flashing_ = true;
  repaint();
  QThread::msleep(kFlashMs);
  flashing_ = false;
  repaint();
}

void CQ5View::ReleaseCaptureAndCursor() {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
}

void CQ5View::FitFrame() {
  QWidget* frame = window();
  if (frame == this || frame->isMaximized() || frame->isFullScreen()) return;
  QSize size = frame->sizeHint();
  if (const QScreen* screen = frame->screen()) {
    // The title bar and border come on top of the frame's size; until the window manager has
    // drawn them, room for a title bar is kept. What does not fit scrolls inside the frame.
    constexpr QSize kDecorationAllowance{16, 40};
    QSize decoration = frame->frameGeometry().size() - frame->size();
    if (decoration.height() <= 0) decoration = kDecorationAllowance;
    size = size.boundedTo(screen->availableGeometry().size() - decoration);
  }
  frame->resize(size);
}

void CQ5View::ShowStatusMessage(const std::string& text) {
  // It stays until the next status message: a note that went while the user looked away
  // would leave them wondering whether the store happened.
  if (auto* frame = qobject_cast<QMainWindow*>(window()))
    frame->statusBar()->showMessage(QString::fromStdString(text));
}

void CQ5View::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!flashing_) return;
  QPainter p(this);
  p.setPen(QPen(QColor(255, 178, 30), 6));
  p.setBrush(Qt::NoBrush);
  p.drawRect(rect().adjusted(3, 3, -3, -3));
}
