#include "app/memory_select_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "common/dialogs.h"
#include "common/ui/caption_width.h"

MemorySelectDialog::MemorySelectDialog(std::function<int(int)> confirm, std::function<void()> keepAlive,
                                       QWidget* parent)
    : QDialog(parent),
      confirm_(std::move(confirm)),
      keepAlive_(std::move(keepAlive)),
      result_(Dialogs::kMemoryCancel) {
  setWindowTitle(QStringLiteral("Memory Select"));
  setObjectName(QStringLiteral("Memory Select"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 16, 18, 14);
  layout->setSpacing(12);
  auto* grid = new QGridLayout;
  grid->setSpacing(8);
  for (int i = 0; i < 6; ++i) {
    auto* button = new QPushButton(QString::number(i + 1), this);
    button->setFixedSize(56, 44);
    button->setAutoDefault(false);
    QFont f = button->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    f.setBold(true);
    button->setFont(f);
    connect(button, &QPushButton::clicked, this, [this, i] { Pressed(i + 1); });
    buttons_[static_cast<std::size_t>(i)] = button;
    grid->addWidget(button, i / 3, i % 3);
  }
  layout->addLayout(grid);
  auto* cancel = new QPushButton(QStringLiteral("CANCEL"), this);
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &MemorySelectDialog::reject);
  layout->addWidget(cancel);
  ReserveCaptionWidth(*layout, windowTitle());
  layout->setSizeConstraint(QLayout::SetFixedSize);
  keepAliveTimer_.setInterval(kKeepAliveMs);
  connect(&keepAliveTimer_, &QTimer::timeout, this, [this] {
    if (keepAlive_) keepAlive_();
  });
}

int MemorySelectDialog::Choose() {
  result_ = Dialogs::kMemoryCancel;
  keepAliveTimer_.start();
  exec();
  keepAliveTimer_.stop();
  return result_;
}

void MemorySelectDialog::Pressed(int memory) {
  result_ = memory;
  if (confirm_(memory) == 1) {
    buttons_[static_cast<std::size_t>(memory - 1)]->setEnabled(false);
    keepAliveTimer_.stop();
    accept();
    return;
  }
  result_ = Dialogs::kMemoryCancel;
}

void MemorySelectDialog::reject() {
  result_ = Dialogs::kMemoryCancel;
  QDialog::reject();
}
