#include "form/setup_form.h"

#include <algorithm>
#include <span>

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/progress.h"
#include "crossover/crossover_codes.h"
#include "crossover/crossover_update.h"
#include "document/document_session.h"
#include "document/text_export.h"
#include "eq/equalizer_settings.h"
#include "form/form_texts.h"
#include "link/channel_codes.h"
#include "link/connect_sequence.h"
#include "link/device_link.h"
#include "link/full_upload.h"
#include "link/serial_port.h"
#include "measure/speaker_layout.h"

namespace {

constexpr int kAllBands = 33;
constexpr int kGraphicGroupBands = 32;

constexpr std::array<FunctionWindow, 4> kEditWindows = {FunctionWindow::Parametric, FunctionWindow::Graphic,
                                                        FunctionWindow::Crossover,
                                                        FunctionWindow::TimeCorrection};

bool InRange(int value, int count) { return value >= 0 && value < count; }

}  // namespace

SetupForm::SetupForm(SerialPort& port, Clock& clock, Dialogs& dialogs, Progress& rs232c, Progress& parameter,
                     Timers& timers, FormView& view, FunctionWindows& windows, DocumentSession& session)
    : port_(port),
      clock_(clock),
      dialogs_(dialogs),
      rs232c_(rs232c),
      parameter_(parameter),
      timers_(timers),
      view_(view),
      windows_(windows),
      session_(session),
      work_(session.document),
      appliedSwitches_(session.document.speakerSwitch) {
  printLevels_.fill(kPrintLevelStart);
  recorder_.onStep = [this] { session_.SetHistoryModified(true); };
}

SetupDocument& SetupForm::Doc() { return session_.document; }

ModeBytes SetupForm::Mode() const { return ModeBytes{AeqModeByte(), work_.subWooferMode}; }

void SetupForm::SetAppliedPeakBoost(int boost) {
  work_.appliedPeakBoost = boost;
  Doc().appliedPeakBoost = boost;
}

void SetupForm::Flash() {
  for (int i = 0; i < kFlashCount; ++i) view_.FlashMainWindow();
}

// ---------------------------------------------------------------- life cycle

void SetupForm::InitialUpdate() {
  // The history starts again with the setup as it now stands.
  recorder_.Reset(Doc(), switches_);
  if (!welcomeShown_) {
    welcomeShown_ = true;
    // A profile entered at the very start is an edit like any other: a step, offered for saving.
    if (dialogs_.ShowWelcomeScreen() == Dialogs::WelcomeChoice::CustomerRegistration) ProfileData();
    if (!port_.IsOpen()) {
      // A port that cannot be opened now stays off the menu until the program ends.
      for (int i = 0; i < kPortCount; ++i) link_.portAvailable[i] = port_.ProbePort(kPortNames[i]);
    }
  }
  view_.FitFrame();
  session_.SetModified(false);
  if (Doc().viewSynchronized != 0) return;

  printLevels_.fill(kPrintLevelStart);
  timers_.Start(kStatusTimer, kStatusIntervalMs);
  timers_.Start(kPortTextTimer, kPortTextIntervalMs);
  statusText_ = link_.portOpen ? kPortOpenText : kPortCloseText;

  work_ = Doc();
  for (int w = 0; w < kFunctionWindowCount; ++w) windows_.Load(static_cast<FunctionWindow>(w), work_);
  windows_.SetPresence(PresenceFromSwitches(work_.speakerSwitch));

  // The switches as they stand, applied to the new data (sent when connected).
  if (switches_[Slot(FunctionSwitch::Parametric)]) ParametricSwitch(true);
  if (switches_[Slot(FunctionSwitch::Graphic)]) GraphicSwitch(true);
  if (switches_[Slot(FunctionSwitch::Divider)]) DividerSwitch(true);
  if (switches_[Slot(FunctionSwitch::TimeCorrection)]) TimeCorrectionSwitch(true);
  for (FunctionWindow w : kEditWindows) {
    if (windows_.IsOpen(w)) windows_.Refresh(w);
  }

  if (Doc().aeqParametersSaved == 1) {
    aeqActive_ = Doc().aeqActive;
    aeqMode_ = Doc().aeqMode;
    aeqSavedToggle_ = false;
    if (link_.portOpen) {
      aeqSwitch_ = true;
      aeqSavedToggle_ = true;
      Doc().aeqParametersSaved = 1;
      SetAeqSwitch(true);
    }
  }
  Doc().viewSynchronized = 1;
  view_.Refresh();
}

void SetupForm::Close() {
  Disconnect();
  for (int id : {kStatusTimer, kAnalyzerTimer, kDeferredStatusTimer, kPortTextTimer}) timers_.Stop(id);
  dialogs_.ShowFinishScreen(Doc().profile.country == static_cast<int>(Country::USA));
}

// ---------------------------------------------------------------- busy rule

SetupForm::Gate SetupForm::Check(PendingCode code, int arg1, int arg2) {
  if (!link_.portOpen) return Gate::Offline;
  if (!link_.linkBusy) return Gate::Go;
  if (link_.analyzerCycle) {
    // A remembered disconnect is never displaced: once it is replayed nothing is to be sent,
    // and losing it would leave the port open behind windows that show offline.
    if (!link_.pending.valid || link_.pending.code != PendingCode::Disconnect) {
      // A crossover change that displaces another one of a different kind or group would be
      // lost to the processor while the window shows it: both go out as one whole update.
      const PendingOperation& earlier = link_.pending;
      if (code == PendingCode::CrossoverSend && earlier.valid && earlier.code == code &&
          (earlier.arg1 != arg1 || earlier.arg2 != arg2)) {
        arg1 = static_cast<int>(CrossoverUpdate::All);
      }
      link_.pending = PendingOperation{code, arg1, arg2, true};
    }
  } else {
    Flash();
  }
  return Gate::Busy;
}

void SetupForm::SetLinkBusy(bool busy) {
  if (busy) {
    link_.linkBusy = true;
  } else {
    EndBusy();
  }
}

void SetupForm::EndBusy() {
  link_.linkBusy = false;
  if (!link_.pending.valid) return;
  // A remembered disconnect must not wait for an analyzer tick that may never come, and
  // without the analyzer no tick comes for any other request either.
  if (link_.pending.code == PendingCode::Disconnect || !analyzerOpen_) ReplayPending();
}

