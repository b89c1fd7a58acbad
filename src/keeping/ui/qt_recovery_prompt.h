#pragma once

#include <QPointer>
#include <QWidget>

#include "keeping/recovery_prompt.h"

// The start-up question about a setup left unsaved, as a message box in front of `parent`.
class QtRecoveryPrompt : public RecoveryPrompt {
 public:
  static constexpr const char* kRestoreText = "Restore";
  static constexpr const char* kDiscardText = "Discard";

  explicit QtRecoveryPrompt(QWidget* parent) : parent_(parent) {}
  Answer Ask(const std::string& question) override;

 private:
  QPointer<QWidget> parent_;
};
