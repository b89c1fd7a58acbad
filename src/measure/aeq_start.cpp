#include "measure/aeq_start.h"

#include <algorithm>

#include "common/form_request.h"
#include "measure/aeq_start_view.h"
#include "measure/speaker_layout.h"

namespace {

constexpr int kStatusSubWooferA = 10;
constexpr int kStatusSubWooferB = 11;
constexpr int kFirstPhaseEnd = 99;

}  // namespace

AeqStart::AeqStart(FormRequestSink& requests, AeqStartView& view) : requests_(requests), view_(view) {}

void AeqStart::Open(const std::array<std::int32_t, kOutputCount>& speakerSwitch, int status, int aeqMode) {
  frontPossible_ = FrontSpeakersSet(speakerSwitch);
  subPossible_ = SubWoofersSet(speakerSwitch) && (status == kStatusSubWooferA || status == kStatusSubWooferB);
  mode_ = aeqMode;
  // The first possible mode in the order of preference: both, sub-woofers only, front only.
  for (int mode : {kAeqModeFrontOnSubOn, kAeqModeFrontOffSubOn, kAeqModeFrontOnSubOff}) {
    if (ModeEnabled(mode)) {
      mode_ = mode;
      break;
    }
  }
  running_ = false;
  startEnabled_ = true;
  cancelEnabled_ = true;
  position_ = 0;
  divisor_ = 1;
  polls_ = 0;
  secondPhasePolls_ = 0;
  open_ = true;
  view_.Open(*this);
}

void AeqStart::Close() {
  if (!open_) return;
  open_ = false;
  running_ = false;
  view_.SetWaitCursor(false);
  view_.Close();
}

bool AeqStart::ModeEnabled(int mode) const {
  switch (mode) {
    case kAeqModeFrontOnSubOn:
      return frontPossible_ && subPossible_;
    case kAeqModeFrontOnSubOff:
      return frontPossible_;
    case kAeqModeFrontOffSubOn:
      return subPossible_;
    default:
      return false;
  }
}

void AeqStart::SelectMode(int mode) {
  if (open_ && !running_ && startEnabled_ && ModeEnabled(mode)) mode_ = mode;
  Show();
}

void AeqStart::PressStart() {
  if (!open_ || !startEnabled_) return;
  startEnabled_ = false;
  running_ = true;
  Show();
  requests_.Post(FormRequest{FormMessage::AeqFinish, 0, 0});
}

void AeqStart::PressCancel() {
  if (!open_ || !cancelEnabled_) return;
  if (running_) {
    running_ = false;
  } else {
    // The dialog is on its way out: a START now would ask for a second run.
    startEnabled_ = false;
    requests_.Post(FormRequest{FormMessage::AeqFinish, 0, 0});
  }
  position_ = 0;
  cancelEnabled_ = false;
  Show();
}

void AeqStart::BeginProgress(int divisor) {
  divisor_ = std::max(1, divisor);
  polls_ = 0;
  secondPhasePolls_ = 0;
  if (open_) view_.SetWaitCursor(true);
}

void AeqStart::StepProgress() {
  if (!running_) return;
  ++polls_;
  int position = polls_ / (2 * divisor_);
  if (position > kFirstPhaseEnd) {
    ++secondPhasePolls_;
    const int per = mode_ == kAeqModeFrontOnSubOn ? kSecondPhasePollsBoth : kSecondPhasePolls;
    position = secondPhasePolls_ / per + kFirstPhaseEnd + 1;
  }
  SetPosition(position);
}

void AeqStart::SetPosition(int position) {
  // The bar cannot show more than its range; a long measurement stays full.
  position_ = std::clamp(position, 0, kProgressEnd);
  Show();
}

void AeqStart::Show() {
  if (open_) view_.Show();
}