void SetupForm::ReplayPending() {
  const PendingOperation op = link_.pending;
  link_.pending = PendingOperation{};
  if (op.valid) Replay(op);
}

void SetupForm::Replay(const PendingOperation& op) {
  switch (op.code) {
    case PendingCode::PeqSend:
      SendParametric(op.arg1);
      break;
    case PendingCode::GeqSend:
      SendGraphic(op.arg1);
      break;
    case PendingCode::CrossoverSend:
      SendCrossover(op.arg1);
      break;
    case PendingCode::TcrSend:
      SendTimeCorrection(op.arg1);
      break;
    case PendingCode::PeqReset:
      SendParametricReset(op.arg1);
      break;
    case PendingCode::PeqSwitch:
      SetFunctionSwitch(FunctionSwitch::Parametric, op.arg1 != 0);
      break;
    case PendingCode::GeqSwitch:
      SetFunctionSwitch(FunctionSwitch::Graphic, op.arg1 != 0);
      break;
    case PendingCode::DividerSwitch:
      SetFunctionSwitch(FunctionSwitch::Divider, op.arg1 != 0);
      break;
    case PendingCode::TcrSwitch:
      SetFunctionSwitch(FunctionSwitch::TimeCorrection, op.arg1 != 0);
      break;
    case PendingCode::Mono:
      SetSubWooferMode(1);
      break;
    case PendingCode::Stereo:
      SetSubWooferMode(0);
      break;
    case PendingCode::Disconnect:
      Disconnect();
      break;
  }
}

template <typename Sequence>
bool SetupForm::Transfer(Sequence&& sequence) {
  link_.linkBusy = true;
  DeviceLink link(port_, clock_);
  link.noPump = 1;
  const TransferResult result = sequence(link);
  if (!result.ok) {
    TransferFailed(result.value);
    return false;
  }
  EndBusy();
  return true;
}

void SetupForm::OpenParameterWindow(const char* text) {
  parameter_.Open();
  parameter_.SetRange(0, kParameterProgressEnd);
  parameter_.SetText(0, text);
}

template <typename Sequence>
bool SetupForm::ParameterTransfer(const char* text, Sequence&& sequence) {
  return Transfer([&](DeviceLink& link) {
    OpenParameterWindow(text);
    const TransferResult result = sequence(link);
    if (result.ok) parameter_.Close();
    return result;
  });
}

// ---------------------------------------------------------------- status and recovery

int SetupForm::StatusCheck() {
  const int status = ConnectSequence(port_, clock_, dialogs_, rs232c_).StatusCheck();
  if (status == 0) {
    link_.portOpen = false;
    port_.ClosePort();
    // As after a failed frame: a spectrum window left open would stay dead, and its button
    // would not open it again after the next connect.
    CloseAnalyzer();
  } else if (status == DeviceLink::kStatusSettingError) {
    tcrMeasuring_ = false;
  }
  return status;
}

void SetupForm::RunStatusCheck() {
  link_.linkBusy = true;
  StatusCheck();
  EndBusy();
  view_.Refresh();
}

void SetupForm::TransferFailed(int value) {
  link_.portOpen = false;
  link_.linkBusy = false;
  link_.pending = PendingOperation{};
  if (port_.IsOpen()) port_.ClosePort();
  view_.ReleaseCaptureAndCursor();
  if (parameter_.IsOpen()) parameter_.Close();
  runs_->CloseTcrStart();
  CloseAnalyzer();
  SetOpenWindowsOffline(true);
  dialogs_.ShowFailure(ChecksumErrorText(value), port_.FailureNote());
  aeqActive_ = 0;
  work_.aeqActive = 0;
  Doc().aeqActive = 0;
  aeqSwitch_ = false;
  view_.Refresh();
}

// ---------------------------------------------------------------- connect and disconnect

void SetupForm::Connect(int portIndex) {
  if (link_.linkBusy || !InRange(portIndex, kPortCount) || !link_.portAvailable[portIndex]) return;
  link_.linkBusy = true;
  // Opening replaces any port already open: from here the form is offline until the new
  // connection has answered, whatever way this one ends.
  link_.portOpen = false;
  ConnectSequence sequence(port_, clock_, dialogs_, rs232c_);
  const ConnectResult opened = sequence.Open(
      kPortNames[portIndex], switches_[Slot(FunctionSwitch::Parametric)], AeqModeByte(), work_.subWooferMode);
  if (opened != ConnectResult::Connected && opened != ConnectResult::SettingError) {
    EndBusy();
    view_.Refresh();
    return;
  }
  link_.portOpen = true;

  // The upload's copy is taken now, so that edits made while the status was awaited go too.
  UploadSetup upload = UploadSetup::FromDocument(work_);
  upload.peqOn = switches_[Slot(FunctionSwitch::Parametric)];
  upload.geqOn = switches_[Slot(FunctionSwitch::Graphic)];
  upload.dividerOn = switches_[Slot(FunctionSwitch::Divider)];
  upload.tcrOn = switches_[Slot(FunctionSwitch::TimeCorrection)];
  upload.peqSide = selections_[Slot(FunctionWindow::Parametric)].side;
  upload.geqSide = selections_[Slot(FunctionWindow::Graphic)].side;
  upload.dividerSide = selections_[Slot(FunctionWindow::Crossover)].side;
  upload.levelCode = EqLevelCode(peakBase_, upload.peqOn ? work_.peqPeakBoost : work_.geqPeakBoost);
  // A speaker level the processor did not take shows up at the next status check.
  if (sequence.Upload(upload, upload.dividerSide, false) == ConnectResult::UploadFailed) {
    link_.portOpen = false;
    EndBusy();
    view_.Refresh();
    return;
  }
  appliedSwitches_ = work_.speakerSwitch;
  KeepSnapshot(SnapshotTrigger::Connect());
  SetStatusText(link_.portOpen ? kPortOpenText : kPortCloseText);
  EndBusy();
  view_.Refresh();
}

