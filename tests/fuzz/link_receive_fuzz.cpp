// The processor's side of the line answers with any bytes: every kind of transaction must end,
// within its retry limits, without undefined behaviour, whatever comes back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/virtual_clock.h"
#include "fuzz/fuzz_support.h"
#include "link/coefficient_word.h"
#include "link/device_link.h"
#include "link/serial_line.h"
#include "link/serial_port.h"

namespace {

using namespace fuzz;

// A line whose every received byte comes from the fuzzer's data; once the data is used up it
// times out like a pulled cable.
class FuzzedLine : public SerialLine {
 public:
  FuzzedLine(const std::uint8_t* data, std::size_t size, VirtualClock& clock)
      : data_(data), size_(size), clock_(clock) {}
  bool Open(const std::string&) override { return open_ = true; }
  bool Close() override {
    const bool was = open_;
    open_ = false;
    return was;
  }
  bool IsOpen() const override { return open_; }
  bool Probe(const std::string&) override { return true; }
  int SendByte(std::uint8_t) override { return 1; }
  int ReceiveByte(std::uint8_t& byte) override {
    if (pos_ >= size_) {
      clock_.SleepMs(20);
      return 0;
    }
    byte = data_[pos_++];
    return 1;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  VirtualClock& clock_;
  bool open_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  VirtualClock clock;
  FuzzedLine line(data, size, clock);
  QuietDialogs dialogs;
  QuietPump pump;
  SerialPort port(line, dialogs, pump);
  DeviceLink link(port, clock);
  std::int32_t words[kAeqBlockWords] = {};
  for (std::int32_t& w : words) w = 0x123456;

  // Each transaction shape, reopening the port a failure closed.
  // However the bytes come, a command gives up within its attempts: at most five tries of a few
  // steps of ten reads each, for each of its frames.
  constexpr std::int64_t kLongestCommandMs = 300'000;
  auto run = [&](auto&& transaction) {
    if (!port.IsOpen()) port.OpenPort("COM1");
    const std::int64_t start = clock.NowMs();
    transaction();
    if (clock.NowMs() - start > kLongestCommandMs) Fail("a command that did not give up in time");
    if (link.status < 0 || link.status > 11) Fail("a status outside the table");
  };
  std::uint8_t value = 0;
  std::uint32_t word = 0;
  run([&] { link.QueryStatus(); });
  run([&] { link.ReadResult(0, 5, value); });
  run([&] { link.ReadParameterWord(2, 1023, word); });
  run([&] { link.SetEqLevel(255); });
  run([&] { link.WriteBandCoefficients(EqGroup::Front, 0, 4, FlatCoefficientSet(EqGroup::Front, 4)); });
  run([&] { link.WriteParameterBlock(1, 64, words); });
  run([&] { link.SetDelay(OutputChannel::Center, 12.34); });
  if (word > 0xFFFFFF) Fail("a parameter word wider than 24 bits");
  return 0;
}
