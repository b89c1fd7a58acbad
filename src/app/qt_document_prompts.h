#pragma once

#include <QPointer>
#include <QWidget>

#include "app/document_prompts.h"

// The file dialogs and the save question of the windowed program.
class QtDocumentPrompts : public DocumentPrompts {
 public:
  static constexpr const char* kSaveChangesText = "Save changes to %1?";
  static constexpr const char* kFileFilter = "KRV5200 File(*.tvn)";
  static constexpr const char* kAllFilesFilter = "All Files (*.*)";

  void SetParent(QWidget* parent) { parent_ = parent; }

  SaveAnswer AskSaveChanges(const std::string& name) override;
  std::string ChooseOpenFile(const std::string& folder) override;
  std::string ChooseSaveFile(const std::string& suggested) override;

 private:
  QPointer<QWidget> parent_;
};