void SetupForm::Disconnect() {
  if (link_.linkBusy) {
    link_.pending = PendingOperation{PendingCode::Disconnect, 0, 0, true};
  } else if (link_.portOpen) {
    CloseAnalyzer();
    link_.linkBusy = true;
    ConnectSequence(port_, clock_, dialogs_, rs232c_).Disconnect(work_.subWooferMode);
    link_.portOpen = false;
    aeqSwitch_ = false;
    // Nothing remembered can be sent any more.
    link_.pending = PendingOperation{};
    link_.linkBusy = false;
  } else if (port_.IsOpen()) {
    port_.ClosePort();
  }
  SetOpenWindowsOffline(true);
  view_.Refresh();
}

// ---------------------------------------------------------------- timers

void SetupForm::OnTimer(int id) {
  switch (id) {
    case kStatusTimer:
      if (!link_.portOpen) return;
      if (!link_.linkBusy) {
        RunStatusCheck();
      } else if (runs_->AeqStartWaiting()) {
        // The start dialog holds the link for as long as it is open; keep the processor awake.
        // Its request to run may arrive while the query waits on the line: it runs afterwards.
        keepAliveRunning_ = true;
        StatusCheck();
        keepAliveRunning_ = false;
        if (aeqRunDeferred_) {
          aeqRunDeferred_ = false;
          RecordedRun(kAutoEqStepText, [this] { runs_->AeqRun(); });
          view_.Refresh();
        }
      } else {
        timers_.Start(kDeferredStatusTimer, kDeferredStatusIntervalMs);
      }
      return;
    case kDeferredStatusTimer:
      if (!link_.portOpen) {
        timers_.Stop(kDeferredStatusTimer);
      } else if (!link_.linkBusy) {
        timers_.Stop(kDeferredStatusTimer);
        RunStatusCheck();
      }
      return;
    case kAnalyzerTimer:
      AnalyzerTick();
      return;
    case kPortTextTimer:
      SetStatusText(link_.portOpen ? kPortOpenText : kPortCloseText);
      return;
    default:
      return;
  }
}

void SetupForm::SetStatusText(const char* text) {
  if (statusText_ == text) return;
  statusText_ = text;
  SetOpenWindowsOffline(!link_.portOpen);
  view_.Refresh();
}

void SetupForm::AnalyzerTick() {
  if (!link_.analyzerCycle || link_.pending.valid) {
    if (!link_.pending.valid) return;
    if (!link_.linkBusy) {
      ReplayPending();
    } else if (link_.pending.code != PendingCode::Disconnect) {
      // A tick that cannot replay the request drops it, so that a click made while a long
      // sequence holds the link is not sent minutes later; the flash says it was not sent.
      // A remembered disconnect stays: the windows already show the form offline.
      link_.pending = PendingOperation{};
      Flash();
    }
    return;
  }
  if (link_.linkBusy || !link_.portOpen) return;
  ReadLevels();
}

void SetupForm::ReadLevels() {
  analyzer_.CopyFrozenLevels(printLevels_);
  if (analyzer_.dataReady == 1) return;
  link_.linkBusy = true;
  // Pumping on: the windows stay alive while the levels come in, and their requests wait.
  DeviceLink link(port_, clock_);
  for (int band = 0; band < kSpectrumBandCount; ++band) {
    if (link_.pending.valid) {
      link_.linkBusy = false;
      ReplayPending();
      return;
    }
    if (!link_.analyzerCycle || analyzer_.frozen == 1) {
      // Closed, paused by a drag or frozen by "Stop" meanwhile: the rest of the reading would
      // only change levels nobody looks at, or the frozen ones.
      EndBusy();
      return;
    }
    if (analyzer_.skipped[static_cast<std::size_t>(band)]) continue;
    std::uint8_t value = 0;
    if (!link.ReadResult(0, band, value)) {
      TransferFailed(band);
      return;
    }
    analyzer_.StoreReading(band, value);
  }
  analyzer_.Publish();
  if (link_.pending.valid) {
    link_.linkBusy = false;
    ReplayPending();
    return;
  }
  EndBusy();
}

// ---------------------------------------------------------------- speakers

void SetupForm::PressSpeaker(OutputChannel channel) {
  const int c = Index(channel);
  if (!InRange(c, kOutputCount)) return;
  const std::int32_t on = Doc().speakerSwitch[c] != 0 ? 0 : 1;
  Doc().speakerSwitch[c] = on;
  work_.speakerSwitch[c] = on;
  // A press met by a running transfer is undone when the picture next paints: no step.
  if (!link_.linkBusy) Record();
  view_.Refresh();
}

void SetupForm::ApplySpeakerSwitches() {
  SetupDocument& doc = Doc();
  for (int c = 0; c < kOutputCount; ++c) {
    if (doc.speakerSwitch[c] == appliedSwitches_[c]) continue;
    if (link_.linkBusy) {
      // No second transfer: the press is undone.
      doc.speakerSwitch[c] = appliedSwitches_[c];
      work_.speakerSwitch[c] = appliedSwitches_[c];
      continue;
    }
    // Applied before sending, so that a paint delivered during the send sees it done.
    appliedSwitches_[c] = doc.speakerSwitch[c];
    work_.speakerSwitch[c] = doc.speakerSwitch[c];
    if (!link_.portOpen) continue;
    const auto channel = static_cast<OutputChannel>(c);
    link_.linkBusy = true;
    DeviceLink link(port_, clock_);
    link.SetChannelLevel(SpeakerGroupOf(channel), SideOf(channel),
                         SpeakerLevelCode(channel, work_.speakerSwitch, work_.crossover,
                                          selections_[Slot(FunctionWindow::Crossover)].side));
    EndBusy();
  }
  work_.speakerSwitch = doc.speakerSwitch;
  windows_.SetPresence(PresenceFromSwitches(doc.speakerSwitch));
  Record();
}

bool SetupForm::SpeakerOn(OutputChannel channel) const {
  const int c = Index(channel);
  return InRange(c, kOutputCount) && session_.document.speakerSwitch[c] != 0;
}

// ---------------------------------------------------------------- function switches

