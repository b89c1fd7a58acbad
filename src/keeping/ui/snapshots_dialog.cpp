#include "keeping/ui/snapshots_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "keeping/time_stamp.h"

SnapshotsDialog::SnapshotsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QString::fromLatin1(kTitle));
  setWindowTitle(QString::fromLatin1(kTitle));
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("snapshotList"));
  list_->setAccessibleName(QString::fromLatin1(kTitle));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setHeaderLabels({QStringLiteral("Time"), QStringLiteral("Trigger"), QStringLiteral("Setup")});
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  folder_ = new QLabel(this);
  folder_->setObjectName(QStringLiteral("folder"));
  folder_->setTextFormat(Qt::PlainText);
  folder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  folder_->setWordWrap(true);

  open_ = new QPushButton(QStringLiteral("Open"), this);
  compare_ = new QPushButton(QStringLiteral("Compare"), this);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  for (QPushButton* b : {open_, compare_, close}) b->setAutoDefault(false);
  connect(open_, &QPushButton::clicked, this, [this] {
    if (const SnapshotEntry* e = Chosen(); e != nullptr && onOpen) onOpen(*e);
  });
  connect(compare_, &QPushButton::clicked, this, [this] {
    if (const SnapshotEntry* e = Chosen(); e != nullptr && onCompare) onCompare(*e);
  });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  connect(list_, &QTreeWidget::currentItemChanged, this, [this] { UpdateButtons(); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(open_);
  buttons->addWidget(compare_);
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(folder_);
  layout->addLayout(buttons);
  resize(560, 400);
  UpdateButtons();
}

void SnapshotsDialog::ShowEntries(const std::vector<SnapshotEntry>& entries, const std::string& folder) {
  entries_ = entries;
  list_->clear();
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const SnapshotEntry& e = entries_[i];
    auto* item =
        new QTreeWidgetItem(list_, {QString::fromStdString(TimeStamp::LocalText(e.time)),
                                    QString::fromStdString(e.trigger), QString::fromStdString(e.setupName)});
    item->setData(0, Qt::UserRole, static_cast<int>(i));
    item->setToolTip(0, QString::fromStdString(e.path));
  }
  if (!entries_.empty()) list_->setCurrentItem(list_->topLevelItem(0));
  folder_->setText(entries_.empty()
                       ? QStringLiteral("No snapshots yet in %1").arg(QString::fromStdString(folder))
                       : QStringLiteral("Kept in %1").arg(QString::fromStdString(folder)));
  UpdateButtons();
}

const SnapshotEntry* SnapshotsDialog::Chosen() const {
  const QTreeWidgetItem* item = list_->currentItem();
  if (item == nullptr) return nullptr;
  const int index = item->data(0, Qt::UserRole).toInt();
  return index >= 0 && index < static_cast<int>(entries_.size()) ? &entries_[static_cast<std::size_t>(index)]
                                                                 : nullptr;
}

void SnapshotsDialog::UpdateButtons() {
  const bool chosen = Chosen() != nullptr;
  open_->setEnabled(chosen);
  compare_->setEnabled(chosen);
}
