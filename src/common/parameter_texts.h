#pragma once

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
