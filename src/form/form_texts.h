#pragma once

// Messages of the main form (the link's own ones live beside the link's sequences).
inline constexpr const char* kNoDataPortNotConnectText = "NO DATA (Port Not Connect)";
inline constexpr const char* kSpeakerNotSetupText = "Speaker Not Setup";
inline constexpr const char* kNotSwSetText = "NOT SW SET";
inline constexpr const char* kPortConnectedText = "Port Connected";
// Status-bar notes.
inline constexpr const char* kStoredInMemoryText = "Stored in memory ";
inline constexpr const char* kDisconnectToPrintText = "Disconnect to print";

// Status lines of the "PARAMETER" window, by operation.
inline constexpr const char* kPeqLoadText = "PEQ DATA LOAD";
inline constexpr const char* kPeqInitializeText = "PEQ DATA INITIALIZE";
inline constexpr const char* kGeqLoadText = "GEQ DATA LOAD";
inline constexpr const char* kGeqInitializeText = "GEQ DATA INITIALIZE";
inline constexpr const char* kDividerLoadText = "DIV DATA LOAD";
inline constexpr const char* kDividerInitializeText = "DIV DATA INITIALIZE";
inline constexpr const char* kTcrLoadText = "TCR DATA LOAD";
inline constexpr const char* kTcrInitializeText = "TCR DATA INITIALIZE";
inline constexpr const char* kAeqParameterLoadText = "AEQ PARAMETER LOAD";
inline constexpr const char* kAeqParameterUploadText = "AEQ PARAMETER UPLOAD";
inline constexpr int kParameterProgressEnd = 128;

// Values reported with "CHKSUM ERROR %d" when the last operating-mode command of an AEQ switch
// change fails.
inline constexpr int kAeqOnModeFailedValue = 500;
inline constexpr int kAeqOffModeFailedValue = 501;
