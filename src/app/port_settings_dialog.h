#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <array>
#include <functional>
#include <vector>

#include "link/port_setup_editor.h"

class SettingsStore;

// "Port Settings...": the serial devices of this computer, which of them "COM1".."COM4" stand
// for, and the line settings of "RS_Set_Up". Every rule is the editor's; OK writes what changed,
// or shows why an entry cannot be taken and stays open.
class PortSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "Port Settings";
  static constexpr const char* kListCaption = "Serial ports on this computer";
  static constexpr const char* kPortsCaption = "Ports";
  static constexpr const char* kLineNote = "The line settings apply from the next connect.";

  using Scan = std::function<std::vector<FoundPort>()>;

  PortSettingsDialog(SettingsStore& settings, Scan scan, PortSetupEditor::Describe describe,
                     PortMapping::Environment environment = PortMapping::ProcessEnvironment,
                     QWidget* parent = nullptr);

  // After OK: the ports whose device changed, 0 for "COM1".
  const std::vector<int>& ChangedPorts() const { return changed_; }

  // The controls, for tests.
  QTreeWidget* PortList() const { return list_; }
  QComboBox* DeviceBox(int index) const { return devices_[static_cast<std::size_t>(index)]; }
  QLabel* NoteLabel(int index) const { return notes_[static_cast<std::size_t>(index)]; }
  QComboBox* BaudBox() const { return baud_; }
  QComboBox* DataBitsBox() const { return dataBits_; }
  QComboBox* ParityBox() const { return parity_; }
  QComboBox* StopBitsBox() const { return stopBits_; }
  QCheckBox* SwitchBox(int index) const { return switches_[static_cast<std::size_t>(index)]; }
  QLabel* ErrorLabel() const { return error_; }
  QPushButton* RefreshButton() const { return refresh_; }

  void accept() override;

 private:
  QWidget* BuildList();
  QWidget* BuildPorts();
  QWidget* BuildLine();
  void Rescan();
  // Sets every control from the editor, without the controls reporting back.
  void ShowState();
  void ShowList();
  void ShowNotes();

  PortSetupEditor editor_;
  Scan scan_;
  PortSetupEditor::Describe describe_;
  std::vector<int> changed_;

  QTreeWidget* list_ = nullptr;
  QPushButton* refresh_ = nullptr;
  std::array<QComboBox*, PortSetupEditor::kPortCount> devices_{};
  std::array<QLabel*, PortSetupEditor::kPortCount> notes_{};
  QComboBox* baud_ = nullptr;
  QComboBox* dataBits_ = nullptr;
  QComboBox* parity_ = nullptr;
  QComboBox* stopBits_ = nullptr;
  std::array<QCheckBox*, 4> switches_{};  // XON/XOFF out, XON/XOFF in, CTS, DSR
  QLabel* error_ = nullptr;
};
