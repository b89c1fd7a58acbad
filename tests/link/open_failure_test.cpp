#include "link/open_failure.h"

#include <gtest/gtest.h>

#include "common/message_pump.h"
#include "common/recording_dialogs.h"
#include "link/serial_line.h"
#include "link/serial_port.h"

namespace {

using Reason = OpenFailure::Reason;

TEST(OpenFailureTest, WhatTheUserIsTold) {
  const struct {
    OpenFailure failure;
    const char* note;
  } cases[] = {
      // The device's own group is the one to join; "root" or none gives no advice, so dialout.
      {{Reason::PermissionDenied, "/dev/ttyUSB0", "dialout"},
       "COM2: Permission denied on /dev/ttyUSB0: add your user to the group dialout and log in again"},
      {{Reason::PermissionDenied, "/dev/ttyS1", "uucp"},
       "COM2: Permission denied on /dev/ttyS1: add your user to the group uucp and log in again"},
      {{Reason::PermissionDenied, "/dev/ttyS1", "root"},
       "COM2: Permission denied on /dev/ttyS1: add your user to the group dialout and log in again"},
      {{Reason::NoDevice, "/dev/ttyS1", ""}, "COM2: /dev/ttyS1 does not exist"},
      {{Reason::InUse, "/dev/ttyS1", ""}, "COM2: /dev/ttyS1 is in use by another program"},
      {{Reason::Other, "/dev/ttyS1", ""}, "COM2: /dev/ttyS1 could not be opened"},
      {{Reason::Other, "", ""}, "COM2 stands for no device"},
      {{Reason::PermissionDenied, "", ""}, "COM2 stands for no device"},
      // A port given as its device path.
      {{Reason::NoDevice, "COM2", ""}, "COM2 does not exist"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.failure.PortNote("COM2"), c.note);
}

// A line whose every open fails for the reason the test sets.
class RefusingLine : public SerialLine {
 public:
  bool Open(const std::string&) override { return false; }
  bool Close() override { return false; }
  bool IsOpen() const override { return false; }
  bool Probe(const std::string& portName) override { return portName == "COM1"; }
  int SendByte(std::uint8_t) override { return 0; }
  int ReceiveByte(std::uint8_t&) override { return 0; }
  OpenFailure LastOpenFailure() const override { return failure; }
  OpenFailure failure;
};

struct NoPump : MessagePump {
  void Pump() override {}
};

TEST(OpenFailureTest, TheProcessorPortReportsWhyAndRemembersEachProbe) {
  RefusingLine line;
  RecordingDialogs dialogs;
  NoPump pump;
  SerialPort port(line, dialogs, pump);

  const OpenFailure denied{Reason::PermissionDenied, "/dev/ttyUSB0", "dialout"};
  line.failure = denied;
  EXPECT_FALSE(port.OpenPort("COM1"));
  line.failure = {Reason::InUse, "/dev/ttyUSB0", ""};
  EXPECT_FALSE(port.OpenPort("COM1"));
  // The box keeps the system's text; the reason goes on the line under it.
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"Port Open Faild.", "Port Open Faild."}));
  EXPECT_EQ(dialogs.causes, (std::vector<std::string>{denied.PortNote("COM1"),
                                                      "COM1: /dev/ttyUSB0 is in use by another program"}));

  line.failure = {Reason::NoDevice, "/dev/ttyS2", ""};
  EXPECT_FALSE(port.ProbePort("COM3"));
  EXPECT_TRUE(port.ProbePort("COM1"));
  line.failure = {Reason::Other, "/dev/ttyS3", ""};
  EXPECT_FALSE(port.ProbePort("COM4"));
  EXPECT_EQ(port.ProbeFailure("COM3").PortNote("COM3"), "COM3: /dev/ttyS2 does not exist");
  EXPECT_EQ(port.ProbeFailure("COM4").device, "/dev/ttyS3");
  EXPECT_FALSE(port.ProbeFailure("COM1").Failed());
  EXPECT_FALSE(port.ProbeFailure("COM2").Failed());
  EXPECT_EQ(dialogs.messages.size(), 2u);  // probes say nothing
}

}  // namespace
