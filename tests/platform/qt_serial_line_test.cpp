#include "platform/qt_serial_line.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <QSettings>
#include <QStandardPaths>
#include <chrono>

#include "common/memory_settings.h"
#include "common/temp_dir.h"
#include "platform/qt_message_pump.h"
#include "platform/qt_settings_store.h"

namespace {

using Clock = std::chrono::steady_clock;

long MsSince(Clock::time_point t) {
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

// A pseudo-terminal whose far end the test plays.
struct Terminal {
  Terminal() {
    char name[256] = {};
    int slave = -1;
    if (openpty(&master, &slave, name, nullptr, nullptr) == 0) {
      termios raw{};
      tcgetattr(slave, &raw);
      cfmakeraw(&raw);
      tcsetattr(slave, TCSANOW, &raw);
      close(slave);
      path = name;
    }
  }
  ~Terminal() {
    if (master >= 0) close(master);
  }
  // The bytes that arrive within `ms`.
  std::string Read(int ms) {
    std::string got;
    pollfd fd{master, POLLIN, 0};
    while (poll(&fd, 1, ms) > 0) {
      char buffer[64];
      const ssize_t n = read(master, buffer, sizeof buffer);
      if (n <= 0) break;
      got.append(buffer, static_cast<std::size_t>(n));
      ms = 5;
    }
    return got;
  }
  int master = -1;
  std::string path;
};

struct QtLine : ::testing::Test {
  TempDir config;
  void SetUp() override {
    EnsureQtApplication();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(config.path()));
    ASSERT_FALSE(terminal.path.empty());
  }
  void TearDown() override {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
  }
  Terminal terminal;
};

TEST_F(QtLine, BytesCrossTheTerminalAtTheLinesPace) {
  QtSettingsStore settings;
  QtSerialLine line(settings);
  ASSERT_TRUE(line.Open(terminal.path));
  EXPECT_TRUE(line.IsOpen());
  EXPECT_EQ(line.DevicePath(), terminal.path);

  // Ten bytes at 9600 baud need about 10.4 ms on the wire, buffers or not.
  const auto start = Clock::now();
  const std::uint8_t frame[] = {'I', 1, 0, 0, 4, 15, 0x3F, 0xB7, 0x36, 0x80};
  for (std::uint8_t b : frame) EXPECT_EQ(line.SendByte(b), 1);
  EXPECT_GE(MsSince(start), 9);
  EXPECT_EQ(terminal.Read(100), std::string("I\x01\x00\x00\x04\x0F\x3F\xB7\x36\x80", 10));

  ASSERT_EQ(write(terminal.master, "AR", 2), 2);
  std::uint8_t b = 0;
  EXPECT_EQ(line.ReceiveByte(b), 1);
  EXPECT_EQ(b, 'A');
  EXPECT_EQ(line.ReceiveByte(b), 1);
  EXPECT_EQ(b, 'R');

  // Nothing pending: the read gives up after its time-out and leaves the byte alone.
  const auto wait = Clock::now();
  EXPECT_EQ(line.ReceiveByte(b), 0);
  EXPECT_GE(MsSince(wait), 15);
  EXPECT_EQ(b, 'R');

  EXPECT_TRUE(line.Close());
  EXPECT_FALSE(line.Close());
  EXPECT_EQ(line.SendByte('N'), 0);
  EXPECT_EQ(line.ReceiveByte(b), 0);
}

TEST_F(QtLine, ADeviceThatGoesAwayIsToldFromASilentOne) {
  QtSettingsStore settings;
  QtSerialLine line(settings);
  ASSERT_TRUE(line.Open(terminal.path));
  EXPECT_EQ(line.DeviceFor(terminal.path), terminal.path);
  std::uint8_t b = 0;
  EXPECT_EQ(line.ReceiveByte(b), 0);  // nothing to say is not gone
  EXPECT_FALSE(line.DeviceGone());

  // The far end goes, as an unplugged adapter does.
  close(terminal.master);
  terminal.master = -1;
  EXPECT_EQ(line.ReceiveByte(b), 0);
  EXPECT_TRUE(line.DeviceGone());
}

TEST_F(QtLine, OpenIsExclusiveAndConfiguredFromTheSettings) {
  QtSettingsStore settings;
  settings.SetInt("RS_Set_Up", "BaudRate", 4800);
  QtSerialLine line(settings);
  QtSerialLine other(settings);
  ASSERT_TRUE(line.Open(terminal.path));
  EXPECT_FALSE(other.Open(terminal.path));
  EXPECT_EQ(other.LastOpenFailure().reason, OpenFailure::Reason::InUse);
  EXPECT_FALSE(other.Probe(terminal.path));
  EXPECT_EQ(other.LastOpenFailure().PortNote("COM1"),
            "COM1: " + terminal.path + " is in use by another program");

  // At 4800 baud two bytes take about 4 ms.
  const auto start = Clock::now();
  EXPECT_EQ(line.SendByte('S'), 1);
  EXPECT_EQ(line.SendByte(0x70), 1);
  EXPECT_GE(MsSince(start), 3);

  line.Close();
  EXPECT_TRUE(other.Probe(terminal.path));
  EXPECT_FALSE(other.IsOpen());

  EXPECT_FALSE(line.Open("/dev/krv5200-no-such-device"));
  EXPECT_EQ(line.LastOpenFailure().reason, OpenFailure::Reason::NoDevice);
  EXPECT_FALSE(line.Open("COM9"));
  EXPECT_FALSE(line.IsOpen());
  EXPECT_FALSE(line.Probe("/dev/krv5200-no-such-device"));

  setenv("KRV5200_COM3", terminal.path.c_str(), 1);
  EXPECT_TRUE(line.Open("COM3"));
  EXPECT_EQ(line.DevicePath(), terminal.path);
  unsetenv("KRV5200_COM3");
}

TEST_F(QtLine, ADeviceTheUserMayNotOpenNamesTheGroupToJoin) {
  struct stat info {};
  ASSERT_EQ(stat(terminal.path.c_str(), &info), 0);
  const group* owner = getgrgid(info.st_gid);
  ASSERT_NE(owner, nullptr);
  const std::string ownerGroup = owner->gr_name;
  ASSERT_EQ(chmod(terminal.path.c_str(), 0), 0);

  // Root may open anything: the open runs in a child that has given up root.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(10);
    MemorySettings settings;
    QtSerialLine line(settings);
    if (line.Open(terminal.path)) _exit(11);
    const OpenFailure failure = line.LastOpenFailure();
    if (failure.reason != OpenFailure::Reason::PermissionDenied || failure.group != ownerGroup) _exit(12);
    if (line.Probe(terminal.path) || line.LastOpenFailure().device != terminal.path) _exit(14);
    _exit(0);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << ownerGroup;
}

}  // namespace