void SetupForm::SetFunctionSwitch(FunctionSwitch which, bool on) {
  static constexpr std::array<PendingCode, kFunctionSwitchCount> kCodes = {
      PendingCode::PeqSwitch, PendingCode::GeqSwitch, PendingCode::DividerSwitch, PendingCode::TcrSwitch};
  if (!InRange(static_cast<int>(which), kFunctionSwitchCount)) return;
  if (link_.portOpen && link_.linkBusy) {
    // The switch keeps its state: nothing was switched in the processor.
    Check(kCodes[Slot(which)], on ? 1 : 0);
    view_.Refresh();
    return;
  }
  switch (which) {
    case FunctionSwitch::Parametric:
      ParametricSwitch(on);
      break;
    case FunctionSwitch::Graphic:
      GraphicSwitch(on);
      break;
    case FunctionSwitch::Divider:
      DividerSwitch(on);
      break;
    case FunctionSwitch::TimeCorrection:
      TimeCorrectionSwitch(on);
      break;
  }
  Record();
  view_.Refresh();
}

void SetupForm::SetFunctionSwitchState(FunctionSwitch which, bool on) {
  if (InRange(static_cast<int>(which), kFunctionSwitchCount)) switches_[Slot(which)] = on;
  Record();
  view_.Refresh();
}

template <typename SendOn, typename SendOff>
void SetupForm::EqualizerSwitch(bool on, const EqualizerSwitchPlan& plan, SendOn&& sendOn,
                                SendOff&& sendOff) {
  const Gate gate = Check(plan.pending, on ? 1 : 0);
  if (gate == Gate::Busy) return;
  switches_[Slot(plan.own)] = on;
  if (on) {
    switches_[Slot(plan.other)] = false;
    CloseWindow(plan.otherWindow);
    SetAppliedPeakBoost(plan.peakBoost);
    if (gate != Gate::Go) return;
    const int side = selections_[Slot(plan.ownWindow)].side;
    ParameterTransfer(plan.onText, [&](DeviceLink& link) { return sendOn(link, side); });
  } else {
    SetAppliedPeakBoost(0);
    if (gate != Gate::Go) return;
    ParameterTransfer(plan.offText, [&](DeviceLink& link) { return sendOff(link); });
  }
}

void SetupForm::ParametricSwitch(bool on) {
  const EqualizerSwitchPlan plan{PendingCode::PeqSwitch,
                                 FunctionSwitch::Parametric,
                                 FunctionSwitch::Graphic,
                                 FunctionWindow::Parametric,
                                 FunctionWindow::Graphic,
                                 work_.peqPeakBoost,
                                 kPeqLoadText,
                                 kPeqInitializeText};
  EqualizerSwitch(
      on, plan,
      [&](DeviceLink& link, int side) {
        return TransferSequences::PeqOn(link, work_.peqBands, side, Mode(), ActiveLevelCode(), parameter_);
      },
      [&](DeviceLink& link) { return TransferSequences::PeqOff(link, Mode(), peakBase_, parameter_); });
}

void SetupForm::GraphicSwitch(bool on) {
  const EqualizerSwitchPlan plan{PendingCode::GeqSwitch,
                                 FunctionSwitch::Graphic,
                                 FunctionSwitch::Parametric,
                                 FunctionWindow::Graphic,
                                 FunctionWindow::Parametric,
                                 work_.geqPeakBoost,
                                 kGeqLoadText,
                                 kGeqInitializeText};
  EqualizerSwitch(
      on, plan,
      [&](DeviceLink& link, int side) {
        return TransferSequences::GeqOn(link, work_.geqBands, side, Mode(), ActiveLevelCode(), parameter_);
      },
      [&](DeviceLink& link) { return TransferSequences::GeqOff(link, Mode(), peakBase_, parameter_); });
}

void SetupForm::DividerSwitch(bool on) {
  const Gate gate = Check(PendingCode::DividerSwitch, on ? 1 : 0);
  if (gate == Gate::Busy) return;
  switches_[Slot(FunctionSwitch::Divider)] = on;
  if (!on) CloseWindow(FunctionWindow::Crossover);
  if (gate != Gate::Go) return;
  if (on) {
    const Selection sel = selections_[Slot(FunctionWindow::Crossover)];
    const auto commands =
        CrossoverUpdateCommands(CrossoverUpdate::All, work_.crossover, static_cast<SpeakerGroup>(sel.group),
                                static_cast<CrossoverSet>(sel.side), work_.speakerSwitch);
    ParameterTransfer(kDividerLoadText, [&](DeviceLink& link) {
      return TransferSequences::Crossover(link, commands, &parameter_);
    });
  } else {
    ParameterTransfer(kDividerInitializeText, [&](DeviceLink& link) {
      return TransferSequences::DividerOff(link, work_.speakerSwitch, parameter_);
    });
  }
}

void SetupForm::TimeCorrectionSwitch(bool on) {
  const Gate gate = Check(PendingCode::TcrSwitch, on ? 1 : 0);
  if (gate == Gate::Busy) return;
  switches_[Slot(FunctionSwitch::TimeCorrection)] = on;
  if (gate != Gate::Go) return;
  if (on) {
    ParameterTransfer(kTcrLoadText, [&](DeviceLink& link) {
      return TransferSequences::TcrOn(link, work_.channelDelay, work_.channelPhase, parameter_);
    });
  } else {
    ParameterTransfer(kTcrInitializeText,
                      [&](DeviceLink& link) { return TransferSequences::TcrOff(link, parameter_); });
  }
}

// ---------------------------------------------------------------- the AEQ switch

void SetupForm::SetAeqSwitch(bool on) {
  if (!link_.portOpen) {
    dialogs_.ShowMessage(kPortNotConnectText);
    aeqSwitch_ = false;
    view_.Refresh();
    return;
  }
  if (link_.linkBusy) {
    Flash();
    view_.Refresh();
    return;
  }
  link_.linkBusy = true;
  DeviceLink link(port_, clock_);
  link.noPump = 1;
  windows_.SetBandLockMode(static_cast<int>(BandLockModeFor(on, aeqMode_)));
  aeqSwitch_ = on;
  aeqActive_ = on ? 1 : 0;
  work_.aeqActive = aeqActive_;
  Doc().aeqActive = aeqActive_;
  if (on ? SendAeqOn(link) : SendAeqOff(link)) EndBusy();
  view_.Refresh();
}

