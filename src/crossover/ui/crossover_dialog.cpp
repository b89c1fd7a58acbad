#include "crossover/ui/crossover_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "artwork/brand_artwork.h"
#include "common/ui/user_toggle.h"
#include "crossover/crossover_editor.h"
#include "crossover/crossover_lists.h"
#include "crossover/speaker_group_info.h"
#include "crossover/ui/crossover_button_pictures.h"
#include "eq/ui/picture_button.h"
#include "graphics/ui/eq_picture_widget.h"
#include "platform/qt_text.h"

namespace {

// A list's entries, replaced only when they differ ("OFF" taken out or put back).
void ShowItems(QComboBox* list, std::span<const std::string_view> items) {
  bool same = list->count() == static_cast<int>(items.size());
  for (int i = 0; same && i < list->count(); ++i)
    same = list->itemText(i) == QtText(items[static_cast<std::size_t>(i)]);
  if (same) return;
  list->clear();
  for (std::string_view item : items) list->addItem(QtText(item));
}

QLabel* CaptionLabel(const char* text, QWidget* parent) {
  return new QLabel(QString::fromLatin1(text), parent);
}

constexpr int kSliderPageStep = 3;

}  // namespace

CrossoverDialog::CrossoverDialog(CrossoverEditor& editor, QWidget* parent)
    : EditorDialog(parent), editor_(editor) {
  setWindowTitle(QStringLiteral("Crossover Window"));
  setModal(false);
  setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
  Build();
  Sync();
}

CrossoverDialog::~CrossoverDialog() { retired_ = true; }

void CrossoverDialog::Build() {
  graph_ = new EqPictureWidget(kGraphSize, this);
  graph_->setAccessibleName(QStringLiteral("Crossover graph"));
  // A click on the graph gives the window the keyboard: Up and Down then step the level.
  graph_->setFocusPolicy(Qt::ClickFocus);
  legend_ = new EqPictureWidget(kLegendSize, this);
  legend_->setAccessibleName(QStringLiteral("Speaker groups"));
  graph_->onPress = [this](CanvasPoint p) { Do([&] { editor_.GraphPress(p); }); };
  graph_->onMove = [this](CanvasPoint p) { Do([&] { editor_.GraphMove(p); }); };
  graph_->onRelease = [this] { Do([&] { editor_.GraphRelease(); }); };
  graph_->onResized = [this] { ScheduleResized(); };
  legend_->onPress = [this](CanvasPoint p) { Do([&] { editor_.LegendPress(p); }); };
  legend_->onResized = [this] { ScheduleResized(); };

  auto* pictures = new QHBoxLayout;
  pictures->setSpacing(2);
  pictures->addWidget(graph_, kGraphSize.width());
  pictures->addWidget(legend_, kLegendSize.width());

  auto* main = new QVBoxLayout(this);
  main->setContentsMargins(4, 4, 4, 4);
  main->addLayout(pictures, 1);
  main->addWidget(BuildControls());

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
}

