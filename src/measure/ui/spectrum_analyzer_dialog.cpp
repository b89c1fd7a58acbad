#include "measure/ui/spectrum_analyzer_dialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "graphics/ui/eq_picture_widget.h"
#include "measure/spectrum_analyzer.h"
#include "platform/qt_text.h"

namespace {}  // namespace

SpectrumAnalyzerDialog::SpectrumAnalyzerDialog(SpectrumAnalyzer& analyzer, QWidget* parent)
    : QDialog(parent), analyzer_(analyzer) {
  setWindowTitle(QtText(kSpectrumWindowTitle));
  setModal(false);

  frame_ = new EqPictureWidget(kFrameSize, this);
  frame_->setMinimumSize(kSmallestFrame);
  frame_->setAccessibleName(QtText(kSpectrumWindowTitle));
  frame_->setAccessibleDescription(
      QStringLiteral("31 bands from 20 Hz to 20 kHz, each a bar of 48 segments, read about once a second."));
  graph_ = new EqPictureWidget(QSize(1, 1), frame_);
  graph_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  frame_->onResized = [this] { OnResized(); };

  stopRestart_ = new QPushButton(QtText(kStopRestartText), this);
  cancel_ = new QPushButton(QtText(kSpectrumCancelText), this);
  stopRestart_->setToolTip(
      QStringLiteral("Freezes the picture with its trend line for the main form's PRINT; "
                     "pressed again, the analyzer runs on."));
  for (QPushButton* b : {stopRestart_, cancel_}) {
    b->setAutoDefault(false);
    b->setMinimumHeight(44);
  }
  connect(stopRestart_, &QPushButton::clicked, this, [this] { Do([&] { analyzer_.StopRestart(); }); });
  connect(cancel_, &QPushButton::clicked, this, [this] { Do([&] { analyzer_.Cancel(); }); });
  connect(&drawTimer_, &QTimer::timeout, this, [this] { Do([&] { analyzer_.DrawStep(); }); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(stopRestart_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame_, 1);
  layout->addLayout(buttons);
}

SpectrumAnalyzerDialog::~SpectrumAnalyzerDialog() {
  retired_ = true;
  drawTimer_.stop();
}

template <typename F>
void SpectrumAnalyzerDialog::Do(F&& action) {
  if (!retired_) action();
}

void SpectrumAnalyzerDialog::Retire() {
  retired_ = true;
  drawTimer_.stop();
}

void SpectrumAnalyzerDialog::PlaceGraph() {
  const CanvasRect r = SpectrumGraph(frame_->width(), frame_->height()).GraphRect();
  graph_->setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void SpectrumAnalyzerDialog::StartDrawTimer(int intervalMs) { drawTimer_.start(intervalMs); }

void SpectrumAnalyzerDialog::StopDrawTimer() { drawTimer_.stop(); }

void SpectrumAnalyzerDialog::OnResized() {
  if (resizeQueued_) return;
  resizeQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    resizeQueued_ = false;
    Do([&] {
      PlaceGraph();
      analyzer_.Resize(frame_->width(), frame_->height());
    });
  });
}

void SpectrumAnalyzerDialog::reject() {
  Do([&] { analyzer_.Cancel(); });
}

void SpectrumAnalyzerDialog::closeEvent(QCloseEvent* event) {
  // The form closes the window once it has ended the read cycle.
  event->ignore();
  Do([&] { analyzer_.Cancel(); });
}