// False when the sequence has already ended the busy state itself.
bool SetupForm::SendAeqOn(DeviceLink& link) {
  if (measuredSinceStart_) {
    aeqApplied_ = true;
    Dialogs::AeqParameterSource source = Dialogs::AeqParameterSource::None;
    if (StatusCheck() != 0) source = dialogs_.SelectAeqParameter();
    if (source == Dialogs::AeqParameterSource::None) {
      aeqSwitch_ = false;
      aeqApplied_ = false;
      windows_.SetBandLockMode(static_cast<int>(BandLockMode::None));
      aeqActive_ = 0;
      work_.aeqActive = 0;
      Doc().aeqActive = 0;
      EndBusy();
      return false;
    }
    if (source == Dialogs::AeqParameterSource::Pc) {
      OpenParameterWindow(kAeqParameterLoadText);
      if (const TransferResult r =
              TransferSequences::AeqParametersWrite(link, work_.aeqParameters, parameter_);
          !r.ok) {
        TransferFailed(r.value);
        return false;
      }
      parameter_.Close();
    }
  }
  if (!link.SetOperatingMode(true, switches_[Slot(FunctionSwitch::Parametric)] ? 1 : 0, aeqMode_,
                             work_.subWooferMode)) {
    TransferFailed(kAeqOnModeFailedValue);
    return false;
  }
  return true;
}

bool SetupForm::SendAeqOff(DeviceLink& link) {
  aeqApplied_ = false;
  if (StatusCheck() == 0) {
    EndBusy();
    return false;
  }
  const bool save = dialogs_.ConfirmAeqParameterSave([this] {
    // A dead line has been reported once; the question stays open without asking again.
    if (link_.portOpen) StatusCheck();
  });
  if (!save) SetAeqParametersSaved(false);
  if (!link_.portOpen) {
    // The keep-alive found the line dead and has said so; nothing more can be sent.
    EndBusy();
    return false;
  }
  if (save) {
    OpenParameterWindow(kAeqParameterUploadText);
    std::array<std::int32_t, kAeqWordCount> words{};
    if (const TransferResult r = TransferSequences::AeqParametersRead(link, words, parameter_); !r.ok) {
      TransferFailed(r.value);
      return false;
    }
    parameter_.Close();
    StoreAeqParameters(words);
    // Only a complete copy counts as saved: a read that broke off leaves the flag as it was.
    SetAeqParametersSaved(true);
  }
  if (!link.SetOperatingMode(true, switches_[Slot(FunctionSwitch::Parametric)] ? 1 : 0, kAeqModeNone,
                             work_.subWooferMode)) {
    TransferFailed(kAeqOffModeFailedValue);
    return false;
  }
  return true;
}

// ---------------------------------------------------------------- sub-woofer mode

void SetupForm::SetSubWooferMode(int mode) {
  const int m = mode != 0 ? 1 : 0;
  work_.subWooferMode = m;
  Doc().subWooferMode = m;
  Record();
  if (Check(m == 1 ? PendingCode::Mono : PendingCode::Stereo) != Gate::Go) {
    view_.Refresh();
    return;
  }
  link_.linkBusy = true;
  DeviceLink link(port_, clock_);
  const bool eqSelect =
      switches_[Slot(FunctionSwitch::Parametric)] || windows_.IsOpen(FunctionWindow::Graphic);
  if (link.SetOperatingMode(true, eqSelect ? 1 : 0, AeqModeByte(), m)) {
    StatusCheck();
  } else {
    // The port is closed; a status query would only wait out its retries and report twice.
    dialogs_.ShowFailure(kNotSwSetText, port_.FailureNote());
    link_.portOpen = false;
  }
  EndBusy();
  view_.Refresh();
}

// ---------------------------------------------------------------- edits from outside the windows

bool SetupForm::ApplyEdit(const SetupEdit& edit, const char* stepText) {
  if (LinkHeld()) {
    view_.ShowStatusMessage(kEditBusyNote);
    return false;
  }
  const bool on = switches_[Slot(edit.Function())];
  const SetupDocument before = work_;
  edit.ApplyTo(work_, on);
  edit.ApplyTo(Doc(), on);
  Record(stepText);
  const FunctionWindow window = WindowOf(edit.Function());
  if (windows_.IsOpen(window)) {
    windows_.Load(window, work_);
    windows_.Refresh(window);
  }
  if (link_.portOpen && on) {
    Transfer([&](DeviceLink& link) { return edit.Send(link, before, work_, ActiveLevelCode()); });
  }
  view_.Refresh();
  return true;
}

// ---------------------------------------------------------------- undo and redo

void SetupForm::Record(const char* text) {
  if (restoring_) return;
  const char* name = text != nullptr ? text : runText_;
  recorder_.Record(Doc(), switches_, name != nullptr ? name : "");
}

template <typename Run>
void SetupForm::RecordedRun(const char* text, Run&& run) {
  recorder_.BeginGroup();
  runText_ = text;
  run();
  runText_ = nullptr;
  recorder_.EndGroup();
}

std::string SetupForm::StepBlocked() const { return LinkHeld() ? kStepBusyNote : ""; }

void SetupForm::RestoreStep(SetupParts parts, const SetupDocument& values, const FunctionSwitches& switches) {
  restoring_ = true;
  const SetupDocument from = work_;
  CopyParts(parts, values, work_);
  CopyParts(parts, values, Doc());
  // The processor's EQ level follows the peak boost of the equalizer in use.
  if (Has(parts, SetupPart::Parametric) && switches_[Slot(FunctionSwitch::Parametric)])
    SetAppliedPeakBoost(work_.peqPeakBoost);
  if (Has(parts, SetupPart::Graphic) && switches_[Slot(FunctionSwitch::Graphic)])
    SetAppliedPeakBoost(work_.geqPeakBoost);
  for (int w = 0; w < kFunctionWindowCount; ++w) {
    const auto window = static_cast<FunctionWindow>(w);
    windows_.Load(window, work_);
    if (windows_.IsOpen(window)) windows_.Refresh(window);
  }
  const std::vector<StepSend> sends = StepSends(parts, from, work_);
  if (link_.portOpen && !sends.empty()) {
    Transfer([&](DeviceLink& link) {
      return TransferSequences::StepFrames(link, sends, work_, switches_, ActiveLevelCode());
    });
  }
  // Speaker levels and the sub-woofer mode go by their own operations; then the switches, a
  // switch turned on loading its function's values as they now stand.
  ApplySpeakerSwitches();
  if (Has(parts, SetupPart::SubWooferMode) && from.subWooferMode != work_.subWooferMode)
    SetSubWooferMode(work_.subWooferMode);
  for (bool on : {true, false}) {
    for (int w = 0; w < kFunctionSwitchCount; ++w) {
      const auto which = static_cast<FunctionSwitch>(w);
      if (switches[Slot(which)] == on && switches_[Slot(which)] != on) SetFunctionSwitch(which, on);
    }
  }
  recorder_.Follow(Doc(), switches_);
  restoring_ = false;
  view_.Refresh();
}

