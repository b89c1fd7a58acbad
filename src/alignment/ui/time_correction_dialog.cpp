#include "alignment/ui/time_correction_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "alignment/time_correction_editor.h"
#include "alignment/ui/speaker_layout_picture.h"
#include "common/ui/user_toggle.h"
#include "platform/qt_text.h"

namespace {

const QString kTitle = QStringLiteral("TIME_Delay & Driver Phase");
const QString kPhaseText = QStringLiteral("Phase");
const QString kDistanceTitle = QStringLiteral("Delay Equivalent Distance");
const QString kPrintText = QStringLiteral("PRINT");
const QString kCloseText = QStringLiteral("CLOSE\nWindow");

// The output's name on one line ("Front Left High", "Center").
QString ChannelTitle(int channel) {
  return QtText(kDistanceChannelNames[static_cast<std::size_t>(channel)])
      .replace(QLatin1Char('\n'), QLatin1Char(' '))
      .trimmed();
}

// Where each output's controls sit: rows high, mid, woofer, rear, sub-woofer; column 0 left,
// 2 right, 1 the center.
struct Place {
  int row;
  int column;
};
constexpr std::array<Place, kOutputCount> kPlaces = {
    {{0, 0}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 2}, {0, 1}, {3, 0}, {3, 2}, {4, 0}, {4, 2}}};

}  // namespace

TimeCorrectionDialog::TimeCorrectionDialog(TimeCorrectionEditor& editor, QWidget* parent)
    : EditorDialog(parent), editor_(editor) {
  setWindowTitle(kTitle);
  setModal(false);
  Build();
  Sync();
}

TimeCorrectionDialog::~TimeCorrectionDialog() { retired_ = true; }

QWidget* TimeCorrectionDialog::BuildChannel(int channel) {
  const auto slot = static_cast<std::size_t>(channel);
  const QString name = ChannelTitle(channel);
  auto* box = new QGroupBox(name, this);
  box->setObjectName(QStringLiteral("channel%1").arg(channel));

  auto* slider = new QSlider(Qt::Horizontal, box);
  slider->setRange(0, kDelaySliderMax);
  slider->setPageStep(10);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setTickInterval(20);
  slider->setMinimumWidth(150);
  slider->setAccessibleName(name + QStringLiteral(" delay"));
  connect(slider, &QSlider::valueChanged, this,
          [this, channel](int p) { Do([&] { editor_.SliderMoved(channel, p); }); });

  auto* edit = new QLineEdit(box);
  edit->setFixedWidth(56);
  edit->setAlignment(Qt::AlignRight);
  edit->setAccessibleName(name + QStringLiteral(" delay in ms"));
  edit->setToolTip(QStringLiteral("0 to 20 ms; Enter takes the typed values"));
  connect(edit, &QLineEdit::textEdited, this, [this, channel](const QString& text) {
    Do([&] { editor_.DelayTyped(channel, text.toStdString()); });
  });

  auto* phase = new QCheckBox(kPhaseText, box);
  phase->setAccessibleDescription(name + QStringLiteral(": inverts the output's polarity"));
  OnUserToggled(phase, this, [this, channel](bool on) { Do([&] { editor_.PhaseClicked(channel, on); }); });

  auto* degrees = new QLabel(box);
  degrees->setFrameShape(QFrame::StyledPanel);
  degrees->setFrameShadow(QFrame::Sunken);
  degrees->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  degrees->setMinimumWidth(34);
  degrees->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  degrees->setAccessibleName(name + QStringLiteral(" phase in degrees"));

  auto* values = new QHBoxLayout;
  values->addWidget(edit);
  values->addWidget(new QLabel(QStringLiteral("ms"), box));
  values->addStretch();
  values->addWidget(phase);
  values->addWidget(degrees);
  values->addWidget(new QLabel(QStringLiteral("deg"), box));
  auto* layout = new QVBoxLayout(box);
  layout->setSpacing(2);
  layout->addWidget(slider);
  layout->addLayout(values);
  layout->addStretch();

  sliders_[slot] = slider;
  edits_[slot] = edit;
  phases_[slot] = phase;
  degrees_[slot] = degrees;
  return box;
}

