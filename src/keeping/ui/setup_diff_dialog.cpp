#include "keeping/ui/setup_diff_dialog.h"

#include <QPushButton>
#include <QVBoxLayout>

SetupDiffDialog::SetupDiffDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QString::fromLatin1(kTitle));
  setWindowTitle(QString::fromLatin1(kTitle));
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("heading"));
  heading_->setTextFormat(Qt::PlainText);
  heading_->setWordWrap(true);
  rows_ = new QListWidget(this);
  rows_->setObjectName(QStringLiteral("differences"));
  rows_->setAccessibleName(QStringLiteral("Differences"));
  rows_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  heading_->setBuddy(rows_);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(rows_, 1);
  layout->addWidget(close, 0, Qt::AlignRight);
  resize(640, 420);
}

void SetupDiffDialog::ShowRows(const std::string& otherName, const std::vector<SetupDiff::Row>& rows) {
  const QString name = QString::fromStdString(otherName);
  heading_->setText(rows.empty() ? QStringLiteral("Current setup -> %1: no differences").arg(name)
                    : rows.size() == 1
                        ? QStringLiteral("Current setup -> %1: 1 difference").arg(name)
                        : QStringLiteral("Current setup -> %1: %2 differences").arg(name).arg(rows.size()));
  rows_->clear();
  for (const SetupDiff::Row& row : rows) {
    auto* item = new QListWidgetItem(QString::fromStdString(row.text), rows_);
    item->setToolTip(
        QString::fromStdString(SetupDiff::TsvLine(row)).replace(QLatin1Char('\t'), QStringLiteral("  ")));
  }
  rows_->setAccessibleDescription(heading_->text());
}
