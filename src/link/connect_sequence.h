#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "document/types.h"
#include "link/full_upload.h"

class Clock;
class Dialogs;
class Progress;
class SerialPort;

// Messages of connecting and of the status check.
inline constexpr const char* kPcControlFailText = "PC CONTROL FAIL";
inline constexpr const char* kPortNotConnectText = "Port Not Connect";
inline constexpr const char* kSettingErrorText = "SETTING ERROR";
inline constexpr const char* kInitializeErrorText = "INITIALIZE ERROR";

// "CHKSUM ERROR %d" with the value that was being sent, or "CHKSUM ERROR" when it is 0.
std::string ChecksumErrorText(int value);

// What a status code from QueryStatus means, for the command line: "idle", "setting error", ...
const char* StatusMeaning(int status);

struct ConnectRequest {
  std::string portName;  // "COM1".."COM4", or whatever the line can open
  UploadSetup upload;    // data, function switches, side selections and level code
  int aeqMode = 0x60;    // automatic-EQ byte of the operating mode (0x60: off)
  int subWooferMode = 0;
  // Side of the window that last handed data back: non-zero takes the speaker levels from the
  // crossover's L and R sets.
  int currentSide = 0;
};

enum class ConnectResult {
  OpenFailed,    // "Port Open Faild." was shown
  ModeFailed,    // "PC CONTROL FAIL"; port closed
  StatusFailed,  // "Port Not Connect"; port closed
  UploadFailed,  // "INITIALIZE ERROR"; port closed
  LevelsFailed,  // a speaker level was not taken: "Port Not Connect"; port closed
  SettingError,  // connected and uploaded, but the status check first said "SETTING ERROR"
  Connected,
};

// Connecting, disconnecting and the status check, as the main form runs them from its "I/O
// Port" menu and its timers.
class ConnectSequence {
 public:
  ConnectSequence(SerialPort& port, Clock& clock, Dialogs& dialogs, Progress& rs232c);

  // Opens the port, puts the processor under PC control, checks its status, uploads the setup
  // between bulk-update brackets and sends every output's speaker level. A status of 6 shows
  // "SETTING ERROR" and the upload goes on: it rewrites the settings the processor complained of;
  // the result then says SettingError, as the connect did not fully succeed.
  ConnectResult Connect(const ConnectRequest& request);
  // Connect's first half: opens the port, puts the processor under PC control and checks its
  // status (Connected, SettingError, or the failure; a port that answered nothing is closed).
  ConnectResult Open(const std::string& portName, bool peqOn, int aeqMode, int subWooferMode);
  // Connect's second half: the setup between bulk-update brackets, then every output's speaker
  // level; with `checkLevels` a level not taken ends it as LevelsFailed. A failed upload closes
  // the port and shows "INITIALIZE ERROR".
  ConnectResult Upload(const UploadSetup& setup, int currentSide, bool checkLevels);
  // Releases PC control (unchecked) and closes the port.
  void Disconnect(int subWooferMode);
  // QueryStatus with its messages: 0 ("Port Not Connect", port closed) or the status code
  // (6 also shows "SETTING ERROR").
  int StatusCheck();
  // Every output's speaker level, output 0 to 10; false at the first one not taken.
  bool SendSpeakerLevels(const std::array<std::int32_t, kOutputCount>& speakerSwitch,
                         const CrossoverTable& crossover, int currentSide);

 private:
  SerialPort& port_;
  Clock& clock_;
  Dialogs& dialogs_;
  Progress& rs232c_;
};

// The level code of an output: 96 when its speaker is switched off, otherwise 12 plus its
// group's crossover level (from the L or R set when `currentSide` is non-zero, except Center).
int SpeakerLevelCode(OutputChannel channel, const std::array<std::int32_t, kOutputCount>& speakerSwitch,
                     const CrossoverTable& crossover, int currentSide);
