#include "link/serial_settings.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QSettings>
#include <QStandardPaths>
#include <map>

#include "common/memory_settings.h"
#include "common/temp_dir.h"
#include "platform/qt_settings_store.h"

namespace {

TEST(SerialSettingsTest, DefaultsAndTheLowBitsTaken) {
  MemorySettings store;
  const SerialSettings d = SerialSettings::Read(store);
  EXPECT_EQ(d.baudRate, 9600);
  EXPECT_EQ(d.byteSize, 8);
  EXPECT_EQ(d.parity, 0);
  EXPECT_EQ(d.stopBits, 0);
  EXPECT_FALSE(d.outX || d.inX || d.ctsFlow || d.dsrFlow);

  store.SetInt("RS_Set_Up", "BaudRate", 19200);
  store.SetInt("RS_Set_Up", "ByteSize", 0x107);  // only the low byte counts
  store.SetInt("RS_Set_Up", "Parity", 2);
  store.SetInt("RS_Set_Up", "StopBits", 0x202);
  store.SetInt("RS_Set_Up", "fOutX", 3);  // bit 0 set
  store.SetInt("RS_Set_Up", "fInX", 2);   // bit 0 clear
  store.SetInt("RS_Set_Up", "fOutxCtsFlow", 1);
  store.SetInt("RS_Set_Up", "fOutxDsrFlow", -2);
  const SerialSettings s = SerialSettings::Read(store);
  EXPECT_EQ(s.baudRate, 19200);
  EXPECT_EQ(s.byteSize, 7);
  EXPECT_EQ(s.parity, 2);
  EXPECT_EQ(s.stopBits, 2);
  EXPECT_TRUE(s.outX);
  EXPECT_FALSE(s.inX);
  EXPECT_TRUE(s.ctsFlow);
  EXPECT_FALSE(s.dsrFlow);
}

TEST(SerialSettingsTest, PortNamesMapToDevices) {
  MemorySettings store;
  unsetenv("KRV5200_COM1");
  unsetenv("KRV5200_COM2");
  unsetenv("KRV5200_COM3");
  EXPECT_EQ(PortDevice("COM1", store), "/dev/ttyS0");
  EXPECT_EQ(PortDevice("COM4", store), "/dev/ttyS3");
  store.SetString("Ports", "COM2", "/dev/ttyUSB0");
  EXPECT_EQ(PortDevice("COM2", store), "/dev/ttyUSB0");
  setenv("KRV5200_COM2", "/tmp/sim-tty", 1);
  EXPECT_EQ(PortDevice("COM2", store), "/tmp/sim-tty");
  setenv("KRV5200_COM3", "", 1);  // an empty variable does not count
  EXPECT_EQ(PortDevice("COM3", store), "/dev/ttyS2");
  unsetenv("KRV5200_COM2");
  unsetenv("KRV5200_COM3");

  EXPECT_EQ(PortDevice("/dev/pts/7", store), "/dev/pts/7");
  for (const char* bad : {"COM5", "COM0", "com1", "COM12", "ttyS0", ""})
    EXPECT_EQ(PortDevice(bad, store), "") << bad;
}

TEST(SerialSettingsTest, QtStoreKeepsSectionsInTheApplicationsFile) {
  TempDir dir;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(dir.path()));
  {
    QtSettingsStore store;
    EXPECT_EQ(store.GetInt("RS_Set_Up", "BaudRate", 9600), 9600);
    EXPECT_EQ(store.GetString("Ports", "COM1", "/dev/ttyS0"), "/dev/ttyS0");
    store.SetInt("RS_Set_Up", "BaudRate", 38400);
    store.SetString("Recent File List", "File1", "/home/a/car.tvn");
    store.Settings().sync();
  }
  const std::string file = dir.File("Local AppWizard-Generated Applications/KRV5200.conf");
  const std::string text = ReadFileBytes(file);
  EXPECT_NE(text.find("[RS_Set_Up]"), std::string::npos) << file;
  EXPECT_NE(text.find("BaudRate=38400"), std::string::npos);

  QtSettingsStore again;
  EXPECT_EQ(again.GetInt("RS_Set_Up", "BaudRate", 9600), 38400);
  EXPECT_EQ(again.GetString("Recent File List", "File1", ""), "/home/a/car.tvn");
  again.SetString("RS_Set_Up", "Parity", "odd");  // not a number: the default applies
  EXPECT_EQ(again.GetInt("RS_Set_Up", "Parity", 0), 0);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

}  // namespace
