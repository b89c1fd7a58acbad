#include "sim/in_memory_line.h"

#include <algorithm>

InMemoryLine::InMemoryLine(VirtualClock& clock)
    : clock_(clock), owned_(std::make_unique<ProcessorSimulator>()), processor_(owned_.get()) {}

InMemoryLine::InMemoryLine(VirtualClock& clock, ProcessorSimulator& processor)
    : clock_(clock), processor_(&processor) {}

bool InMemoryLine::Known(const std::string& portName) const {
  return std::find(portNames_.begin(), portNames_.end(), portName) != portNames_.end();
}

bool InMemoryLine::Open(const std::string& portName) {
  if (open_) Close();
  if (!Known(portName) || unplugged_) return false;
  open_ = true;
  openName_ = portName;
  ++openCount_;
  return true;
}

bool InMemoryLine::Close() {
  if (!open_) return false;
  open_ = false;
  openName_.clear();
  // Whatever the processor still had to say is lost with the line.
  processor_->ResetLine(clock_.NowUs());
  return true;
}

bool InMemoryLine::Probe(const std::string& portName) {
  // The device is opened exclusively, so a port this line holds cannot be probed.
  return Known(portName) && !(open_ && openName_ == portName);
}

int InMemoryLine::SendByte(std::uint8_t byte) {
  if (!open_ || unplugged_) return 0;
  if (refusing_) {
    clock_.AdvanceUs(kTimeoutUs);
    return 0;
  }
  const std::int64_t startUs = clock_.NowUs();
  clock_.AdvanceUs(processor_->ByteTimeUs());
  processor_->Receive(byte, startUs);
  processor_->Advance(clock_.NowUs());
  sent_.push_back(byte);
  if (onSent) onSent();
  return 1;
}

int InMemoryLine::ReceiveByte(std::uint8_t& byte) {
  if (!open_ || unplugged_) return 0;
  const std::int64_t nowUs = clock_.NowUs();
  const std::int64_t deadlineUs = nowUs + kTimeoutUs;
  // The PC is blocked here, so everything it sent is known: let the processor run up to the
  // deadline and see whether a reply byte gets there in time.
  processor_->Advance(deadlineUs);
  const std::optional<std::int64_t> readyUs = processor_->NextOutputUs();
  if (!readyUs || *readyUs > deadlineUs) {
    clock_.AdvanceUs(kTimeoutUs);
    return 0;
  }
  if (*readyUs > nowUs) clock_.AdvanceUs(*readyUs - nowUs);
  processor_->TakeOutput(byte, clock_.NowUs());
  received_.push_back(byte);
  return 1;
}

void InMemoryLine::ClearTraffic() {
  sent_.clear();
  received_.clear();
}
