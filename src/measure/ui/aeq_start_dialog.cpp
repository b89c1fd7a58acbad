#include "measure/ui/aeq_start_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "common/ui/user_toggle.h"

AeqStartDialog::AeqStartDialog(AeqStart& dialog, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      dialog_(dialog) {
  setWindowTitle(QString::fromLatin1(kCaption));
  setObjectName(QString::fromLatin1(kCaption));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 16);
  layout->setSpacing(10);

  auto* status = new QLabel(QString::fromLatin1(kStatusText), this);
  status->setTextFormat(Qt::PlainText);
  status->setAlignment(Qt::AlignCenter);
  status->setObjectName(QStringLiteral("status"));
  layout->addWidget(status);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, AeqStart::kProgressEnd);
  progress_->setTextVisible(false);
  progress_->setFixedHeight(16);
  progress_->setMinimumWidth(300);
  progress_->setAccessibleName(QString::fromLatin1(kStatusText));
  layout->addWidget(progress_);

  auto* modes = new QGroupBox(QString::fromLatin1(kModeGroupText), this);
  auto* modeLayout = new QVBoxLayout(modes);
  for (int i = 0; i < AeqStart::kModeCount; ++i) {
    auto* radio =
        new QRadioButton(QString::fromLatin1(AeqStart::kModeTexts[static_cast<std::size_t>(i)]), modes);
    const int mode = AeqStart::kModes[static_cast<std::size_t>(i)];
    OnUserToggled(radio, this, [this, mode](bool checked) {
      if (!checked) return;
      dialog_.SelectMode(mode);
      // The dialog may refuse: the buttons show what it holds.
      Sync();
    });
    radios_[static_cast<std::size_t>(i)] = radio;
    modeLayout->addWidget(radio);
  }
  layout->addWidget(modes);

  auto* notice = new QLabel(QString::fromLatin1(kTcrNoticeText), this);
  notice->setTextFormat(Qt::PlainText);
  notice->setAlignment(Qt::AlignCenter);
  layout->addWidget(notice);

  auto* row = new QHBoxLayout;
  row->addStretch();
  start_ = new QPushButton(QString::fromLatin1(kStartText), this);
  cancel_ = new QPushButton(QString::fromLatin1(kCancelText), this);
  for (QPushButton* b : {start_, cancel_}) {
    b->setMinimumWidth(96);
    b->setAutoDefault(false);
    row->addWidget(b);
  }
  row->addStretch();
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(start_, &QPushButton::clicked, this, [this] { dialog_.PressStart(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { dialog_.PressCancel(); });
  Sync();
}

void AeqStartDialog::Sync() {
  for (int i = 0; i < AeqStart::kModeCount; ++i) {
    QRadioButton* radio = radios_[static_cast<std::size_t>(i)];
    const int mode = AeqStart::kModes[static_cast<std::size_t>(i)];
    const QSignalBlocker block(radio);
    // Exclusive by hand: a mode that is not possible may still be the one the dialog holds.
    radio->setAutoExclusive(false);
    radio->setChecked(dialog_.Mode() == mode);
    radio->setAutoExclusive(true);
    radio->setEnabled(dialog_.ModeEnabled(mode) && dialog_.StartEnabled());
  }
  start_->setEnabled(dialog_.StartEnabled());
  cancel_->setEnabled(dialog_.CancelEnabled());
  progress_->setValue(dialog_.Position());
}

void AeqStartDialog::reject() {
  if (dialog_.CancelEnabled()) dialog_.PressCancel();
}