// ---------------------------------------------------------------- window requests

void SetupForm::HandleRequest(const FormRequest& request) {
  switch (request.message) {
    case FormMessage::PeqSend:
      TakeBack(FunctionWindow::Parametric, SetupPart::Parametric, kEqGroupCount);
      if (!DragBegins(request.wParam)) SendParametric(request.lParam);
      break;
    case FormMessage::PeqClose:
      TakeBack(FunctionWindow::Parametric, SetupPart::Parametric, kEqGroupCount);
      CloseWindow(FunctionWindow::Parametric);
      break;
    case FormMessage::PeqReset:
      if (TakeBackParametricGroup(request.wParam)) SendParametricReset(request.wParam);
      break;
    case FormMessage::GeqSend:
      TakeBack(FunctionWindow::Graphic, SetupPart::Graphic, kEqGroupCount);
      if (!DragBegins(request.wParam)) SendGraphic(request.lParam);
      break;
    case FormMessage::GeqClose:
      TakeBack(FunctionWindow::Graphic, SetupPart::Graphic, kEqGroupCount);
      CloseWindow(FunctionWindow::Graphic);
      break;
    case FormMessage::GeqReset:
      if (TakeBackGraphicGroup(request.wParam)) SendGraphicReset(request.wParam);
      break;
    case FormMessage::CrossoverSend:
      TakeBack(FunctionWindow::Crossover, SetupPart::Crossover, kSpeakerGroupCount);
      if (!DragBegins(request.wParam)) SendCrossover(request.lParam);
      break;
    case FormMessage::CrossoverClose:
    case FormMessage::CrossoverCancel:
      TakeBack(FunctionWindow::Crossover, SetupPart::Crossover, kSpeakerGroupCount);
      CloseWindow(FunctionWindow::Crossover);
      break;
    case FormMessage::TcrSend:
      TakeBack(FunctionWindow::TimeCorrection, SetupPart::TimeCorrection, kOutputCount);
      SendTimeCorrection(request.lParam);
      break;
    case FormMessage::TcrClose:
    case FormMessage::TcrCancel:
      TakeBack(FunctionWindow::TimeCorrection, SetupPart::TimeCorrection, kOutputCount);
      CloseWindow(FunctionWindow::TimeCorrection);
      break;
    case FormMessage::SpectrumClose:
      CloseAnalyzer();
      // No tick will come to replay what the analyzer's cycle remembered.
      if (link_.pending.valid && !link_.linkBusy) ReplayPending();
      break;
    case FormMessage::AeqFinish:
      if (keepAliveRunning_) {
        aeqRunDeferred_ = true;
      } else {
        RecordedRun(kAutoEqStepText, [this] { runs_->AeqRun(); });
      }
      break;
  }
  view_.Refresh();
}

bool SetupForm::DragBegins(int sendFlag) {
  if (sendFlag == 0) {
    if (link_.analyzerCycle) {
      link_.analyzerCycle = false;
      link_.analyzerSuspended = true;
    }
    return true;
  }
  if (link_.analyzerSuspended) {
    link_.analyzerSuspended = false;
    link_.analyzerCycle = true;
  }
  return false;
}

void SetupForm::TakeSelection(FunctionWindow window, int groupCount) {
  Selection sel;
  sel.group = std::clamp(windows_.SelectedGroup(window), 0, groupCount - 1);
  sel.side = std::clamp(windows_.SelectedSide(window), 0, kEqSideCount - 1);
  selections_[Slot(window)] = sel;
  currentGroup_ = sel.group;
  currentSide_ = sel.side;
  Record();
}

void SetupForm::TakeBack(FunctionWindow window, SetupPart part, int groupCount) {
  const SetupDocument& data = windows_.Data(window);
  CopyParts(static_cast<SetupParts>(part), data, work_);
  CopyParts(static_cast<SetupParts>(part), data, Doc());
  // The processor's EQ level follows the equalizer whose window handed its data back.
  if (part == SetupPart::Parametric) SetAppliedPeakBoost(work_.peqPeakBoost);
  if (part == SetupPart::Graphic) SetAppliedPeakBoost(work_.geqPeakBoost);
  TakeSelection(window, groupCount);
}

bool SetupForm::TakeBackParametricGroup(int group) {
  if (!InRange(group, kEqGroupCount)) return false;
  const SetupDocument& data = windows_.Data(FunctionWindow::Parametric);
  for (SetupDocument* d : {&work_, &Doc()}) {
    d->peqBands[group] = data.peqBands[group];
    d->peqCurvePeaks[group] = data.peqCurvePeaks[group];
  }
  TakeSelection(FunctionWindow::Parametric, kEqGroupCount);
  return true;
}

bool SetupForm::TakeBackGraphicGroup(int group) {
  if (!InRange(group, kEqGroupCount)) return false;
  const SetupDocument& data = windows_.Data(FunctionWindow::Graphic);
  for (SetupDocument* d : {&work_, &Doc()}) {
    for (int s = 0; s < kEqSideCount; ++s) {
      for (int b = 0; b < kGeqBandCount; ++b) d->geqBands[group][s][b].gain = data.geqBands[group][s][b].gain;
    }
    d->geqCurvePeaks[group] = data.geqCurvePeaks[group];
  }
  TakeSelection(FunctionWindow::Graphic, kEqGroupCount);
  return true;
}

void SetupForm::SendParametric(int band) {
  if (!InRange(band, kPeqBandCount) && band != kAllBands) return;
  if (Check(PendingCode::PeqSend, band) != Gate::Go) return;
  const Selection sel = selections_[Slot(FunctionWindow::Parametric)];
  Transfer([&](DeviceLink& link) {
    if (band == kAllBands)
      return TransferSequences::PeqAll(link, work_.peqBands, sel.side, ActiveLevelCode());
    return TransferSequences::PeqBand(link, work_.peqBands, static_cast<EqGroup>(sel.group), sel.side, band,
                                      ActiveLevelCode());
  });
}

