#include "app/qt_dialogs.h"

#include <QLabel>
#include <QMessageBox>

#include "app/memory_select_dialog.h"
#include "app/timed_choice_dialog.h"
#include "app/welcome_screen.h"
#include "common/ui/caption_width.h"
#include "platform/qt_text.h"
#include "profile/ui/customer_profile_dialog.h"
#include "profile/ui/finish_screen.h"

namespace {

QString Latin(const char* s) { return QString::fromLatin1(s); }

enum OkCancel { kCancel = 0, kOk = 1 };

std::vector<TimedChoiceDialog::Choice> OkAndCancel() {
  return {{QStringLiteral("OK"), kOk}, {QStringLiteral("CANCEL"), kCancel}};
}

}  // namespace

namespace {

void ShowBox(QWidget* parent, const char* caption, std::string_view text, MessageIcon icon,
             std::string_view cause = {}) {
  QMessageBox box(parent);
  box.setObjectName(Latin(caption));
  box.setWindowTitle(Latin(caption));
  box.setText(QtText(text));
  box.setTextFormat(Qt::PlainText);
  if (!cause.empty()) {
    box.setInformativeText(QtText(cause));
    // One plain line, as wide as it is: the box takes the width it needs.
    if (auto* line = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
      line->setWordWrap(false);
  }
  switch (icon) {
    case MessageIcon::None:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case MessageIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageIcon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageIcon::Error:
      box.setIcon(QMessageBox::Critical);
      break;
  }
  box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  // Last: the icon and the text lay the box out anew.
  ReserveCaptionWidth(box);
  box.exec();
}

}  // namespace

void QtDialogs::ShowMessage(std::string_view text, MessageIcon icon) {
  ShowBox(Parent(), kMessageCaption, text, icon);
}

void QtDialogs::ShowFailure(std::string_view text, std::string_view cause, MessageIcon icon) {
  ShowBox(Parent(), kMessageCaption, text, icon, cause);
}

void QtDialogs::ShowErrorBox(std::string_view text) {
  ShowBox(Parent(), kErrorCaption, text, MessageIcon::None);
}

int QtDialogs::SelectMemory(const std::function<void()>& keepAlive) {
  MemorySelectDialog dialog([this](int memory) { return ConfirmMemorySave(memory); }, keepAlive, Parent());
  return dialog.Choose();
}

int QtDialogs::ConfirmMemorySave(int memory) {
  TimedChoiceDialog dialog(Latin(kMemorySaveCaption), Latin(kMemorySaveText), OkAndCancel(), kCancel,
                           Parent());
  dialog.SetDetail(Latin(kMemorySaveTarget).arg(memory));
  dialog.SetTimeout(kMemorySaveTimeoutMs);
  dialog.SetCountdown(true);
  return dialog.Ask();
}

Dialogs::WelcomeChoice QtDialogs::ShowWelcomeScreen() {
  if (skipWelcome_) return WelcomeChoice::SystemSetup;
  WelcomeScreen screen(Parent());
  return screen.exec() == WelcomeScreen::CustomerRegistration ? WelcomeChoice::CustomerRegistration
                                                              : WelcomeChoice::SystemSetup;
}

bool QtDialogs::ConfirmCopy() {
  TimedChoiceDialog dialog(Latin(kCopyCaption), Latin(kCopyText), OkAndCancel(), kCancel, Parent());
  return dialog.Ask() == kOk;
}

bool QtDialogs::ConfirmAeqIncomplete() {
  TimedChoiceDialog dialog(Latin(kAeqWarningCaption), Latin(kAeqWarningText), OkAndCancel(), kCancel,
                           Parent());
  dialog.SetTimeout(kAeqWarningTimeoutMs);
  return dialog.Ask() == kOk;
}

Dialogs::AeqParameterSource QtDialogs::SelectAeqParameter() {
  constexpr int kNone = 0;
  constexpr int kPc = 1;
  constexpr int kProcessor = 2;
  TimedChoiceDialog dialog(Latin(kParameterSelectCaption), Latin(kParameterSelectText),
                           {{Latin(kParameterOnPc), kPc}, {Latin(kParameterOnProcessor), kProcessor}}, kNone,
                           Parent());
  dialog.SetTimeout(kParameterSelectTimeoutMs);
  switch (dialog.Ask()) {
    case kPc:
      return AeqParameterSource::Pc;
    case kProcessor:
      return AeqParameterSource::Processor;
    default:
      return AeqParameterSource::None;
  }
}

bool QtDialogs::ConfirmAeqParameterSave(const std::function<void()>& keepAlive) {
  TimedChoiceDialog dialog(Latin(kParameterSaveCaption), Latin(kParameterSaveText), OkAndCancel(), kCancel,
                           Parent());
  dialog.SetKeepAlive(kKeepAliveMs, keepAlive);
  return dialog.Ask() == kOk;
}

bool QtDialogs::ConfirmTcrChange() {
  TimedChoiceDialog dialog(Latin(kTcrWarningCaption), Latin(kTcrWarningText), OkAndCancel(), kCancel,
                           Parent());
  dialog.SetTimeout(kTcrWarningTimeoutMs);
  return dialog.Ask() == kOk;
}

void QtDialogs::EditProfile(CustomerProfile& profile) {
  CustomerProfileDialog dialog(*this, Parent());
  // Its messages stand in front of the profile dialog while it is open.
  const QPointer<QWidget> mainWindow = parent_;
  parent_ = &dialog;
  dialog.SetIdCode(profileIdCode_);
  dialog.Edit(profile);
  profileIdCode_ = dialog.IdCode();
  parent_ = mainWindow;
}

void QtDialogs::ShowFinishScreen(bool countryIsUsa) {
  if (skipFinish_) return;
  FinishScreen screen(countryIsUsa, Parent());
  screen.Run();
}
