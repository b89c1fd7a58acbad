#pragma once

// The requests a function window hands to the main form. They keep the system's window message
// numbers (WM_USER + 5 ... WM_USER + 18), with their two arguments.
inline constexpr int kWmUser = 0x0400;

enum class FormMessage : int {
  PeqSend = kWmUser + 5,           // send flag (1 send, 0 a drag begins); band 0..9 or 33 (all)
  PeqClose = kWmUser + 6,          // 0
  PeqReset = kWmUser + 7,          // group
  GeqSend = kWmUser + 8,           // send flag; band 0..30, 32 (current group) or 33 (all groups)
  GeqClose = kWmUser + 9,          // 0
  GeqReset = kWmUser + 10,         // group; sent (a direct call), not posted
  CrossoverSend = kWmUser + 11,    // send flag; 0 level, 1 filter, 33 everything
  CrossoverClose = kWmUser + 12,   // 0
  CrossoverCancel = kWmUser + 13,  // 0
  TcrSend = kWmUser + 14,          // 0; channel
  TcrClose = kWmUser + 15,         // 0
  TcrCancel = kWmUser + 16,        // 0
  SpectrumClose = kWmUser + 17,    // 0
  AeqFinish = kWmUser + 18,        // 0
};

struct FormRequest {
  FormMessage message;
  int wParam = 0;
  int lParam = 0;
};

// Where windows deliver their requests. Post runs the request after the current handler has
// returned (a posted window message); Send runs it at once.
class FormRequestSink {
 public:
  virtual ~FormRequestSink() = default;
  virtual void Post(const FormRequest& request) = 0;
  virtual void Send(const FormRequest& request) = 0;
};
