#include "common/ui/progress_window.h"

#include <QApplication>
#include <QVBoxLayout>

#include "common/ui/caption_width.h"
#include "platform/qt_message_pump.h"

ProgressWindow::ProgressWindow(const QString& caption, int lines, int rangeHigh, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setWindowTitle(caption);
  setObjectName(caption);
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 18);
  layout->setSpacing(8);
  for (int i = 0; i < lines; ++i) {
    auto* label = new QLabel(this);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(260);
    lines_.push_back(label);
    layout->addWidget(label);
  }
  bar_ = new QProgressBar(this);
  bar_->setRange(0, rangeHigh);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  bar_->setFixedHeight(16);
  layout->addSpacing(4);
  layout->addWidget(bar_);
  ReserveCaptionWidth(*layout, caption);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ProgressWindow::Open() {
  if (parentWidget() != nullptr && !isVisible()) {
    const QRect frame = parentWidget()->window()->geometry();
    adjustSize();
    move(frame.center() - rect().center());
  }
  show();
  raise();
  // Let the window reach the screen before the transfer starts.
  QtMessagePump::DeliverPaintEvents();
  repaint();
}

void ProgressWindow::SetRange(int low, int high) {
  bar_->setRange(low, high);
  if (isVisible()) bar_->repaint();
}

void ProgressWindow::SetText(int line, std::string_view text) {
  if (line < 0 || line >= static_cast<int>(lines_.size())) return;
  QLabel* label = lines_[static_cast<std::size_t>(line)];
  label->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  if (isVisible()) label->repaint();
}

void ProgressWindow::SetPosition(int position) {
  bar_->setValue(position);
  if (isVisible()) bar_->repaint();
}

void ProgressWindow::Close() { hide(); }

void ProgressWindow::Beep() { QApplication::beep(); }

QString ProgressWindow::Text(int line) const {
  if (line < 0 || line >= static_cast<int>(lines_.size())) return {};
  return lines_[static_cast<std::size_t>(line)]->text();
}