QWidget* CrossoverDialog::BuildControls() {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(6, 4, 6, 2);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);

  // Channel and the toggle.
  channel_ = new QComboBox(panel);
  channel_->setEditable(true);
  channel_->setInsertPolicy(QComboBox::NoInsert);
  channel_->setCompleter(nullptr);
  channel_->lineEdit()->setMaxLength(kChannelTextLimit);
  channel_->setAccessibleName(QStringLiteral("Channel"));
  for (int g = 0; g < kSpeakerGroupCount; ++g)
    channel_->addItem(QtText(GroupInfo(static_cast<SpeakerGroup>(g)).listLabel));
  connect(channel_, &QComboBox::activated, this,
          [this](int index) { Do([&] { editor_.SelectChannel(index); }); });
  showAll_ = new PictureButton(CrossoverButtonPicture("DGRAPHU"), CrossoverButtonPicture("DGRAPHD"), panel);
  showAll_->setObjectName(QStringLiteral("DGRAPH"));
  showAll_->setAccessibleName(QStringLiteral("Show All Curves"));
  OnUserToggled(showAll_, this, [this](bool on) {
    Do([&] {
      if (on != editor_.Controls().showAllCurves) editor_.ToggleShowAllCurves();
    });
  });
  grid->addWidget(CaptionLabel("Channel", panel), 0, 0);
  grid->addWidget(channel_, 1, 0);
  grid->addWidget(CaptionLabel("Show All Curves", panel), 2, 0, Qt::AlignBottom);
  grid->addWidget(showAll_, 3, 0, 2, 1, Qt::AlignHCenter | Qt::AlignTop);

  // One band edge: "Frequency" over the box, its side's name beside it, the slope list, the slider.
  auto edge = [&](int column, const char* side, QLineEdit*& box, QComboBox*& slope, QSlider*& slider,
                  const QString& name) {
    box = new QLineEdit(panel);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(72);
    box->setAccessibleName(QStringLiteral("Frequency ") + name);
    slope = new QComboBox(panel);
    slope->setAccessibleName(QStringLiteral("Slope ") + name);
    slope->setMinimumWidth(96);
    slider = new QSlider(Qt::Horizontal, panel);
    slider->setTickPosition(QSlider::NoTicks);
    slider->setPageStep(kSliderPageStep);
    slider->setMinimumWidth(170);
    slider->setAccessibleName(QStringLiteral("Frequency ") + name + QStringLiteral(" slider"));
    grid->addWidget(CaptionLabel("Frequency", panel), 0, column + 1, Qt::AlignHCenter);
    grid->addWidget(CaptionLabel("Slope", panel), 0, column + 2, Qt::AlignHCenter);
    grid->addWidget(CaptionLabel(side, panel), 1, column, Qt::AlignRight);
    grid->addWidget(box, 1, column + 1);
    grid->addWidget(slope, 1, column + 2);
    grid->addWidget(slider, 2, column, 1, 3);
  };
  edge(1, "Low", hpfFrequency_, hpfSlope_, hpfSlider_, QStringLiteral("Low"));
  edge(5, "High", lpfFrequency_, lpfSlope_, lpfSlider_, QStringLiteral("High"));
  grid->setColumnMinimumWidth(4, 16);
  connect(hpfSlider_, &QSlider::valueChanged, this,
          [this](int p) { Do([&] { editor_.HpfSliderMoved(p); }); });
  connect(lpfSlider_, &QSlider::valueChanged, this,
          [this](int p) { Do([&] { editor_.LpfSliderMoved(p); }); });
  connect(hpfSlope_, &QComboBox::activated, this, [this](int e) { Do([&] { editor_.HpfSlopeChosen(e); }); });
  connect(lpfSlope_, &QComboBox::activated, this, [this](int e) { Do([&] { editor_.LpfSlopeChosen(e); }); });

  // Level, "PRINT", "CLOSE" and the banner.
  level_ = new QComboBox(panel);
  level_->setAccessibleName(QStringLiteral("Level"));
  for (std::string_view entry : LevelList()) level_->addItem(QtText(entry));
  connect(level_, &QComboBox::activated, this, [this](int e) { Do([&] { editor_.LevelChosen(e); }); });
  print_ = new QPushButton(QStringLiteral("PRINT"), panel);
  print_->setAccessibleName(QStringLiteral("PRINT"));
  connect(print_, &QPushButton::clicked, this, [this] {
    if (onPrint) onPrint();
  });
  close_ = new QPushButton(QStringLiteral("CLOSE\nWindow"), panel);
  close_->setAccessibleName(QStringLiteral("CLOSE Window"));
  close_->setMinimumHeight(52);
  close_->setMinimumWidth(72);
  connect(close_, &QPushButton::clicked, this, [this] { Do([&] { editor_.Close(); }); });
  for (QPushButton* b : {print_, close_}) b->setAutoDefault(false);
  auto* banner = new QLabel(panel);
  banner->setPixmap(BrandArtwork::Banner());
  banner->setScaledContents(true);
  banner->setFixedHeight(52);
  banner->setMinimumWidth(200);
  banner->setAccessibleName(QStringLiteral("Banner"));

  auto* levelBox = new QGridLayout;
  levelBox->setHorizontalSpacing(6);
  levelBox->addWidget(CaptionLabel("Level", panel), 0, 0);
  levelBox->addWidget(level_, 0, 1);
  levelBox->addWidget(print_, 1, 1);
  grid->addLayout(levelBox, 3, 1, 2, 2, Qt::AlignTop);
  grid->addWidget(close_, 3, 3, 2, 2, Qt::AlignTop | Qt::AlignHCenter);
  grid->addWidget(banner, 3, 5, 2, 4, Qt::AlignTop);

  // The set radios.
  auto* sets = new QGroupBox(QStringLiteral("L / R"), panel);
  auto* setLayout = new QVBoxLayout(sets);
  setLayout->setSpacing(2);
  for (int s = 0; s < kCrossoverSetCount; ++s) {
    auto* radio = new QRadioButton(QtText(kCrossoverSetTexts[static_cast<std::size_t>(s)]), sets);
    radio->setAccessibleName(radio->text());
    sets_[static_cast<std::size_t>(s)] = radio;
    setLayout->addWidget(radio);
    OnUserChosen(radio, this, [this, s] { Do([&] { editor_.SelectSet(s); }); });
  }
  grid->addWidget(sets, 0, 8, 3, 1, Qt::AlignTop);
  grid->setColumnStretch(9, 1);
  return panel;
}

