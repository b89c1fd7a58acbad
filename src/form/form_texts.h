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

// Undo and redo: the steps no value names, and why a step waits.
inline constexpr const char* kAutoEqStepText = "Auto Adaptive Equalizer";
inline constexpr const char* kAutoTcrStepText = "Auto Time Correction";
inline constexpr const char* kCopyStepText = "COPY";
inline constexpr const char* kStepBusyNote =
    "The processor is busy with a transfer or a measurement: nothing was undone or redone. Try again when it "
    "has finished.";