QWidget* TimeCorrectionDialog::BuildDistanceBox() {
  auto* box = new QGroupBox(kDistanceTitle, this);
  distanceName_ = new QLabel(box);
  distanceName_->setAlignment(Qt::AlignCenter);
  distanceName_->setMinimumWidth(90);
  distanceName_->setAccessibleName(QStringLiteral("Output"));
  auto makeValue = [box](const QString& unit) {
    auto* value = new QLabel(box);
    value->setFrameShape(QFrame::StyledPanel);
    value->setFrameShadow(QFrame::Sunken);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(60);
    value->setAccessibleName(QStringLiteral("Distance in ") + unit);
    return value;
  };
  distanceCm_ = makeValue(QStringLiteral("cm"));
  distanceInch_ = makeValue(QStringLiteral("inch"));
  auto* values = new QGridLayout;
  values->addWidget(distanceCm_, 0, 0);
  values->addWidget(new QLabel(QStringLiteral("cm"), box), 0, 1);
  values->addWidget(distanceInch_, 1, 0);
  values->addWidget(new QLabel(QStringLiteral("inch"), box), 1, 1);
  auto* layout = new QHBoxLayout(box);
  layout->addWidget(distanceName_, 1);
  layout->addLayout(values);
  return box;
}

void TimeCorrectionDialog::Build() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(6);
  for (int c = 0; c < kOutputCount; ++c) {
    const Place place = kPlaces[static_cast<std::size_t>(c)];
    grid->addWidget(BuildChannel(c), place.row, place.column);
  }

  picture_ = new SpeakerLayoutPicture(this);
  grid->addWidget(picture_, 1, 1, 3, 1);

  print_ = new QPushButton(kPrintText, this);
  close_ = new QPushButton(kCloseText, this);
  for (QPushButton* b : {print_, close_}) {
    b->setAutoDefault(false);
    b->setMinimumHeight(44);
  }
  connect(print_, &QPushButton::clicked, this, [this] {
    if (onPrint && !retired_) onPrint();
  });
  connect(close_, &QPushButton::clicked, this, [this] { Do([&] { editor_.Close(); }); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(print_);
  buttons->addWidget(close_);
  auto* middle = new QVBoxLayout;
  middle->addWidget(BuildDistanceBox());
  middle->addLayout(buttons);
  grid->addLayout(middle, 4, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(1, 1);
  grid->setRowStretch(2, 1);
  grid->setRowStretch(3, 1);

  // Enter takes every box's value, from whichever control has the focus.
  for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    connect(shortcut, &QShortcut::activated, this, [this] { PressEnter(); });
  }
  setLayout(grid);
}

void TimeCorrectionDialog::PressEnter() {
  Do([&] {
    std::array<std::string, kOutputCount> texts;
    for (int c = 0; c < kOutputCount; ++c)
      texts[static_cast<std::size_t>(c)] = DelayEdit(c)->text().toStdString();
    editor_.Enter(texts);
  });
}

void TimeCorrectionDialog::Sync() {
  syncing_ = true;
  const TcrControls& c = editor_.Controls();
  for (int ch = 0; ch < kOutputCount; ++ch) {
    const auto slot = static_cast<std::size_t>(ch);
    {
      const QSignalBlocker block(sliders_[slot]);
      sliders_[slot]->setValue(c.slider[slot]);
    }
    // Only a changed text is set, so that typing keeps its cursor.
    if (const QString text = QString::fromStdString(c.delayText[slot]); edits_[slot]->text() != text)
      edits_[slot]->setText(text);
    {
      const QSignalBlocker block(phases_[slot]);
      phases_[slot]->setChecked(c.phase[slot]);
    }
    degrees_[slot]->setText(QtText(c.phaseDegrees[slot]));
  }
  distanceName_->setText(QtText(c.distanceName));
  distanceCm_->setText(QString::fromStdString(c.distanceCm));
  distanceInch_->setText(QString::fromStdString(c.distanceInch));
  std::array<bool, kOutputCount> on{};
  for (int ch = 0; ch < kOutputCount; ++ch)
    on[static_cast<std::size_t>(ch)] = editor_.Data().speakerSwitch[ch] != 0;
  picture_->SetSwitches(on);
  syncing_ = false;
}

void TimeCorrectionDialog::SetOffline(bool offline) { print_->setEnabled(offline); }

void TimeCorrectionDialog::CloseRequested() { editor_.Cancel(); }
