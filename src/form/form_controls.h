#pragma once

#include <array>
#include <string_view>

#include "common/function_switch.h"
#include "document/types.h"

// The main form's controls as its logic names them.

enum class FunctionButton {
  TimeCorrection,
  AutoTimeCorrection,
  Divider,
  AutoEq,
  Parametric,
  Graphic,
  Spectrum,
  Memory,
};
inline constexpr int kFunctionButtonCount = 8;

// Button texts, by FunctionButton.
inline constexpr std::array<std::string_view, kFunctionButtonCount> kFunctionButtonTexts = {
    "Time Correction\n/Phase", "Auto Time \nCorrection", "Divider\nCrossover", "Auto\nAdaptive\nEqualizer",
    "Parametric\nEqualizer",   "Graphic\nEqualizer",     "Spectrum\nAnalyzer", "Load to\nMEMORY"};

// Speaker button texts, by OutputChannel.
inline constexpr std::array<std::string_view, kOutputCount> kSpeakerButtonTexts = {
    "FL\nHI", "FR\nHI", "FL\nMID", "FR\nMID",     "FL\nLOW",    "FR\nLOW",
    "Center", "RL",     "RR",      "Sub.W\n   L", "Sub.W\n   R"};

inline constexpr std::string_view kPrintButtonText = "PRINT";
inline constexpr std::array<std::string_view, 2> kSubWooferModeTexts = {"Stereo", "Mono"};

// The "I/O Port" menu's ports.
inline constexpr int kPortCount = 4;
inline constexpr std::array<const char*, kPortCount> kPortNames = {"COM1", "COM2", "COM3", "COM4"};

// The port status box.
inline constexpr const char* kPortCloseText = "PORT CLOSE";
inline constexpr const char* kPortOpenText = "PORT OPEN";
