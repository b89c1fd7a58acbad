#include "alignment/time_correction_editor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "alignment/delay_distance.h"
#include "alignment/tcr_report.h"
#include "common/dialogs.h"
#include "common/form_request.h"
#include "common/text_fill.h"
#include "eq/edit_field.h"
#include "graphics/printed_report.h"

namespace {

constexpr double kEntryStepFactor = 10.01;
constexpr double kStepsPerMs = 10.0;
constexpr double kMsPerStep = 0.1;

int StepsOf(double scaled) {
  if (!(scaled >= 0.0)) return 0;  // NaN too
  return static_cast<int>(std::min(std::trunc(scaled), static_cast<double>(kDelaySliderMax)));
}

std::string RangeMessage() {
  return FillPlaceholders(kEnterNumberBetween, FieldText(0.0), FieldText(kDelayMaxMs));
}

bool InChannelRange(int channel) { return channel >= 0 && channel < kOutputCount; }

}  // namespace

double QuantisedDelay(float typedMs) {
  return StepsOf(static_cast<double>(typedMs) * kEntryStepFactor) * kMsPerStep;
}

int DelaySliderPosition(double delayMs) { return StepsOf(delayMs * kStepsPerMs); }

TimeCorrectionEditor::TimeCorrectionEditor(FormRequestSink& form, Dialogs& dialogs)
    : form_(form), dialogs_(dialogs) {
  ShowValues();
}

void TimeCorrectionEditor::Load(const SetupDocument& workingCopy) {
  data_ = workingCopy;
  ShowValues();
}

void TimeCorrectionEditor::ShowValues() {
  for (int c = 0; c < kOutputCount; ++c) ShowChannel(c);
  ShowDistance();
}

void TimeCorrectionEditor::ShowChannel(int c) {
  const double delay = data_.channelDelay[c];
  controls_.slider[c] = DelaySliderPosition(delay);
  // The box holds a single-precision number and shows it as such ("0.3", not 0.30000000000000004).
  controls_.delayText[c] = FieldText(static_cast<float>(delay));
  controls_.phase[c] = data_.channelPhase[c] != 0;
  controls_.phaseDegrees[c] = controls_.phase[c] ? kPhaseDegreesInverted : kPhaseDegreesZero;
}

void TimeCorrectionEditor::ShowDistance() {
  const double delay = data_.channelDelay[currentChannel_];
  controls_.distanceName = kDistanceChannelNames[currentChannel_];
  controls_.distanceCm = DistanceText(DelayCentimetres(delay));
  controls_.distanceInch = DistanceText(DelayInches(delay));
}

void TimeCorrectionEditor::PostChange() { form_.Post({FormMessage::TcrSend, 0, currentChannel_}); }

void TimeCorrectionEditor::SliderMoved(int channel, int position) {
  if (!InChannelRange(channel)) return;
  currentChannel_ = channel;
  data_.channelDelay[channel] = std::clamp(position, 0, kDelaySliderMax) * kMsPerStep;
  ShowChannel(channel);
  ShowDistance();
  PostChange();
}

void TimeCorrectionEditor::DelayTyped(int channel, const std::string& text) {
  if (InChannelRange(channel)) controls_.delayText[channel] = text;
}

bool TimeCorrectionEditor::Enter(const std::array<std::string, kOutputCount>& texts) {
  std::array<float, kOutputCount> typed{};
  for (int c = 0; c < kOutputCount; ++c) {
    const std::optional<float> value = ReadNumberField(texts[c], std::numeric_limits<float>::lowest(),
                                                       std::numeric_limits<float>::max(), dialogs_);
    if (!value) {
      controls_.delayText = texts;
      return false;
    }
    typed[c] = *value;
  }

  // A box counts as edited when it no longer holds the stored delay as the box holds numbers.
  bool first = true;
  bool reverted = false;
  for (int c : kDelayEntryOrder) {
    const auto stored = static_cast<float>(data_.channelDelay[c]);
    if (typed[c] == stored) continue;
    if (first) currentChannel_ = c;
    first = false;
    if (!(typed[c] >= 0.0f && typed[c] <= static_cast<float>(kDelayMaxMs))) {
      typed[c] = stored;
      reverted = true;
    }
  }
  // Every delay, edited or not, goes back on its step: nothing outside 0..200 steps is kept.
  for (int c = 0; c < kOutputCount; ++c) data_.channelDelay[c] = QuantisedDelay(typed[c]);
  ShowValues();
  if (reverted) dialogs_.ShowMessage(RangeMessage(), MessageIcon::Exclamation);
  PostChange();
  return true;
}

void TimeCorrectionEditor::PhaseClicked(int channel, bool checked) {
  if (!InChannelRange(channel)) return;
  data_.channelPhase[channel] = checked ? 1 : 0;
  currentChannel_ = channel;
  ShowChannel(channel);
  ShowDistance();
  PostChange();
}

void TimeCorrectionEditor::Close() { form_.Post({FormMessage::TcrClose, 0, 0}); }

void TimeCorrectionEditor::Cancel() { form_.Post({FormMessage::TcrCancel, 0, 0}); }

void TimeCorrectionEditor::Print(ReportTarget& target) { Print(target, LocalDateToday()); }

void TimeCorrectionEditor::Print(ReportTarget& target, const ReportDate& date) {
  PrintedReport report(target);
  if (!report.Begin(ReportKind::TimeCorrection, date)) return;
  PrintTimeCorrectionReport(report, data_.channelDelay, data_.channelPhase);
  report.End();
}
