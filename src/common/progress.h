#pragma once

#include <string_view>

// One of the small progress windows that stand in front of long transfers: "RS232C" during the
// upload after connecting, "PARAMETER" during bulk sends and the memory store. The user cannot
// press anything in them; they only show how far the transfer has come.
class Progress {
 public:
  virtual ~Progress() = default;

  virtual void Open() = 0;
  virtual bool IsOpen() const = 0;
  virtual void SetRange(int low, int high) = 0;
  // Text lines are numbered from 0 ("RS232C" has three, "PARAMETER" one).
  virtual void SetText(int line, std::string_view text) = 0;
  virtual void SetPosition(int position) = 0;
  virtual void Close() = 0;
  // The system's default beep, given when a transfer behind the window has finished.
  virtual void Beep() {}
};