void CrossoverDialog::Sync() {
  syncing_ = true;
  const CrossoverControls& c = editor_.Controls();
  {
    const QSignalBlocker block(channel_);
    channel_->setCurrentIndex(Index(c.group));
    channel_->setEditText(QString::fromStdString(c.channelText));
  }
  {
    const QSignalBlocker blockHpf(hpfSlope_);
    const QSignalBlocker blockLpf(lpfSlope_);
    const QSignalBlocker blockLevel(level_);
    ShowItems(hpfSlope_, c.hpfSlopeItems);
    ShowItems(lpfSlope_, c.lpfSlopeItems);
    hpfSlope_->setCurrentIndex(c.hpfSlopeEntry);
    lpfSlope_->setCurrentIndex(c.lpfSlopeEntry);
    level_->setCurrentIndex(c.levelEntry);
  }
  for (auto [slider, low, high, value, enabled] :
       {std::tuple{hpfSlider_, c.hpfSliderMin, c.hpfSliderMax, c.hpfSlider, c.hpfEnabled},
        std::tuple{lpfSlider_, c.lpfSliderMin, c.lpfSliderMax, c.lpfSlider, c.lpfEnabled}}) {
    const QSignalBlocker block(slider);
    slider->setRange(low, high);
    slider->setValue(value);
    slider->setEnabled(enabled);
  }
  hpfFrequency_->setText(QtText(c.hpfFrequencyText));
  lpfFrequency_->setText(QtText(c.lpfFrequencyText));
  hpfFrequency_->setEnabled(c.hpfEnabled);
  lpfFrequency_->setEnabled(c.lpfEnabled);
  for (int s = 0; s < kCrossoverSetCount; ++s) {
    QRadioButton* radio = sets_[static_cast<std::size_t>(s)];
    const QSignalBlocker block(radio);
    radio->setEnabled(c.setEnabled[static_cast<std::size_t>(s)]);
    radio->setChecked(s == Index(c.set));
  }
  {
    const QSignalBlocker block(showAll_);
    showAll_->setChecked(c.showAllCurves);
  }
  syncing_ = false;
}

void CrossoverDialog::SetOffline(bool offline) { print_->setEnabled(offline); }

void CrossoverDialog::MoveFocus(CrossoverFocus control) {
  QWidget* target = control == CrossoverFocus::HpfSlider   ? static_cast<QWidget*>(hpfSlider_)
                    : control == CrossoverFocus::LevelList ? static_cast<QWidget*>(level_)
                                                           : static_cast<QWidget*>(lpfSlider_);
  target->setFocus(Qt::OtherFocusReason);
}

GraphScale CrossoverDialog::GraphSize() const { return {graph_->width(), graph_->height()}; }

CrossoverLegendArea CrossoverDialog::LegendArea() const { return {legend_->width(), legend_->height()}; }

void CrossoverDialog::OnReturn() {
  Do([&] { editor_.Enter(channel_->currentText().toStdString()); });
}

void CrossoverDialog::keyPressEvent(QKeyEvent* event) {
  // Keys the focused control does not use itself reach the window.
  if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
    Do([&] { editor_.StepLevel(event->key() == Qt::Key_Up ? 1 : -1); });
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CrossoverDialog::CloseRequested() { editor_.Close(); }

void CrossoverDialog::Resized() { editor_.Resize(GraphSize(), LegendArea()); }
