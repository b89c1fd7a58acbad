#pragma once

#include "common/parameter_texts.h"

// Messages of the main form (the link's own ones live beside the link's sequences).
inline constexpr const char* kNoDataPortNotConnectText = "NO DATA (Port Not Connect)";
inline constexpr const char* kSpeakerNotSetupText = "Speaker Not Setup";
inline constexpr const char* kNotSwSetText = "NOT SW SET";
inline constexpr const char* kPortConnectedText = "Port Connected";
// Status-bar notes.
inline constexpr const char* kStoredInMemoryText = "Stored in memory ";
inline constexpr const char* kDisconnectToPrintText = "Disconnect to print";

// Values reported with "CHKSUM ERROR %d" when the last operating-mode command of an AEQ switch
// change fails.
inline constexpr int kAeqOnModeFailedValue = 500;
inline constexpr int kAeqOffModeFailedValue = 501;
