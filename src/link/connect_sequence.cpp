#include "link/connect_sequence.h"

#include "common/dialogs.h"
#include "crossover/crossover_codes.h"
#include "link/channel_codes.h"
#include "link/device_link.h"
#include "link/serial_port.h"

std::string ChecksumErrorText(int value) {
  if (value == 0) return "CHKSUM ERROR";
  return "CHKSUM ERROR " + std::to_string(value);
}

int SpeakerLevelCode(OutputChannel channel, const std::array<std::int32_t, kOutputCount>& speakerSwitch,
                     const CrossoverTable& crossover, int currentSide) {
  const SpeakerGroup group = SpeakerGroupOf(channel);
  const int set =
      currentSide != 0 && group != SpeakerGroup::Center ? SideOf(channel) : Index(CrossoverSet::Common);
  return LevelCode(crossover[Index(group)][set].level, speakerSwitch[Index(channel)] != 0);
}

const char* StatusMeaning(int status) {
  switch (status) {
    case DeviceLink::kStatusSettingError:
      return "setting error";
    case DeviceLink::kStatusMeasuring:
      return "automatic measurement running";
    case 8:
    case 9:
      return "idle";
    case 10:
    case 11:
      return "idle; sub-woofer AEQ modes offered";
    default:
      return "no answer";
  }
}

ConnectSequence::ConnectSequence(SerialPort& port, Clock& clock, Dialogs& dialogs, Progress& rs232c)
    : port_(port), clock_(clock), dialogs_(dialogs), rs232c_(rs232c) {}

ConnectResult ConnectSequence::Connect(const ConnectRequest& request) {
  const ConnectResult opened =
      Open(request.portName, request.upload.peqOn, request.aeqMode, request.subWooferMode);
  if (opened != ConnectResult::Connected && opened != ConnectResult::SettingError) return opened;
  const ConnectResult uploaded = Upload(request.upload, request.currentSide, true);
  return uploaded == ConnectResult::Connected ? opened : uploaded;
}

ConnectResult ConnectSequence::Open(const std::string& portName, bool peqOn, int aeqMode, int subWooferMode) {
  DeviceLink link(port_, clock_);
  if (!link.OpenPort(portName)) return ConnectResult::OpenFailed;
  if (!link.SetOperatingMode(true, peqOn ? 1 : 0, aeqMode, subWooferMode)) {
    dialogs_.ShowFailure(kPcControlFailText, port_.FailureNote());
    return ConnectResult::ModeFailed;
  }
  // A setting error is reported and then mended by the upload, which rewrites every setting.
  const int status = StatusCheck();
  if (status == 0) {
    if (port_.IsOpen()) port_.ClosePort();
    return ConnectResult::StatusFailed;
  }
  return status == DeviceLink::kStatusSettingError ? ConnectResult::SettingError : ConnectResult::Connected;
}

ConnectResult ConnectSequence::Upload(const UploadSetup& setup, int currentSide, bool checkLevels) {
  // A bulk send delivers no window events, brackets included.
  DeviceLink upload(port_, clock_);
  upload.noPump = 1;
  bool uploaded = upload.SetBulkUpdate(true) && RunFullUpload(setup, upload, rs232c_) == 1;
  // The upload gives pumping back when it ends; the closing bracket is still part of the bulk.
  upload.noPump = 1;
  uploaded = uploaded && upload.SetBulkUpdate(false);
  if (!uploaded) {
    port_.ClosePort();
    dialogs_.ShowFailure(kInitializeErrorText, port_.FailureNote());
    return ConnectResult::UploadFailed;
  }
  if (!SendSpeakerLevels(setup.speakerSwitch, setup.crossover, currentSide) && checkLevels) {
    // The line died after the upload: what the form's next status check would say.
    dialogs_.ShowFailure(kPortNotConnectText, port_.FailureNote());
    return ConnectResult::LevelsFailed;
  }
  return ConnectResult::Connected;
}

void ConnectSequence::Disconnect(int subWooferMode) {
  DeviceLink link(port_, clock_);
  link.SetOperatingMode(false, 0, DeviceLink::kAeqOff, subWooferMode);
  link.ClosePort();
}

int ConnectSequence::StatusCheck() {
  DeviceLink link(port_, clock_);
  const int status = link.QueryStatus();
  if (status == 0) {
    dialogs_.ShowFailure(kPortNotConnectText, port_.FailureNote());
  } else if (status == DeviceLink::kStatusSettingError) {
    dialogs_.ShowMessage(kSettingErrorText);
  }
  return status;
}

bool ConnectSequence::SendSpeakerLevels(const std::array<std::int32_t, kOutputCount>& speakerSwitch,
                                        const CrossoverTable& crossover, int currentSide) {
  DeviceLink link(port_, clock_);
  for (int c = 0; c < kOutputCount; ++c) {
    const auto channel = static_cast<OutputChannel>(c);
    // Once one level is refused the port is closed; the rest would only wait out their retries.
    if (!link.SetChannelLevel(SpeakerGroupOf(channel), SideOf(channel),
                              SpeakerLevelCode(channel, speakerSwitch, crossover, currentSide))) {
      return false;
    }
  }
  return true;
}
