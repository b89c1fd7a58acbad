#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "common/dialogs.h"

// The message boxes and small dialogs of the windowed program, in front of the main window.
class QtDialogs : public Dialogs {
 public:
  // Captions and texts as the processor's owners know them.
  static constexpr const char* kMessageCaption = "KRV5200";
  static constexpr const char* kErrorCaption = "ERROR";
  static constexpr const char* kMemorySaveCaption = "MEMORY SAVA";
  static constexpr const char* kMemorySaveText = "DATA  SAVE    OK?";
  static constexpr const char* kMemorySaveTarget = "Store to memory %1";
  static constexpr int kMemorySaveTimeoutMs = 3000;
  static constexpr const char* kCopyCaption = "COPY_WARNING";
  static constexpr const char* kCopyText =
      "IF YOU SELECT OK ,YOUR INDEPENDENT LR_DATA IS SAME AS COMMON_DATA.";
  static constexpr const char* kAeqWarningCaption = "WARNING";
  static constexpr const char* kAeqWarningText = "IF YOU SELECT OK  ,AEQ IS INCOMPLETE";
  static constexpr int kAeqWarningTimeoutMs = 5000;
  static constexpr const char* kParameterSelectCaption = "PARAMETER SELECT";
  static constexpr const char* kParameterSelectText = "Which do you select for AEQ Parameter?";
  static constexpr const char* kParameterOnPc = "AEQ PARAMETER ON PC";
  static constexpr const char* kParameterOnProcessor = "AEQ PARAMETER ON KRV5200";
  static constexpr int kParameterSelectTimeoutMs = 5000;
  static constexpr const char* kParameterSaveCaption = "AEQ PARAMETER SAVE";
  static constexpr const char* kParameterSaveText =
      " AEQ Parameter currently exists on KRV-5200.\n To save the Parameter to PC,\n do you want to load the "
      "parameter to PC?\n (This will take some time.)";
  static constexpr int kKeepAliveMs = 4000;
  static constexpr const char* kTcrWarningCaption = "TCR_WARNING";
  static constexpr const char* kTcrWarningText = "IF YOU SELECT OK ,YOUR TCR IS CANGE";
  static constexpr int kTcrWarningTimeoutMs = 5000;

  // The window the dialogs stand in front of.
  void SetParent(QWidget* parent) { parent_ = parent; }
  // For measuring and scripted runs: no welcome screen, no closing screen.
  void SetSkipWelcome(bool skip) { skipWelcome_ = skip; }
  void SetSkipFinish(bool skip) { skipFinish_ = skip; }

  void ShowMessage(std::string_view text, MessageIcon icon = MessageIcon::None) override;
  // The system's text as the box's text, the cause as a plain line under it.
  void ShowFailure(std::string_view text, std::string_view cause,
                   MessageIcon icon = MessageIcon::None) override;
  void ShowErrorBox(std::string_view text) override;
  int SelectMemory(const std::function<void()>& keepAlive) override;
  int ConfirmMemorySave(int memory) override;
  WelcomeChoice ShowWelcomeScreen() override;
  bool ConfirmCopy() override;
  bool ConfirmAeqIncomplete() override;
  AeqParameterSource SelectAeqParameter() override;
  bool ConfirmAeqParameterSave(const std::function<void()>& keepAlive) override;
  bool ConfirmTcrChange() override;
  void EditProfile(CustomerProfile& profile) override;
  void ShowFinishScreen(bool countryIsUsa) override;

 private:
  QWidget* Parent() const { return parent_.data(); }

  QPointer<QWidget> parent_;
  bool skipWelcome_ = false;
  bool skipFinish_ = false;
  // The profile dialog's "ID code", kept for the session only.
  std::string profileIdCode_;
};
