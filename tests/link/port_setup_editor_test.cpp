#include "link/port_setup_editor.h"

#include <gtest/gtest.h>

#include <map>

#include "common/memory_settings.h"

namespace {

// An environment of the test's own, so that the machine's KRV5200_COMn cannot leak in.
struct FakeEnvironment {
  std::map<std::string, std::string> values;
  PortMapping::Environment Lookup() {
    return [this](const char* name) -> const char* {
      const auto it = values.find(name);
      return it == values.end() ? nullptr : it->second.c_str();
    };
  }
};

struct PortSetupTest : ::testing::Test {
  MemorySettings store;
  FakeEnvironment env;
  PortSetupEditor Editor() { return PortSetupEditor(store, env.Lookup()); }
};

TEST_F(PortSetupTest, MappingAndLineSettingsAreWrittenOnlyWhereChangedAndReadBack) {
  store.SetInt("RS_Set_Up", "ByteSize", 0x108);  // read as 8; left alone, it stays as stored
  store.SetString("Ports", "COM3", "/dev/ttyACM0");
  {
    PortSetupEditor editor = Editor();
    EXPECT_EQ(editor.Device(0), "/dev/ttyS0");
    EXPECT_EQ(editor.Device(2), "/dev/ttyACM0");
    editor.SetDevice(1, "  /dev/ttyUSB0 ");
    editor.SetDevice(2, "/dev/ttyS2");  // back to the standard device: written, not dropped
    editor.SetDevice(3, "/dev/ttyS3");  // as it was: not written
    editor.SetBaudText("19200");
    editor.Line().parity = 2;
    editor.Line().ctsFlow = true;
    std::vector<int> changed;
    ASSERT_TRUE(editor.Apply(&changed));
    EXPECT_EQ(changed, (std::vector<int>{1, 2}));
    ASSERT_TRUE(editor.Apply(&changed));  // a second OK changes nothing more
    EXPECT_TRUE(changed.empty());
  }
  EXPECT_EQ(store.strings, (std::map<std::string, std::string>{{"Ports/COM2", "/dev/ttyUSB0"},
                                                               {"Ports/COM3", "/dev/ttyS2"}}));
  EXPECT_EQ(store.ints, (std::map<std::string, int>{{"RS_Set_Up/BaudRate", 19200},
                                                    {"RS_Set_Up/ByteSize", 0x108},
                                                    {"RS_Set_Up/Parity", 2},
                                                    {"RS_Set_Up/fOutxCtsFlow", 1}}));

  PortSetupEditor again = Editor();
  EXPECT_EQ(again.Device(1), "/dev/ttyUSB0");
  EXPECT_EQ(again.BaudText(), "19200");
  EXPECT_EQ(PortDevice("COM2", store, env.Lookup()), "/dev/ttyUSB0");
  EXPECT_EQ(again.Line(), SerialSettings::Read(store));
}

TEST_F(PortSetupTest, BadEntriesAreNamedAndNothingIsWritten) {
  const char* kBaud = "The baud rate must be a whole number from 50 to 4000000.";
  const struct {
    int port;
    const char* device;
    const char* baud;
    const char* message;
  } cases[] = {
      {1, "", "9600", "COM2 needs a device, such as /dev/ttyUSB0."},
      {3, "ttyUSB0", "9600", "COM4: \"ttyUSB0\" is not a device. A device is a path such as /dev/ttyUSB0."},
      {0, "/dev/tty\nS0", "9600",
       "COM1: \"/dev/tty\nS0\" is not a device. A device is a path such as /dev/ttyUSB0."},
      {0, "/dev/ttyUSB1", "", kBaud},
      {0, "/dev/ttyUSB1", "96 00", kBaud},
      {0, "/dev/ttyUSB1", "-9600", kBaud},
      {0, "/dev/ttyUSB1", "49", kBaud},
      {0, "/dev/ttyUSB1", "4000001", kBaud},
      {0, "/dev/ttyUSB1", "999999999999", kBaud},
  };
  for (const auto& c : cases) {
    PortSetupEditor editor = Editor();
    editor.SetDevice(c.port, c.device);
    editor.SetBaudText(c.baud);
    editor.Line().parity = 1;
    EXPECT_EQ(editor.Check(), c.message);
    EXPECT_FALSE(editor.Apply());
    EXPECT_TRUE(store.strings.empty() && store.ints.empty()) << c.message;
    EXPECT_EQ(editor.BaudText(), c.baud);  // kept for correcting
  }
  PortSetupEditor edge = Editor();
  edge.SetBaudText("4000000");
  EXPECT_EQ(edge.Check(), "");
}

TEST_F(PortSetupTest, APortSetByTheEnvironmentIsShownButNotChanged) {
  env.values["KRV5200_COM1"] = "/tmp/krv5200-sim/com1";
  env.values["KRV5200_COM2"] = "";  // empty: does not count
  PortSetupEditor editor = Editor();
  EXPECT_TRUE(editor.SetByEnvironment(0));
  EXPECT_FALSE(editor.SetByEnvironment(1));
  EXPECT_EQ(editor.Device(0), "/tmp/krv5200-sim/com1");
  EXPECT_EQ(editor.Note(0), "set by KRV5200_COM1");
  editor.SetDevice(0, "/dev/ttyUSB0");
  editor.RestoreDefaults();
  EXPECT_EQ(editor.Device(0), "/tmp/krv5200-sim/com1");
  EXPECT_TRUE(editor.Apply());
  EXPECT_TRUE(store.strings.empty());
}

TEST_F(PortSetupTest, TheListHoldsWhatTheSystemFoundAndEveryDeviceAPortStandsFor) {
  env.values["KRV5200_COM1"] = "/tmp/sim/com1";
  store.SetString("Ports", "COM2", "/dev/ttyUSB0");
  PortSetupEditor editor = Editor();
  std::vector<std::string> described;
  editor.SetFoundPorts(
      {{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A10K"},
       {"/dev/ttyACM0", "", "Arduino", ""},
       {"/dev/ttyUSB0", "again", "", ""}},
      [&](const std::string& device) {
        described.push_back(device);
        return FoundPort{"ignored", device == "/tmp/sim/com1" ? "pseudo-terminal" : "not present", "", ""};
      });
  EXPECT_EQ(described, (std::vector<std::string>{"/tmp/sim/com1", "/dev/ttyS2", "/dev/ttyS3"}));
  ASSERT_EQ(editor.Ports().size(), 5u);
  EXPECT_EQ(editor.Ports()[2].device, "/tmp/sim/com1");
  EXPECT_EQ(editor.Ports()[2].description, "pseudo-terminal");

  EXPECT_EQ(editor.Note(1), "FT232R USB UART (FTDI)");
  editor.SetDevice(2, "/dev/ttyACM0");
  EXPECT_EQ(editor.Note(2), "Arduino");
  editor.SetDevice(3, "/dev/ttyUSB0");
  EXPECT_EQ(editor.UsedAs("/dev/ttyUSB0"), "COM2, COM4");
  EXPECT_EQ(editor.UsedAs("/dev/ttyS2"), "");
  EXPECT_EQ(editor.DeviceChoices(),
            (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyACM0", "/tmp/sim/com1", "/dev/ttyS2",
                                      "/dev/ttyS3", "/dev/ttyS0", "/dev/ttyS1"}));
}

}  // namespace
