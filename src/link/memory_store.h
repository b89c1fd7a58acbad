#pragma once

class Clock;
class Dialogs;
class Progress;
class SerialPort;

inline constexpr const char* kMemoryBusyText = "PLEASE RETRY SET MEMORY";
inline constexpr const char* kMemoryFailedText = "FAILUE!! PLEASE RETRY SET MEMORY";
inline constexpr const char* kMemoryLoadingText = "LOADING IN MEMORY";

// What the memory store needs of the main form.
class MemoryStoreHost {
 public:
  virtual ~MemoryStoreHost() = default;
  virtual bool PortOpen() = 0;
  virtual bool LinkBusy() = 0;
  virtual void SetLinkBusy(bool busy) = 0;
  // Closes the spectrum analyzer's window and stops its read cycle.
  virtual void StopAnalyzer() = 0;
  // The form's status check (its own link, pumping on): 0 when the line is dead, which has
  // already been reported and the port closed.
  virtual int StatusCheck() = 0;
  // The form's recovery after a failed send; 0: nothing in particular was being sent.
  virtual void TransferFailed(int value) = 0;
};

enum class MemoryStoreResult {
  NotConnected,
  Busy,
  Cancelled,
  StoreFailed,
  StatusFailed,
  ProcessorFailed,
  Stored
};

// Asks the processor to keep its current settings in the memory chosen in "Memory Select",
// and waits about five seconds behind the "PARAMETER" window while it writes them.
class MemoryStore {
 public:
  static constexpr int kProgressEnd = 128;
  static constexpr int kStepMs = 40;
  static constexpr int kPollEverySteps = 10;
  static constexpr int kLastPollStep = 120;

  MemoryStore(MemoryStoreHost& host, SerialPort& port, Clock& clock, Dialogs& dialogs, Progress& parameter);

  MemoryStoreResult Run();
  // The memory chosen in "Memory Select" (1..6), or 0 before a choice.
  int Memory() const { return memory_; }

 private:
  MemoryStoreResult Finish(MemoryStoreResult result);

  MemoryStoreHost& host_;
  SerialPort& port_;
  Clock& clock_;
  Dialogs& dialogs_;
  Progress& parameter_;
  int memory_ = 0;
};
