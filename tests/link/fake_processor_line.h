#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "common/dialogs.h"
#include "common/message_pump.h"
#include "common/progress.h"
#include "common/virtual_clock.h"
#include "link/serial_line.h"

namespace linktest {

// A scripted processor on an in-memory line, in virtual time: it frames what the PC sends,
// answers by the protocol's rules and records every frame, with switches for the faults.
class FakeProcessorLine : public SerialLine {
 public:
  static constexpr int kReadTimeoutMs = 20;

  explicit FakeProcessorLine(VirtualClock& clock) : clock_(clock) {}

  bool Open(const std::string& portName) override {
    opened.push_back(portName);
    if (!openOk) return false;
    open_ = true;
    return true;
  }
  bool Close() override {
    if (!open_) return false;
    open_ = false;
    ++closeCount;
    return true;
  }
  bool IsOpen() const override { return open_; }
  bool Probe(const std::string& portName) override {
    probed.push_back(portName);
    return openOk;
  }
  std::string DeviceFor(const std::string&) const override { return device; }
  bool DeviceGone() const override { return gone; }
  int SendByte(std::uint8_t byte) override {
    if (refuseSend) {
      clock_.SleepMs(kReadTimeoutMs);
      return 0;
    }
    sent.push_back(byte);
    Feed(byte);
    return 1;
  }
  int ReceiveByte(std::uint8_t& byte) override {
    if (replies_.empty()) {
      clock_.SleepMs(kReadTimeoutMs);
      return 0;
    }
    byte = replies_.front();
    replies_.pop_front();
    return 1;
  }

  // What the PC sent: every byte, and every complete frame (letter first).
  std::vector<std::uint8_t> sent;
  std::vector<std::vector<std::uint8_t>> frames;
  std::vector<std::string> opened;
  std::vector<std::string> probed;
  int closeCount = 0;

  // Behaviour and faults.
  bool openOk = true;
  std::string device;  // what every port name stands for
  bool gone = false;   // the device has gone away
  bool refuseSend = false;
  bool silent = false;                         // never answers
  int naksOnLetter = 0;                        // answer the next letters with "N" instead of "A"
  int naksOnFinal = 0;                         // answer the next frames' last byte with "N"
  int badReplyChecksums = 0;                   // the next query replies carry a wrong checksum
  int answerFrames = -1;                       // when >= 0: answer this many frames, then fall silent
  std::vector<std::uint8_t> statusBytes{'4'};  // final bytes of successive status queries (last repeats)
  std::uint8_t byteValue = 0;
  std::uint32_t wordValue = 0;

  int FramesWithLetter(char letter) const {
    int n = 0;
    for (const auto& f : frames) n += f.front() == static_cast<std::uint8_t>(letter) ? 1 : 0;
    return n;
  }

 private:
  void Reply(std::uint8_t b) { replies_.push_back(b); }

  std::size_t ExpectedLength() const {
    switch (frame_.front()) {
      case 'R':
        return 4;
      case 'J':
        return 6;
      case 'I':
        return frame_.size() >= 6 ? 6u + frame_[5] + 1u : 0u;
      default:
        return 8;
    }
  }

  void Feed(std::uint8_t byte) {
    if (silent || answerFrames == 0) return;
    if (frame_.empty()) {
      if (naksOnLetter > 0) {
        --naksOnLetter;
        Reply('N');
        return;
      }
      frame_.push_back(byte);
      Reply('A');
      return;
    }
    frame_.push_back(byte);
    const std::size_t length = ExpectedLength();
    if (length == 0 || frame_.size() < length) return;
    frames.push_back(frame_);
    const std::uint8_t letter = frame_.front();
    frame_.clear();
    if (answerFrames > 0) --answerFrames;
    if (naksOnFinal > 0) {
      --naksOnFinal;
      Reply('N');
      return;
    }
    if (letter == 'N') {
      Reply(statusBytes.front());
      if (statusBytes.size() > 1) statusBytes.erase(statusBytes.begin());
      return;
    }
    Reply('R');
    const bool corrupt = (letter == 'R' || letter == 'J') && badReplyChecksums > 0;
    if (corrupt) --badReplyChecksums;
    if (letter == 'R') {
      Reply(byteValue);
      Reply(static_cast<std::uint8_t>(byteValue + (corrupt ? 1 : 0)));
    } else if (letter == 'J') {
      const auto b0 = static_cast<std::uint8_t>(wordValue >> 16);
      const auto b1 = static_cast<std::uint8_t>(wordValue >> 8);
      const auto b2 = static_cast<std::uint8_t>(wordValue);
      Reply(b0);
      Reply(b1);
      Reply(b2);
      Reply(static_cast<std::uint8_t>(b0 + b1 + b2 + (corrupt ? 1 : 0)));
    }
  }

  VirtualClock& clock_;
  bool open_ = false;
  std::vector<std::uint8_t> frame_;
  std::deque<std::uint8_t> replies_;
};

class CountingPump : public MessagePump {
 public:
  void Pump() override { ++count; }
  int count = 0;
};

// Message boxes and memory choices, scripted.
class ScriptedDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageIcon) override { messages.emplace_back(text); }
  void ShowFailure(std::string_view text, std::string_view cause, MessageIcon) override {
    messages.emplace_back(text);
    causes.emplace_back(cause);
  }
  int SelectMemory(const std::function<void()>& keepAlive) override {
    for (int i = 0; i < keepAliveTicks; ++i) keepAlive();
    return memoryChoice;
  }
  int ConfirmMemorySave(int) override { return 1; }

  std::vector<std::string> messages;
  std::vector<std::string> causes;  // the lines under the failures' messages, in order
  int memoryChoice = kMemoryCancel;
  int keepAliveTicks = 0;
};

// Records what a progress window was told, as "open", "range 0 120", "text 2 P_EQ DATA", ...
class RecordingProgress : public Progress {
 public:
  void Open() override {
    open = true;
    events.push_back("open");
  }
  bool IsOpen() const override { return open; }
  void SetRange(int low, int high) override {
    events.push_back("range " + std::to_string(low) + " " + std::to_string(high));
  }
  void SetText(int line, std::string_view text) override {
    events.push_back("text " + std::to_string(line) + " " + std::string(text));
  }
  void SetPosition(int position) override {
    lastPosition = position;
    positions.push_back(position);
  }
  void Close() override {
    open = false;
    events.push_back("close");
  }
  void Beep() override { events.push_back("beep"); }

  bool open = false;
  int lastPosition = -1;
  std::vector<int> positions;
  std::vector<std::string> events;
};

}  // namespace linktest
