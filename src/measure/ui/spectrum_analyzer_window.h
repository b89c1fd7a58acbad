#pragma once

#include <QPointer>

#include "common/function_window_object.h"
#include "measure/spectrum_analyzer.h"
#include "measure/spectrum_analyzer_view.h"

class FormRequestSink;
class QWidget;
class SpectrumAnalyzerDialog;

// The spectrum analyzer window as the main form drives it: the object lives as long as the form
// and draws what the form's read cycle leaves in the shared AnalyzerState; the "Spectrum
// Analyzer" window itself is created when the form opens it and destroyed when the form closes
// it (after "Cancel", a failed read or the memory store).
class SpectrumAnalyzerWindow : public FunctionWindowObject, private SpectrumAnalyzerView {
 public:
  SpectrumAnalyzerWindow(FormRequestSink& form, AnalyzerState& state, QWidget* parent);
  ~SpectrumAnalyzerWindow() override;
  SpectrumAnalyzerWindow(const SpectrumAnalyzerWindow&) = delete;
  SpectrumAnalyzerWindow& operator=(const SpectrumAnalyzerWindow&) = delete;

  // The analyzer edits nothing of the setup: what it is loaded with goes back unchanged.
  void Load(const SetupDocument& workingCopy) override { data_ = workingCopy; }
  void Open(bool offline) override;
  bool IsOpen() const override;
  void Close() override;
  void SetOffline(bool) override {}
  void Refresh() override {}
  const SetupDocument& Data() const override { return data_; }
  int SelectedGroup() const override { return 0; }
  int SelectedSide() const override { return 0; }

  SpectrumAnalyzer& Analyzer() { return analyzer_; }
  SpectrumAnalyzerDialog* Dialog() const;

 private:
  Canvas& FrameCanvas() override;
  Canvas& GraphCanvas() override;
  void StartDrawTimer(int intervalMs) override;
  void StopDrawTimer() override;

  QWidget* parent_;
  SpectrumAnalyzer analyzer_;
  QPointer<SpectrumAnalyzerDialog> dialog_;
  SetupDocument data_;
};
