#include "app/qt_document_prompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

QStringList Filters() {
  return {QString::fromLatin1(QtDocumentPrompts::kFileFilter),
          QString::fromLatin1(QtDocumentPrompts::kAllFilesFilter)};
}

}  // namespace

DocumentPrompts::SaveAnswer QtDocumentPrompts::AskSaveChanges(const std::string& name) {
  QMessageBox box(parent_.data());
  box.setWindowTitle(QStringLiteral("KRV5200"));
  box.setIcon(QMessageBox::Warning);
  box.setText(QString::fromLatin1(kSaveChangesText).arg(QString::fromStdString(name)));
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  box.setDefaultButton(QMessageBox::Yes);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return SaveAnswer::Yes;
    case QMessageBox::No:
      return SaveAnswer::No;
    default:
      return SaveAnswer::Cancel;
  }
}

std::string QtDocumentPrompts::ChooseOpenFile(const std::string& folder) {
  QFileDialog dialog(parent_.data(), QStringLiteral("Open"));
  if (!folder.empty()) dialog.setDirectory(QString::fromStdString(folder));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(Filters());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front().toStdString();
}

std::string QtDocumentPrompts::ChooseSaveFile(const std::string& suggested) {
  QFileDialog dialog(parent_.data(), QStringLiteral("Save As"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(Filters());
  dialog.setDefaultSuffix(QStringLiteral("tvn"));
  dialog.selectFile(QString::fromStdString(suggested));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front().toStdString();
}
