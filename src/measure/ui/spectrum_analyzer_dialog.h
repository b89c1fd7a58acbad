#pragma once

#include <QDialog>
#include <QTimer>

class EqPictureWidget;
class QPushButton;
class SpectrumAnalyzer;

// The modeless "Spectrum Analyzer" window: the blue frame with the black graph frame inside it,
// "Stop/Restart\n(for PRINT)" and "Cancel". Its draw timer calls the analyzer's draw step; when
// the frame changes size the graph frame is placed anew and the picture drawn again.
class SpectrumAnalyzerDialog : public QDialog {
 public:
  static constexpr QSize kFrameSize{820, 330};
  static constexpr QSize kSmallestFrame{492, 220};

  SpectrumAnalyzerDialog(SpectrumAnalyzer& analyzer, QWidget* parent);
  ~SpectrumAnalyzerDialog() override;

  // Lays the graph frame out for the frame's size (before drawing).
  void PlaceGraph();
  // The form has closed the window: from now on nothing reaches the analyzer.
  void Retire();

  void StartDrawTimer(int intervalMs);
  void StopDrawTimer();
  bool DrawTimerRunning() const { return drawTimer_.isActive(); }

  EqPictureWidget* Frame() const { return frame_; }
  EqPictureWidget* Graph() const { return graph_; }
  QPushButton* StopRestartButton() const { return stopRestart_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  template <typename F>
  void Do(F&& action);
  void OnResized();

  SpectrumAnalyzer& analyzer_;
  bool retired_ = false;
  bool resizeQueued_ = false;
  QTimer drawTimer_;
  EqPictureWidget* frame_ = nullptr;
  EqPictureWidget* graph_ = nullptr;
  QPushButton* stopRestart_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
