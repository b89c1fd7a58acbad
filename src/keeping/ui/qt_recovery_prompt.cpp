#include "keeping/ui/qt_recovery_prompt.h"

#include <QMessageBox>
#include <QPushButton>

RecoveryPrompt::Answer QtRecoveryPrompt::Ask(const std::string& question) {
  QMessageBox box(parent_.data());
  box.setWindowTitle(QStringLiteral("KRV5200"));
  box.setIcon(QMessageBox::Question);
  box.setText(QString::fromStdString(question));
  QPushButton* restore = box.addButton(QString::fromLatin1(kRestoreText), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QString::fromLatin1(kDiscardText), QMessageBox::DestructiveRole);
  box.setDefaultButton(restore);
  box.exec();
  if (box.clickedButton() == restore) return Answer::Restore;
  if (box.clickedButton() == discard) return Answer::Discard;
  return Answer::Later;
}
