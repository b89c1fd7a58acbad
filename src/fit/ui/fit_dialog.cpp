#include "fit/ui/fit_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QVBoxLayout>
#include <memory>

#include "eq/equalizer_settings.h"
#include "form/setup_form.h"
#include "graphics/response_graph.h"
#include "graphics/ui/eq_picture_widget.h"
#include "interchange/text_file.h"
#include "interchange/ui/choice_rows.h"

FitDialog::FitDialog(const Measurement& measurement, SetupForm& form, QWidget* parent)
    : QDialog(parent), measurement_(measurement), form_(form) {
  setWindowTitle(QString::fromLatin1(kCaption));
  overlay_.SetMeasurement(measurement_);
  chooseTargetFile = [this] {
    return QFileDialog::getOpenFileName(this, QStringLiteral("House Curve"), QString(),
                                        QStringLiteral("House curves (*.txt *.frd *.csv);;All files (*)"));
  };

  auto* settings = new QFormLayout;
  group_ = ChoiceRows::AddChoice(settings, QStringLiteral("Channel"), ChoiceRows::GroupNames());
  side_ = ChoiceRows::AddChoice(settings, QStringLiteral("L / R"), ChoiceRows::SideNames());
  equalizer_ =
      ChoiceRows::AddChoice(settings, QStringLiteral("Equalizer"),
                            {QStringLiteral("Parametric Equalizer"), QStringLiteral("Graphic Equalizer")});
  target_ = ChoiceRows::AddChoice(settings, QStringLiteral("Target"),
                                  {QStringLiteral("Flat"), QStringLiteral("House curve...")});
  low_ = ChoiceRows::AddNumber(settings, QStringLiteral("From"), 20.0, 20000.0, QStringLiteral(" Hz"));
  high_ = ChoiceRows::AddNumber(settings, QStringLiteral("To"), 20.0, 20000.0, QStringLiteral(" Hz"));
  maxBoost_ = ChoiceRows::AddNumber(settings, QStringLiteral("Maximum boost"), 0.0, kMaxBoostLimit,
                                    QStringLiteral(" dB"));
  maxBoost_->setValue(kDefaultMaxBoost);
  const FitRange range = DefaultFitRange(EqGroup::Front);
  low_->setValue(range.low);
  high_->setValue(range.high);

  residual_ = new QLabel(QStringLiteral("Press \"Fit\" to fit the bands to the measurement."));
  residual_->setWordWrap(true);
  picture_ = new EqPictureWidget(kPictureSize);
  picture_->setAccessibleName(QStringLiteral("Predicted curves"));
  fit_ = new QPushButton(QStringLiteral("Fit"));
  apply_ = new QPushButton(QStringLiteral("Apply"));
  auto* close = new QPushButton(QStringLiteral("Close"));
  apply_->setEnabled(false);
  fit_->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(fit_);
  buttons->addWidget(apply_);
  buttons->addWidget(close);
  auto* top = new QHBoxLayout;
  top->addLayout(settings);
  top->addWidget(picture_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(residual_);
  layout->addLayout(buttons);

  connect(group_, &QComboBox::currentIndexChanged, this, [this](int g) {
    ChoiceRows::FollowMonoCenter(side_, g);
    const FitRange r = DefaultFitRange(static_cast<EqGroup>(g));
    low_->setValue(r.low);
    high_->setValue(r.high);
    Forget();
  });
  connect(target_, &QComboBox::activated, this, &FitDialog::ChooseTarget);
  for (QComboBox* box : {side_, equalizer_})
    connect(box, &QComboBox::currentIndexChanged, this, &FitDialog::Forget);
  for (QDoubleSpinBox* box : {low_, high_, maxBoost_})
    connect(box, &QDoubleSpinBox::valueChanged, this, &FitDialog::Forget);
  connect(fit_, &QPushButton::clicked, this, &FitDialog::StartFit);
  connect(apply_, &QPushButton::clicked, this, &FitDialog::Apply);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  picture_->onResized = [this] { DrawPicture(); };
  DrawPicture();
}

FitDialog::~FitDialog() {
  if (thread_ != nullptr) {
    thread_->wait();
    delete thread_;
  }
}

FitSettings FitDialog::Settings() const {
  FitSettings s;
  s.group = static_cast<EqGroup>(group_->currentIndex());
  s.side = s.group == EqGroup::Center ? EqSide::Common : static_cast<EqSide>(side_->currentIndex());
  s.kind = equalizer_->currentIndex() == 1 ? EqKind::Graphic : EqKind::Parametric;
  s.range = FitRange{low_->value(), high_->value()};
  s.maxBoost = maxBoost_->value();
  if (houseCurve_) s.target = TargetCurve(*houseCurve_);
  return s;
}

void FitDialog::Forget() {
  result_.reset();
  apply_->setEnabled(false);
  DrawPicture();
}

void FitDialog::ChooseTarget(int index) {
  if (index == 0) {
    houseCurve_.reset();
    target_->setItemText(1, QStringLiteral("House curve..."));
    Forget();
    return;
  }
  const QString path = chooseTargetFile ? chooseTargetFile() : QString();
  std::string text;
  std::string error;
  std::optional<Measurement> curve;
  if (!path.isEmpty() && ReadTextFile(path.toStdString(), text, error)) {
    const MeasurementReading reading = ReadMeasurement(text, 1);
    curve = reading.measurement;
    error = reading.error;
  }
  if (!curve) {
    if (!path.isEmpty()) QMessageBox::warning(this, windowTitle(), QString::fromStdString(error));
    target_->setCurrentIndex(houseCurve_ ? 1 : 0);
    return;
  }
  houseCurve_ = curve;
  target_->setItemText(1, QStringLiteral("House curve: ") + QFileInfo(path).fileName());
  Forget();
}

void FitDialog::StartFit() {
  if (thread_ != nullptr) return;
  // The fit works on copies; the worker touches nothing the GUI thread holds.
  auto result = std::make_shared<FitResult>();
  thread_ = QThread::create([result, measurement = measurement_, doc = form_.WorkingCopy(),
                             settings = Settings()] { *result = FitEqualizer(measurement, doc, settings); });
  connect(thread_, &QThread::finished, this, [this, result] {
    thread_->deleteLater();
    thread_ = nullptr;
    result_ = *result;
    fit_->setEnabled(true);
    ShowResult();
  });
  fit_->setEnabled(false);
  apply_->setEnabled(false);
  residual_->setText(QStringLiteral("Fitting..."));
  thread_->start();
}

void FitDialog::ShowResult() {
  if (!result_ || !result_->edit) {
    residual_->setText(QString::fromStdString(result_ ? result_->error : std::string()));
    return;
  }
  residual_->setText(QStringLiteral("RMS deviation from the target, %1 to %2 Hz: before %3 dB, after %4 dB")
                         .arg(result_->range.low, 0, 'f', 0)
                         .arg(result_->range.high, 0, 'f', 0)
                         .arg(result_->rmsBefore, 0, 'f', 2)
                         .arg(result_->rmsAfter, 0, 'f', 2));
  apply_->setEnabled(true);
  DrawPicture();
}

void FitDialog::DrawPicture() {
  const FitSettings s = Settings();
  const ResponseGraph graph(s.kind, {picture_->width(), picture_->height()}, {0, 0});
  Canvas& canvas = picture_->DrawingCanvas();
  graph.DrawBackground(canvas);
  CurveValues predicted{};
  if (result_ && result_->edit) predicted = result_->edit->Curve();
  overlay_.DrawCurves(canvas, graph, s.group, predicted);
  if (result_ && result_->edit)
    graph.DrawCurve(canvas, predicted, GraphCurve{s.group, s.side, ColoursOf(s.group).curve, {}, true});
  picture_->update();
}

void FitDialog::Apply() {
  if (!result_ || !result_->edit) return;
  // A busy link refuses the edit with a note in the main window's status bar.
  if (form_.ApplyEdit(*result_->edit, kFitStepText)) accept();
}
