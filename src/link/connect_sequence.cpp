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
  DeviceLink link(port_, clock_);
  if (!link.OpenPort(request.portName)) return ConnectResult::OpenFailed;
  if (!link.SetOperatingMode(true, request.upload.peqOn ? 1 : 0, request.aeqMode, request.subWooferMode)) {
    dialogs_.ShowFailure(kPcControlFailText, port_.FailureNote());
    return ConnectResult::ModeFailed;
  }
  // A setting error is reported and then mended by the upload, which rewrites every setting.
  const int status = StatusCheck();
  if (status == 0) return ConnectResult::StatusFailed;

  // A bulk send delivers no window events, brackets included.
  DeviceLink upload(port_, clock_);
  upload.noPump = 1;
  bool uploaded = upload.SetBulkUpdate(true) && RunFullUpload(request.upload, upload, rs232c_) == 1;
  upload.noPump = 1;
  uploaded = uploaded && upload.SetBulkUpdate(false);
  if (!uploaded) {
    port_.ClosePort();
    dialogs_.ShowFailure(kInitializeErrorText, port_.FailureNote());
    return ConnectResult::UploadFailed;
  }
  if (!SendSpeakerLevels(request.upload.speakerSwitch, request.upload.crossover, request.currentSide)) {
    // The line died after the upload: what the form's next status check would say.
    dialogs_.ShowFailure(kPortNotConnectText, port_.FailureNote());
    return ConnectResult::LevelsFailed;
  }
  return status == DeviceLink::kStatusSettingError ? ConnectResult::SettingError : ConnectResult::Connected;
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