void SetupForm::SendParametricReset(int group) {
  if (!InRange(group, kEqGroupCount)) return;
  if (Check(PendingCode::PeqReset, group) != Gate::Go) return;
  const int side = selections_[Slot(FunctionWindow::Parametric)].side;
  Transfer([&](DeviceLink& link) {
    return TransferSequences::PeqFlat(link, static_cast<EqGroup>(group), side, ActiveLevelCode());
  });
}

void SetupForm::SendGraphic(int band) {
  if (!InRange(band, kGeqBandCount) && band != kGraphicGroupBands && band != kAllBands) return;
  if (Check(PendingCode::GeqSend, band) != Gate::Go) return;
  const Selection sel = selections_[Slot(FunctionWindow::Graphic)];
  const auto group = static_cast<EqGroup>(sel.group);
  Transfer([&](DeviceLink& link) {
    if (band == kAllBands)
      return TransferSequences::GeqAll(link, work_.geqBands, sel.side, ActiveLevelCode());
    if (band == kGraphicGroupBands) {
      return TransferSequences::GeqGroup(link, work_.geqBands, group, sel.side, ActiveLevelCode());
    }
    return TransferSequences::GeqBand(link, work_.geqBands, group, sel.side, band, ActiveLevelCode());
  });
}

void SetupForm::SendGraphicReset(int group) {
  // The reset is sent, not posted: it is dropped quietly when the link is busy.
  if (!InRange(group, kEqGroupCount) || !link_.portOpen || link_.linkBusy) return;
  const int side = selections_[Slot(FunctionWindow::Graphic)].side;
  Transfer([&](DeviceLink& link) {
    return TransferSequences::GeqFlat(link, static_cast<EqGroup>(group), side, ActiveLevelCode());
  });
}

void SetupForm::SendCrossover(int kind) {
  if (kind != static_cast<int>(CrossoverUpdate::Level) && kind != static_cast<int>(CrossoverUpdate::Filter) &&
      kind != static_cast<int>(CrossoverUpdate::All)) {
    return;
  }
  const Selection sel = selections_[Slot(FunctionWindow::Crossover)];
  if (Check(PendingCode::CrossoverSend, kind, sel.group * kCrossoverSetCount + sel.side) != Gate::Go) return;
  const auto commands = CrossoverUpdateCommands(static_cast<CrossoverUpdate>(kind), work_.crossover,
                                                static_cast<SpeakerGroup>(sel.group),
                                                static_cast<CrossoverSet>(sel.side), work_.speakerSwitch);
  Transfer([&](DeviceLink& link) { return TransferSequences::Crossover(link, commands); });
}

void SetupForm::SendTimeCorrection(int channel) {
  // The request names its channel; the window's selection stands in for one out of range.
  const int c =
      InRange(channel, kOutputCount) ? channel : selections_[Slot(FunctionWindow::TimeCorrection)].group;
  if (Check(PendingCode::TcrSend, c) != Gate::Go) return;
  Transfer([&](DeviceLink& link) {
    return TransferSequences::TcrChannel(link, work_.channelDelay, work_.channelPhase,
                                         static_cast<OutputChannel>(c));
  });
}

// ---------------------------------------------------------------- buttons

bool SetupForm::FunctionButtonEnabled(FunctionButton button) const {
  if (buttonsLocked_) return false;
  switch (button) {
    case FunctionButton::Parametric:
      return switches_[Slot(FunctionSwitch::Parametric)];
    case FunctionButton::Graphic:
      return switches_[Slot(FunctionSwitch::Graphic)];
    case FunctionButton::Divider:
      return switches_[Slot(FunctionSwitch::Divider)];
    case FunctionButton::TimeCorrection:
      return switches_[Slot(FunctionSwitch::TimeCorrection)];
    default:
      return true;
  }
}

void SetupForm::SetFunctionButtonsLocked(bool locked) {
  buttonsLocked_ = locked;
  view_.Refresh();
}

void SetupForm::PressFunctionButton(FunctionButton button) {
  if (!FunctionButtonEnabled(button)) return;
  switch (button) {
    case FunctionButton::Parametric:
      OpenFunctionWindow(FunctionWindow::Parametric);
      break;
    case FunctionButton::Graphic:
      OpenFunctionWindow(FunctionWindow::Graphic);
      break;
    case FunctionButton::Divider:
      OpenFunctionWindow(FunctionWindow::Crossover);
      break;
    case FunctionButton::TimeCorrection:
      OpenFunctionWindow(FunctionWindow::TimeCorrection);
      break;
    case FunctionButton::Spectrum:
      OpenSpectrum();
      break;
    case FunctionButton::AutoEq:
      OpenAeqStart();
      break;
    case FunctionButton::AutoTimeCorrection:
      StartAutoTimeCorrection();
      break;
    case FunctionButton::Memory: {
      MemoryStore store(*this, port_, clock_, dialogs_, parameter_);
      if (store.Run() == MemoryStoreResult::Stored) {
        const std::string note =
            snapshots_->Keep(SnapshotTrigger::Store(store.Memory()), Doc(), session_.Title());
        view_.ShowStatusMessage(kStoredInMemoryText + std::to_string(store.Memory()) +
                                (note.empty() ? "" : "; " + note));
      }
      break;
    }
  }
  view_.Refresh();
}

void SetupForm::OpenFunctionWindow(FunctionWindow window) {
  if (window == FunctionWindow::Crossover && aeqApplied_) {
    if (link_.portOpen && !link_.linkBusy) RunStatusCheck();
    aeqApplied_ = false;
    if (!dialogs_.ConfirmAeqIncomplete()) return;
  }
  windows_.Load(window, work_);
  if (window == FunctionWindow::Graphic) {
    windows_.SetBandLockMode(static_cast<int>(BandLockModeFor(aeqSwitch_, aeqMode_)));
  }
  if (window == FunctionWindow::Crossover) windows_.SetPresence(PresenceFromSwitches(work_.speakerSwitch));
  windows_.Open(window, !link_.portOpen);
}

