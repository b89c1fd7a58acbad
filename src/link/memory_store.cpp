#include "link/memory_store.h"

#include "common/clock.h"
#include "common/dialogs.h"
#include "common/progress.h"
#include "link/connect_sequence.h"
#include "link/device_link.h"

MemoryStore::MemoryStore(MemoryStoreHost& host, SerialPort& port, Clock& clock, Dialogs& dialogs,
                         Progress& parameter)
    : host_(host), port_(port), clock_(clock), dialogs_(dialogs), parameter_(parameter) {}

MemoryStoreResult MemoryStore::Finish(MemoryStoreResult result) {
  if (parameter_.IsOpen()) parameter_.Close();
  host_.SetLinkBusy(false);
  return result;
}

MemoryStoreResult MemoryStore::Run() {
  if (!host_.PortOpen()) {
    dialogs_.ShowMessage(kPortNotConnectText);
    return MemoryStoreResult::NotConnected;
  }
  host_.StopAnalyzer();
  if (host_.LinkBusy()) {
    dialogs_.ShowMessage(kMemoryBusyText);
    return MemoryStoreResult::Busy;
  }

  host_.SetLinkBusy(true);
  host_.StatusCheck();
  const int memory = dialogs_.SelectMemory([this] { host_.StatusCheck(); });
  if (memory < 1 || memory > 6) {
    host_.SetLinkBusy(false);
    return MemoryStoreResult::Cancelled;
  }
  memory_ = memory;

  DeviceLink link(port_, clock_);
  link.noPump = 1;
  if (!parameter_.IsOpen()) parameter_.Open();
  parameter_.SetRange(0, kProgressEnd);
  parameter_.SetText(0, kMemoryLoadingText);
  if (!link.StoreMemory(memory)) {
    host_.TransferFailed(0);
    return Finish(MemoryStoreResult::StoreFailed);
  }
  if (host_.StatusCheck() == 0) return Finish(MemoryStoreResult::StatusFailed);

  for (int i = 0; i < kProgressEnd; ++i) {
    parameter_.SetPosition(i);
    clock_.SleepMs(kStepMs);
    if (i == 0 || i % kPollEverySteps != 0 || i > kLastPollStep) continue;
    const int status = host_.StatusCheck();
    if (status == DeviceLink::kStatusSettingError) {
      parameter_.Close();
      dialogs_.ShowMessage(kMemoryFailedText);
      return Finish(MemoryStoreResult::ProcessorFailed);
    }
    // A dead line has been reported once; polling it on would only repeat the message.
    if (status == 0) return Finish(MemoryStoreResult::StatusFailed);
  }
  return Finish(MemoryStoreResult::Stored);
}
