#include "app/timed_choice_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/ui/caption_width.h"

namespace {

constexpr int kButtonPadding = 28;

}  // namespace

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
  detail_ = new QLabel(this);
  detail_->setTextFormat(Qt::PlainText);
  detail_->setAlignment(Qt::AlignCenter);
  detail_->setObjectName(QStringLiteral("detail"));
  detail_->hide();
  layout->addWidget(detail_);
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (const Choice& choice : choices) {
    auto* button = new QPushButton(choice.label, this);
    button->setMinimumWidth(
        std::max(88, button->fontMetrics().horizontalAdvance(choice.label) + kButtonPadding));
    button->setMinimumHeight(28);
    button->setAutoDefault(false);
    // Its caption may count down; its name stays.
    button->setAccessibleName(choice.label);
    const int result = choice.result;
    if (result == cancelResult_ && cancelButton_ == nullptr) {
      cancelButton_ = button;
      cancelLabel_ = choice.label;
    }
    connect(button, &QPushButton::clicked, this, [this, result] {
      answer_ = result;
      accept();
    });
    row->addWidget(button);
  }
  row->addStretch();
  layout->addLayout(row);
  ReserveCaptionWidth(*layout, caption);
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

void TimedChoiceDialog::SetDetail(const QString& detail) {
  detail_->setText(detail);
  detail_->setVisible(!detail.isEmpty());
}

void TimedChoiceDialog::ShowSecondsLeft(int seconds) {
  if (cancelButton_ == nullptr) return;
  const QString text = QStringLiteral("%1 (%2)").arg(cancelLabel_).arg(seconds);
  cancelButton_->setText(text);
  // Wide enough for every count from the start, so that the row does not move.
  const int width = cancelButton_->fontMetrics().horizontalAdvance(text) + kButtonPadding;
  if (cancelButton_->minimumWidth() < width) cancelButton_->setMinimumWidth(width);
}

int TimedChoiceDialog::Ask() {
  constexpr int kSecondMs = 1000;
  answer_ = cancelResult_;
  QTimer timeout;
  timeout.setSingleShot(true);
  QTimer seconds;
  int secondsLeft = (timeoutMs_ + kSecondMs - 1) / kSecondMs;
  if (timeoutMs_ > 0) {
    connect(&timeout, &QTimer::timeout, this, &TimedChoiceDialog::reject);
    timeout.start(timeoutMs_);
    if (countdown_) {
      ShowSecondsLeft(secondsLeft);
      connect(&seconds, &QTimer::timeout, this, [&] {
        if (secondsLeft > 1) ShowSecondsLeft(--secondsLeft);
      });
      seconds.start(kSecondMs);
    }
  }
  if (keepAlive_) keepAliveTimer_.start();
  exec();
  keepAliveTimer_.stop();
  if (cancelButton_ != nullptr) cancelButton_->setText(cancelLabel_);
  return answer_;
}

void TimedChoiceDialog::reject() {
  answer_ = cancelResult_;
  QDialog::reject();
}
