#include "app/timed_choice_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

TimedChoiceDialog::TimedChoiceDialog(const QString& caption, const QString& text, std::vector<Choice> choices,
                                     int cancelResult, QWidget* parent)
    : QDialog(parent), cancelResult_(cancelResult), answer_(cancelResult) {
  setWindowTitle(caption);
  setObjectName(caption);
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(22, 18, 22, 14);
  layout->setSpacing(16);
  auto* label = new QLabel(text, this);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignCenter);
  label->setObjectName(QStringLiteral("text"));
  layout->addWidget(label);
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (const Choice& choice : choices) {
    auto* button = new QPushButton(choice.label, this);
    button->setMinimumWidth(std::max(88, button->fontMetrics().horizontalAdvance(choice.label) + 28));
    button->setMinimumHeight(28);
    button->setAutoDefault(false);
    const int result = choice.result;
    connect(button, &QPushButton::clicked, this, [this, result] {
      answer_ = result;
      accept();
    });
    row->addWidget(button);
  }
  row->addStretch();
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(&keepAliveTimer_, &QTimer::timeout, this, [this] {
    // A keep-alive that waits on the line, or reports a dead one, delivers events itself: the
    // next tick must not start a second query in the middle of the first.
    if (!keepAlive_ || inKeepAlive_) return;
    inKeepAlive_ = true;
    keepAlive_();
    inKeepAlive_ = false;
  });
}

void TimedChoiceDialog::SetKeepAlive(int intervalMs, std::function<void()> keepAlive) {
  keepAlive_ = std::move(keepAlive);
  keepAliveTimer_.setInterval(intervalMs);
}

int TimedChoiceDialog::Ask() {
  answer_ = cancelResult_;
  QTimer timeout;
  timeout.setSingleShot(true);
  if (timeoutMs_ > 0) {
    connect(&timeout, &QTimer::timeout, this, &TimedChoiceDialog::reject);
    timeout.start(timeoutMs_);
  }
  if (keepAlive_) keepAliveTimer_.start();
  exec();
  keepAliveTimer_.stop();
  return answer_;
}

void TimedChoiceDialog::reject() {
  answer_ = cancelResult_;
  QDialog::reject();
}
