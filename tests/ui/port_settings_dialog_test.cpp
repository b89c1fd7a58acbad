// The port dialog's wiring: what it lists, what its controls hand to the editor, what OK writes.
#include "app/port_settings_dialog.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QtTest/QTest>

#include "common/memory_settings.h"

namespace {

const char* Environment(const char* name) {
  return std::string(name) == "KRV5200_COM1" ? "/tmp/krv5200-sim/com1" : nullptr;
}

std::vector<FoundPort> UsbAdapter() { return {{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A10K5XYZ"}}; }

FoundPort PseudoTerminal(const std::string& device) {
  return {device, device.rfind("/tmp/", 0) == 0 ? "pseudo-terminal" : "not present", "", ""};
}

QStringList Row(QTreeWidget* list, int row) {
  QStringList cells;
  for (int c = 0; c < list->columnCount(); ++c) cells << list->topLevelItem(row)->text(c);
  return cells;
}

void ClickOk(PortSettingsDialog& dialog) {
  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

TEST(PortSettingsDialog, ListsThePortsAndWritesWhatTheUserChose) {
  MemorySettings store;
  PortSettingsDialog dialog(store, UsbAdapter, PseudoTerminal, Environment);
  dialog.show();

  QTreeWidget* list = dialog.PortList();
  ASSERT_EQ(list->topLevelItemCount(), 5);  // the adapter, the simulator's terminal, /dev/ttyS1..S3
  EXPECT_EQ(Row(list, 0), (QStringList{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A10K5XYZ", ""}));
  EXPECT_EQ(Row(list, 1), (QStringList{"/tmp/krv5200-sim/com1", "pseudo-terminal", "", "", "COM1"}));
  EXPECT_FALSE(dialog.DeviceBox(0)->isEnabled());
  EXPECT_EQ(dialog.NoteLabel(0)->text(), QStringLiteral("set by KRV5200_COM1"));
  EXPECT_EQ(dialog.DeviceBox(1)->accessibleName(), QStringLiteral("COM2"));
  EXPECT_EQ(dialog.BaudBox()->currentText(), QStringLiteral("9600"));

  dialog.DeviceBox(1)->setCurrentIndex(dialog.DeviceBox(1)->findText(QStringLiteral("/dev/ttyUSB0")));
  EXPECT_EQ(dialog.NoteLabel(1)->text(), QStringLiteral("FT232R USB UART (FTDI)"));
  EXPECT_EQ(Row(list, 0).last(), QStringLiteral("COM2"));
  dialog.ParityBox()->setCurrentIndex(dialog.ParityBox()->findText(QStringLiteral("Even")));
  dialog.BaudBox()->setCurrentText(QStringLiteral("19200"));
  // A screen reader's toggle counts as the user's.
  QAccessibleInterface* box = QAccessible::queryAccessibleInterface(dialog.SwitchBox(0));
  ASSERT_NE(box, nullptr);
  box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  QTest::mouseClick(dialog.SwitchBox(2), Qt::LeftButton, {}, QPoint(8, dialog.SwitchBox(2)->height() / 2));

  ClickOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.ChangedPorts(), std::vector<int>{1});
  EXPECT_EQ(store.strings, (std::map<std::string, std::string>{{"Ports/COM2", "/dev/ttyUSB0"}}));
  EXPECT_EQ(store.ints, (std::map<std::string, int>{{"RS_Set_Up/BaudRate", 19200},
                                                    {"RS_Set_Up/Parity", 2},
                                                    {"RS_Set_Up/fOutX", 1},
                                                    {"RS_Set_Up/fOutxCtsFlow", 1}}));
}

TEST(PortSettingsDialog, ABadEntryIsNamedAndKeptAndNothingIsWritten) {
  MemorySettings store;
  store.SetInt("RS_Set_Up", "Parity", 7);  // no parity the list offers: shown as it is, kept
  PortSettingsDialog dialog(store, UsbAdapter, PseudoTerminal, Environment);
  dialog.show();
  EXPECT_EQ(dialog.ParityBox()->currentText(), QStringLiteral("7"));

  dialog.DeviceBox(2)->lineEdit()->clear();
  QTest::keyClicks(dialog.DeviceBox(2)->lineEdit(), QStringLiteral("ttyACM0"));
  ClickOk(dialog);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.ErrorLabel()->text(),
            QStringLiteral("COM3: \"ttyACM0\" is not a device. A device is a path such as /dev/ttyUSB0."));
  EXPECT_TRUE(dialog.ErrorLabel()->isVisible());
  EXPECT_EQ(dialog.DeviceBox(2)->currentText(), QStringLiteral("ttyACM0"));
  EXPECT_TRUE(store.strings.empty());

  QTest::keyClicks(dialog.DeviceBox(2)->lineEdit(), QStringLiteral("x"));
  EXPECT_FALSE(dialog.ErrorLabel()->isVisible());  // editing clears the old complaint
  dialog.DeviceBox(2)->setCurrentText(QStringLiteral("/dev/ttyACM0"));
  ClickOk(dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(store.strings, (std::map<std::string, std::string>{{"Ports/COM3", "/dev/ttyACM0"}}));
  EXPECT_EQ(store.ints, (std::map<std::string, int>{{"RS_Set_Up/Parity", 7}}));
}

}  // namespace
