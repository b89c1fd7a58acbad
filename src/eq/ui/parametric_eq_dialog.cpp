#include "eq/ui/parametric_eq_dialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "common/ui/user_toggle.h"
#include "eq/edit_field.h"
#include "eq/equalizer_settings.h"
#include "eq/parametric_eq_editor.h"
#include "eq/ui/eq_button_pictures.h"
#include "eq/ui/picture_button.h"
#include "graphics/ui/eq_picture_widget.h"
#include "platform/qt_text.h"

namespace {

std::string Std(const QString& s) { return s.toStdString(); }

}  // namespace

ParametricEqDialog::ParametricEqDialog(ParametricEqEditor& editor, QWidget* parent)
    : EditorDialog(parent), editor_(editor) {
  setWindowTitle(QStringLiteral("Parametric EQ Window"));
  setModal(false);
  Build();
  Sync();
}

ParametricEqDialog::~ParametricEqDialog() {
  // Children losing focus while they go must not reach the editor.
  retired_ = true;
  for (QLineEdit* edit : {levelEdit_, qEdit_, frequencyEdit_}) edit->removeEventFilter(this);
}

void ParametricEqDialog::Build() {
  graph_ = new EqPictureWidget(kGraphSize, this);
  legend_ = new EqPictureWidget(kLegendSize, this);
  auto* strip = new QLabel(this);
  strip->setPixmap(EqPictureStrip());
  strip->setScaledContents(true);
  strip->setFixedHeight(40);
  strip->setMinimumWidth(kGraphSize.width());

  graph_->onPress = [this](CanvasPoint p) { Do([&] { editor_.GraphPress(p); }); };
  graph_->onMove = [this](CanvasPoint p) { Do([&] { editor_.GraphMove(p); }); };
  graph_->onRelease = [this] { Do([&] { editor_.GraphRelease(); }); };
  graph_->onResized = [this] { ScheduleResized(); };
  legend_->onPress = [this](CanvasPoint p) { Do([&] { editor_.LegendPress(p); }); };
  legend_->onResized = [this] { ScheduleResized(); };

  auto* pictures = new QGridLayout;
  pictures->setSpacing(4);
  pictures->addWidget(graph_, 0, 0);
  pictures->addWidget(legend_, 0, 1);
  pictures->addWidget(strip, 1, 0);
  pictures->setRowStretch(0, 1);
  // The legend column keeps its share of the width as the window grows.
  pictures->setColumnStretch(0, kGraphSize.width());
  pictures->setColumnStretch(1, kLegendSize.width());

  // Channel and side.
  auto* channelBox = new QGroupBox(QStringLiteral("Channel"), this);
  channel_ = new QComboBox(channelBox);
  channel_->setEditable(true);
  channel_->setInsertPolicy(QComboBox::NoInsert);
  channel_->setCompleter(nullptr);
  for (std::string_view name : kEqGroupListTexts) channel_->addItem(QtText(name));
  auto* channelLayout = new QVBoxLayout(channelBox);
  channelLayout->addWidget(channel_);
  connect(channel_, &QComboBox::activated, this,
          [this](int index) { Do([&] { editor_.SelectChannel(index); }); });

  auto* sideBox = new QGroupBox(QStringLiteral("L / R"), this);
  auto* sideLayout = new QVBoxLayout(sideBox);
  sideGroup_ = new QButtonGroup(this);
  for (int s = 0; s < kEqSideCount; ++s) {
    auto* radio = new QRadioButton(QtText(kEqSideTexts[static_cast<std::size_t>(s)]), sideBox);
    sides_[static_cast<std::size_t>(s)] = radio;
    sideGroup_->addButton(radio, s);
    sideLayout->addWidget(radio);
    OnUserChosen(radio, this, [this, s] { Do([&] { editor_.SelectSide(s); }); });
  }

  auto* leftColumn = new QVBoxLayout;
  leftColumn->addWidget(channelBox);
  leftColumn->addWidget(sideBox);
  leftColumn->addStretch();

  // Bands.
  auto* bandBox = new QGroupBox(QStringLiteral("BAND"), this);
  auto* bandLayout = new QGridLayout(bandBox);
  bandGroup_ = new QButtonGroup(this);
  for (int b = 0; b < kPeqBandCount; ++b) {
    auto* radio = new QRadioButton(QStringLiteral("BAND%1").arg(b + 1), bandBox);
    bands_[static_cast<std::size_t>(b)] = radio;
    bandGroup_->addButton(radio, b);
    bandLayout->addWidget(radio, b % 5, b / 5);
  }
  OnUserChecked(bandGroup_, this, [this](int b) { Do([&] { editor_.SelectBand(b); }); });

  // Level: position 0 at the top is +12 dB.
  auto* levelBox = new QGroupBox(QStringLiteral("Band Level"), this);
  levelSlider_ = new QSlider(Qt::Vertical, levelBox);
  levelSlider_->setRange(0, kPeqLevelSliderMax);
  levelSlider_->setInvertedAppearance(true);
  levelSlider_->setInvertedControls(true);
  levelSlider_->setTickPosition(QSlider::TicksBothSides);
  levelSlider_->setTickInterval(1);
  levelSlider_->setPageStep(1);
  levelEdit_ = new QLineEdit(levelBox);
  levelEdit_->setFixedWidth(48);
  auto* levelLayout = new QHBoxLayout(levelBox);
  levelLayout->addWidget(levelSlider_);
  levelLayout->addWidget(levelEdit_);
  levelLayout->addWidget(new QLabel(QStringLiteral("dB"), levelBox));
  connect(levelSlider_, &QSlider::valueChanged, this,
          [this](int p) { Do([&] { editor_.LevelSliderMoved(p); }); });

  auto* qBox = new QGroupBox(QStringLiteral("Q factor"), this);
  qSlider_ = new QSlider(Qt::Horizontal, qBox);
  qSlider_->setRange(kPeqQSliderMin, kPeqQSliderMax);
  qSlider_->setMinimumWidth(110);
  qEdit_ = new QLineEdit(qBox);
  qEdit_->setFixedWidth(56);
  auto* qLayout = new QHBoxLayout(qBox);
  qLayout->addWidget(qSlider_);
  qLayout->addWidget(qEdit_);
  connect(qSlider_, &QSlider::valueChanged, this, [this](int p) { Do([&] { editor_.QSliderMoved(p); }); });

  auto* frequencyBox = new QGroupBox(QStringLiteral("Frequency"), this);
  frequencySlider_ = new QSlider(Qt::Horizontal, frequencyBox);
  frequencySlider_->setRange(kPeqFrequencySliderMin, kPeqFrequencySliderMax);
  frequencySlider_->setMinimumWidth(110);
  frequencyEdit_ = new QLineEdit(frequencyBox);
  frequencyEdit_->setFixedWidth(56);
  auto* frequencyLayout = new QHBoxLayout(frequencyBox);
  frequencyLayout->addWidget(frequencySlider_);
  frequencyLayout->addWidget(frequencyEdit_);
  connect(frequencySlider_, &QSlider::valueChanged, this,
          [this](int p) { Do([&] { editor_.FrequencySliderMoved(p); }); });

  for (QLineEdit* edit : {levelEdit_, qEdit_, frequencyEdit_}) edit->installEventFilter(this);

  auto* sliderColumn = new QVBoxLayout;
  sliderColumn->addWidget(qBox);
  sliderColumn->addWidget(frequencyBox);
  sliderColumn->addStretch();

  // The picture toggles.
  graphButton_ = new PictureButton(EqButtonPicture("GRAPHU"), EqButtonPicture("GRAPHD"), this);
  graphButton_->setObjectName(QStringLiteral("GRAPH"));
  graphButton_->setAccessibleName(QStringLiteral("GRAPH"));
  boxButton_ = new PictureButton(EqButtonPicture("BOXU"), EqButtonPicture("BOXD"), this);
  boxButton_->setObjectName(QStringLiteral("BOX"));
  boxButton_->setAccessibleName(QStringLiteral("BOX"));
  OnUserToggled(graphButton_, this, [this] { Do([&] { editor_.ToggleShowAllCurves(); }); });
  OnUserToggled(boxButton_, this, [this] { Do([&] { editor_.ToggleEnableCursors(); }); });
  auto* toggles = new QVBoxLayout;
  toggles->addWidget(new QLabel(QStringLiteral("Show All Curves"), this));
  toggles->addWidget(graphButton_, 0, Qt::AlignHCenter);
  toggles->addSpacing(8);
  toggles->addWidget(new QLabel(QStringLiteral("Enable Cursors"), this));
  toggles->addWidget(boxButton_, 0, Qt::AlignHCenter);
  toggles->addStretch();

  reset_ = new QPushButton(QStringLiteral("RESET"), this);
  print_ = new QPushButton(QStringLiteral("PRINT"), this);
  close_ = new QPushButton(QStringLiteral("CLOSE\nWindow"), this);
  close_->setMinimumHeight(44);
  for (QPushButton* b : {reset_, print_, close_}) b->setAutoDefault(false);
  connect(reset_, &QPushButton::clicked, this, [this] { Do([&] { editor_.Reset(); }); });
  connect(print_, &QPushButton::clicked, this, [this] {
    if (onPrint) onPrint();
  });
  connect(close_, &QPushButton::clicked, this, [this] { Do([&] { editor_.Close(); }); });
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(reset_);
  buttons->addWidget(print_);
  buttons->addStretch();
  buttons->addWidget(close_);

  // The hidden default and cancel buttons; Enter and Escape reach them from every control.
  return_ = new QPushButton(QStringLiteral("RETURN"), this);
  cancel_ = new QPushButton(QStringLiteral("CANCEL"), this);
  return_->hide();
  cancel_->hide();
  connect(return_, &QPushButton::clicked, this, [this] { OnReturn(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { Do([&] { editor_.Close(); }); });
  for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    connect(shortcut, &QShortcut::activated, this, [this] { OnReturn(); });
  }

  for (QGroupBox* box : {channelBox, sideBox, bandBox, levelBox})
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

  auto* controls = new QHBoxLayout;
  controls->addLayout(leftColumn);
  controls->addWidget(bandBox, 0, Qt::AlignTop);
  controls->addWidget(levelBox);
  controls->addLayout(sliderColumn);
  controls->addLayout(toggles);
  controls->addLayout(buttons);

  auto* main = new QVBoxLayout(this);
  main->addLayout(pictures, 1);
  main->addLayout(controls);
}

void ParametricEqDialog::Sync() {
  syncing_ = true;
  const PeqControls& c = editor_.Controls();
  {
    const QSignalBlocker block(channel_);
    channel_->setCurrentIndex(Index(c.group));
    channel_->setEditText(QtText(c.channelText));
  }
  for (int b = 0; b < kPeqBandCount; ++b) {
    QRadioButton* radio = bands_[static_cast<std::size_t>(b)];
    radio->setEnabled(c.bandEnabled[static_cast<std::size_t>(b)]);
    if (b == c.band) radio->setChecked(true);
  }
  for (int s = 0; s < kEqSideCount; ++s) {
    QRadioButton* radio = sides_[static_cast<std::size_t>(s)];
    radio->setEnabled(c.sideEnabled[static_cast<std::size_t>(s)]);
    if (s == Index(c.side)) radio->setChecked(true);
  }
  for (auto [slider, value] : {std::pair{levelSlider_, c.levelSlider}, std::pair{qSlider_, c.qSlider},
                               std::pair{frequencySlider_, c.frequencySlider}}) {
    const QSignalBlocker block(slider);
    slider->setValue(value);
  }
  levelEdit_->setText(QString::number(c.levelEdit));
  qEdit_->setText(QtText(FieldText(c.qEdit)));
  frequencyEdit_->setText(QtText(FieldText(c.frequencyEdit)));
  graphButton_->setChecked(c.showAllCurves);
  boxButton_->setChecked(c.enableCursors);
  syncing_ = false;
}

void ParametricEqDialog::SetOffline(bool offline) { print_->setEnabled(offline); }

GraphScale ParametricEqDialog::GraphSize() const { return {graph_->width(), graph_->height()}; }

LegendSize ParametricEqDialog::LegendArea() const { return {legend_->width(), legend_->height()}; }

void ParametricEqDialog::OnReturn() {
  Do([&] {
    editor_.Enter(Std(channel_->currentText()), Std(qEdit_->text()), Std(frequencyEdit_->text()),
                  Std(levelEdit_->text()));
  });
}

bool ParametricEqDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && !syncing_ && !retired_) {
    // A menu or another window taking the focus (a message box among them) is not leaving the
    // field.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
      if (watched == levelEdit_) Do([&] { editor_.LevelEditLeft(Std(levelEdit_->text())); });
      if (watched == qEdit_) Do([&] { editor_.QEditLeft(Std(qEdit_->text())); });
      if (watched == frequencyEdit_) Do([&] { editor_.FrequencyEditLeft(Std(frequencyEdit_->text())); });
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ParametricEqDialog::CloseRequested() { editor_.Close(); }

void ParametricEqDialog::Resized() { editor_.Resize(GraphSize(), LegendArea()); }