void SetupForm::OpenSpectrum() {
  if (!link_.portOpen) {
    dialogs_.ShowMessage(kNoDataPortNotConnectText);
    return;
  }
  if (analyzerOpen_) return;
  analyzer_.Reset();
  timers_.Start(kAnalyzerTimer, kAnalyzerIntervalMs);
  link_.analyzerCycle = true;
  link_.analyzerSuspended = false;
  analyzerOpen_ = true;
  windows_.Open(FunctionWindow::Spectrum, false);
}

void SetupForm::CloseAnalyzer() {
  link_.analyzerCycle = false;
  link_.analyzerSuspended = false;
  if (!analyzerOpen_) return;
  analyzerOpen_ = false;
  // A picture frozen just before the window closes is still the one to print.
  analyzer_.CopyFrozenLevels(printLevels_);
  timers_.Stop(kAnalyzerTimer);
  windows_.Close(FunctionWindow::Spectrum);
}

void SetupForm::StopAnalyzer() { CloseAnalyzer(); }

void SetupForm::SetAnalyzerCycle(bool on) {
  link_.analyzerCycle = on && analyzerOpen_;
  link_.analyzerSuspended = false;
}

void SetupForm::OpenAeqStart() {
  const auto& sw = work_.speakerSwitch;
  if (!FrontSpeakersSet(sw) && !SubWoofersSet(sw)) {
    dialogs_.ShowMessage(kSpeakerNotSetupText);
    return;
  }
  if (!link_.portOpen) {
    dialogs_.ShowMessage(kPortNotConnectText);
    return;
  }
  if (link_.linkBusy) {
    Flash();
    return;
  }
  // The dialog holds the link for as long as it is open.
  link_.linkBusy = true;
  CloseFunctionWindows();
  buttonsLocked_ = true;
  const int status = StatusCheck();
  if (status == 0 || !runs_->OpenAeqStart(sw, status, aeqMode_)) {
    buttonsLocked_ = false;
    EndBusy();
  }
}

void SetupForm::StartAutoTimeCorrection() {
  if (!link_.portOpen) {
    dialogs_.ShowMessage(kPortNotConnectText);
    return;
  }
  if (link_.linkBusy) {
    Flash();
    return;
  }
  RecordedRun(kAutoTcrStepText, [this] { runs_->RunAutoTimeCorrection(); });
}

void SetupForm::PressPrint() {
  if (link_.portOpen) {
    dialogs_.ShowMessage(kPortConnectedText);
    return;
  }
  view_.PrintSpectrum(printLevels_);
}

void SetupForm::CloseWindow(FunctionWindow window) {
  if (windows_.IsOpen(window)) windows_.Close(window);
}

void SetupForm::CloseFunctionWindows() {
  for (FunctionWindow w : kEditWindows) CloseWindow(w);
}

void SetupForm::SetOpenWindowsOffline(bool offline) {
  for (FunctionWindow w : kEditWindows) {
    if (windows_.IsOpen(w)) windows_.SetOffline(w, offline);
  }
}

// ---------------------------------------------------------------- menu

bool SetupForm::PortItemEnabled(int portIndex) const {
  return InRange(portIndex, kPortCount) && link_.portAvailable[portIndex];
}

void SetupForm::ProbePort(int portIndex) {
  if (link_.linkBusy || !InRange(portIndex, kPortCount)) return;
  link_.portAvailable[portIndex] = port_.ProbePort(kPortNames[portIndex]);
}

void SetupForm::DataOut() {
  if (TextExport::Write(work_, Doc().profile, dialogs_)) view_.ShowStatusMessage(TextExport::WrittenNote());
}

void SetupForm::ToggleAeqSave() {
  if (!link_.portOpen) {
    dialogs_.ShowMessage(kPortNotConnectText);
    return;
  }
  SetAeqParametersSaved(!aeqSavedToggle_);
  view_.Refresh();
}

void SetupForm::SetAeqParametersSaved(bool saved) {
  aeqSavedToggle_ = saved;
  const std::int32_t value = saved ? 1 : 0;
  // The mark is stored in the setup file: changing it is an edit to be offered for saving.
  if (Doc().aeqParametersSaved != value) session_.SetModified();
  work_.aeqParametersSaved = value;
  Doc().aeqParametersSaved = value;
}

void SetupForm::ClearAeqSwitch() {
  aeqSwitch_ = false;
  aeqApplied_ = false;
  aeqActive_ = 0;
  work_.aeqActive = 0;
  Doc().aeqActive = 0;
  view_.Refresh();
}

void SetupForm::StoreMeasurement(const MeasurementResults& results) {
  for (SetupDocument* d : {&work_, &Doc()}) {
    for (int c = 0; c < kOutputCount; ++c) d->channelDelay[static_cast<std::size_t>(c)] = results.DelayMs(c);
    d->measuredValue1 = results.value1;
    d->measuredValue2 = results.value2;
  }
  Record();
}

void SetupForm::StoreAeqMode(int mode) {
  work_.aeqMode = mode;
  Doc().aeqMode = mode;
  Record();
}

void SetupForm::StoreAeqParameters(const std::array<std::int32_t, kAeqWordCount>& words) {
  work_.aeqParameters = words;
  Doc().aeqParameters = words;
  Record();
}

void SetupForm::KeepSnapshot(const SnapshotTrigger& trigger) {
  const std::string note = snapshots_->Keep(trigger, Doc(), session_.Title());
  if (!note.empty()) view_.ShowStatusMessage(note);
}

void SetupForm::Copy(CopyTarget which) {
  if (!CopyEnabled() || !dialogs_.ConfirmCopy()) return;
  CloseFunctionWindows();
  CloseAnalyzer();
  switches_[Slot(FunctionSwitch::Parametric)] = false;
  switches_[Slot(FunctionSwitch::Graphic)] = false;
  switches_[Slot(FunctionSwitch::Divider)] = false;
  view_.Refresh();
  CopyCommonToLR(work_, which);
  CopyCommonToLR(Doc(), which);
  Record(kCopyStepText);
}

void SetupForm::ProfileData() {
  CustomerProfile profile = Doc().profile;
  dialogs_.EditProfile(profile);
  Doc().profile = profile;
  work_.profile = profile;
  Record();
}
