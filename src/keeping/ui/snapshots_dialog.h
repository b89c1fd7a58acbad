#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <vector>

#include "keeping/snapshot_store.h"

// "Snapshots": every kept snapshot, newest first, with its time, trigger and setup; "Open" opens
// the chosen one as a new untitled setup, "Compare" compares it with the current setup.
class SnapshotsDialog : public QDialog {
 public:
  static constexpr const char* kTitle = "Snapshots";

  explicit SnapshotsDialog(QWidget* parent);

  // Lists `entries`, kept in `folder`.
  void ShowEntries(const std::vector<SnapshotEntry>& entries, const std::string& folder);

  std::function<void(const SnapshotEntry&)> onOpen;
  std::function<void(const SnapshotEntry&)> onCompare;

  QTreeWidget* List() const { return list_; }
  QPushButton* OpenButton() const { return open_; }
  QPushButton* CompareButton() const { return compare_; }

 private:
  // The chosen entry, or null.
  const SnapshotEntry* Chosen() const;
  void UpdateButtons();

  std::vector<SnapshotEntry> entries_;
  QTreeWidget* list_ = nullptr;
  QLabel* folder_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* compare_ = nullptr;
};
