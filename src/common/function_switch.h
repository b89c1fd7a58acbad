#pragma once

// The four ON/OFF switches beside the function buttons (the AEQ switch has its own operation).
enum class FunctionSwitch { Parametric = 0, Graphic = 1, Divider = 2, TimeCorrection = 3 };
inline constexpr int kFunctionSwitchCount = 4;
