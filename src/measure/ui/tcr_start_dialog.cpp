#include "measure/ui/tcr_start_dialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "measure/auto_tcr_run.h"

TcrStartDialog::TcrStartDialog(AutoTcrRun& run, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      run_(run) {
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
  progress_->setRange(0, AutoTcrRun::kProgressEnd);
  progress_->setTextVisible(false);
  progress_->setFixedHeight(16);
  progress_->setMinimumWidth(280);
  progress_->setAccessibleName(QString::fromLatin1(kStatusText));
  layout->addWidget(progress_);
  stop_ = new QPushButton(QString::fromLatin1(kStopText), this);
  stop_->setMinimumWidth(96);
  stop_->setAutoDefault(false);
  layout->addWidget(stop_, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(stop_, &QPushButton::clicked, this, [this] {
    run_.Stop();
    stop_->setEnabled(false);
  });
}

void TcrStartDialog::reject() { stop_->click(); }
