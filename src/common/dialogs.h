#pragma once

#include <functional>
#include <string>
#include <string_view>

struct CustomerProfile;

enum class MessageIcon { None, Information, Exclamation, Error };

// Message boxes and the small confirmation dialogs. The core reports to the user only through
// this seam; the windowed program shows boxes, the command-line tool writes to standard error.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A modal message box with one "OK" button.
  virtual void ShowMessage(std::string_view text, MessageIcon icon = MessageIcon::None) = 0;

  // A failure's message box: the system's text, and under it one plain line that says why (the
  // port, its device and the likely cause; the reason a save failed). Without a cause it is an
  // ordinary message; the command line prints the cause on the line after the message.
  virtual void ShowFailure(std::string_view text, std::string_view cause,
                           MessageIcon icon = MessageIcon::None) {
    if (cause.empty()) return ShowMessage(text, icon);
    ShowMessage(std::string(text) + "\n" + std::string(cause), icon);
  }

  // The modal dialog titled "ERROR" with one short message and an "OK" button, which the
  // equalizer and crossover windows show for a mistyped channel name.
  virtual void ShowErrorBox(std::string_view text) { ShowMessage(text); }

  // Memory numbers of the processor's six memories; kMemoryCancel when none was chosen.
  static constexpr int kMemoryCancel = 7;

  // "Memory Select": six buttons "1".."6" and "CANCEL". A number button asks ConfirmMemorySave;
  // on "OK" that button is disabled and the dialog closes with its number, otherwise it stays
  // open. "CANCEL" closes it with kMemoryCancel. While it is open, `keepAlive` is called every
  // 4000 ms so that the processor does not drop the link.
  virtual int SelectMemory(const std::function<void()>& keepAlive) {
    (void)keepAlive;
    return kMemoryCancel;
  }
  // "MEMORY SAVA" ("DATA  SAVE    OK?") for storing to `memory` (1..6), which it names, as it
  // counts down the seconds before it cancels itself: 1 for "OK"; 0 for "CANCEL" or when it
  // closed itself after 3000 ms.
  virtual int ConfirmMemorySave(int memory) {
    (void)memory;
    return 0;
  }

  // The "Welcome Screen" shown once at start-up; "Customer Registration" asks for the profile.
  enum class WelcomeChoice { SystemSetup, CustomerRegistration };
  virtual WelcomeChoice ShowWelcomeScreen() { return WelcomeChoice::SystemSetup; }

  // "COPY_WARNING" ("IF YOU SELECT OK ,YOUR INDEPENDENT LR_DATA IS SAME AS COMMON_DATA."):
  // true for "OK", false for "CANCEL".
  virtual bool ConfirmCopy() { return false; }

  // "WARNING" ("IF YOU SELECT OK  ,AEQ IS INCOMPLETE"): true for "OK"; false for "CANCEL" or
  // when it closed itself after 5000 ms.
  virtual bool ConfirmAeqIncomplete() { return false; }

  // "PARAMETER SELECT" ("Which do you select for AEQ Parameter?"): closes itself after 5000 ms
  // with no choice.
  enum class AeqParameterSource { None, Pc, Processor };
  virtual AeqParameterSource SelectAeqParameter() { return AeqParameterSource::None; }

  // "AEQ PARAMETER SAVE": true for "OK". While it is open `keepAlive` is called every 4000 ms.
  virtual bool ConfirmAeqParameterSave(const std::function<void()>& keepAlive) {
    (void)keepAlive;
    return false;
  }

  // "TCR_WARNING" ("IF YOU SELECT OK ,YOUR TCR IS CANGE") before the automatic time correction
  // replaces the delays: true for "OK"; false for "CANCEL" or when it closed itself after 5000 ms.
  virtual bool ConfirmTcrChange() { return false; }

  // The modal customer profile dialog; edits `profile` in place, whichever way it is left.
  virtual void EditProfile(CustomerProfile& profile) { (void)profile; }

  // The closing screen at program end; the e-mail request is shown for the U.S.A only.
  virtual void ShowFinishScreen(bool countryIsUsa) { (void)countryIsUsa; }
};
