#include "eq/ui/graphic_eq_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "common/ui/user_toggle.h"
#include "eq/equalizer_settings.h"
#include "eq/graphic_eq_editor.h"
#include "eq/ui/eq_button_pictures.h"
#include "eq/ui/geq_slider_bank.h"
#include "eq/ui/picture_button.h"
#include "graphics/ui/eq_picture_widget.h"
#include "platform/qt_text.h"

namespace {

constexpr const char* kMouseTraceLabel = "Mouse Trace\n(with Enable Cursol)";

QComboBox* NamedList(const QString& name, bool editable, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setAccessibleName(name);
  list->setEditable(editable);
  if (editable) {
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
  }
  return list;
}

QGroupBox* Boxed(const QString& caption, QWidget* content, QWidget* parent) {
  auto* box = new QGroupBox(caption, parent);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(content);
  layout->addStretch();
  return box;
}

}  // namespace

GraphicEqDialog::GraphicEqDialog(GraphicEqEditor& editor, QWidget* parent)
    : EditorDialog(parent), editor_(editor) {
  setWindowTitle(QStringLiteral("Graphic EQ Window"));
  setModal(false);
  Build();
  Sync();
}

GraphicEqDialog::~GraphicEqDialog() { retired_ = true; }

void GraphicEqDialog::Build() {
  graph_ = new EqPictureWidget(kGraphSize, this);
  legend_ = new EqPictureWidget(kLegendSize, this);
  auto* strip = new QLabel(this);
  strip->setPixmap(EqPictureStrip());
  strip->setScaledContents(true);
  strip->setFixedHeight(40);
  strip->setMinimumWidth(kGraphSize.width());
  sliders_ = new GeqSliderBank(this);

  graph_->onPress = [this](CanvasPoint p) { Do([&] { editor_.GraphPress(p); }); };
  graph_->onMove = [this](CanvasPoint p) { Do([&] { editor_.GraphMove(p); }); };
  graph_->onRelease = [this] { Do([&] { editor_.GraphRelease(); }); };
  graph_->onResized = [this] { ScheduleResized(); };
  legend_->onPress = [this](CanvasPoint p) { Do([&] { editor_.LegendPress(p); }); };
  legend_->onResized = [this] { ScheduleResized(); };
  sliders_->onMoved = [this](int band, int position) { Do([&] { editor_.SliderMoved(band, position); }); };

  // The sliders share the graph's column, so that each stands under its bar.
  auto* pictures = new QGridLayout;
  pictures->setSpacing(4);
  pictures->addWidget(graph_, 0, 0);
  pictures->addWidget(legend_, 0, 1);
  pictures->addWidget(strip, 1, 0);
  pictures->addWidget(sliders_, 2, 0);
  pictures->setRowStretch(0, 2);
  pictures->setRowStretch(2, 1);
  pictures->setColumnStretch(0, kGraphSize.width());
  pictures->setColumnStretch(1, kLegendSize.width());

  auto* main = new QVBoxLayout(this);
  main->addLayout(pictures, 1);
  main->addLayout(BuildControls());
}

QLayout* GraphicEqDialog::BuildControls() {
  channel_ = NamedList(QStringLiteral("Channel"), true, this);
  for (std::string_view name : kEqGroupListTexts) channel_->addItem(QtText(name));
  connect(channel_, &QComboBox::activated, this,
          [this](int index) { Do([&] { editor_.SelectChannel(index); }); });

  bandList_ = NamedList(QStringLiteral("Band Frequency"), true, this);
  bandList_->setMinimumContentsLength(8);
  connect(bandList_, &QComboBox::activated, this,
          [this](int index) { Do([&] { editor_.SelectBandListEntry(index); }); });

  levelList_ = NamedList(QStringLiteral("Band Level"), false, this);
  for (GeqLevelCode code = 0; code <= kGeqMaxCode; ++code) levelList_->addItem(QtText(GeqLevelText(code)));
  connect(levelList_, &QComboBox::activated, this,
          [this](int index) { Do([&] { editor_.SelectLevel(index); }); });

  auto* lists = new QHBoxLayout;
  lists->addWidget(Boxed(QStringLiteral("Channel"), channel_, this));
  lists->addWidget(Boxed(QStringLiteral("Band Frequency"), bandList_, this));
  lists->addWidget(Boxed(QStringLiteral("Band Level"), levelList_, this));

  auto* sideBox = new QGroupBox(QStringLiteral("L / R"), this);
  auto* sideLayout = new QVBoxLayout(sideBox);
  sideLayout->setSpacing(2);
  auto* sideGroup = new QButtonGroup(this);
  for (int s = 0; s < kEqSideCount; ++s) {
    auto* radio = new QRadioButton(QtText(kEqSideTexts[static_cast<std::size_t>(s)]), sideBox);
    sides_[static_cast<std::size_t>(s)] = radio;
    sideGroup->addButton(radio, s);
    sideLayout->addWidget(radio);
    OnUserChosen(radio, this, [this, s] { Do([&] { editor_.SelectSide(s); }); });
  }

  graphButton_ = new PictureButton(EqButtonPicture("GRAPHU"), EqButtonPicture("GRAPHD"), this);
  graphButton_->setObjectName(QStringLiteral("GRAPH"));
  graphButton_->setAccessibleName(QStringLiteral("GRAPH"));
  gboxButton_ = new PictureButton(EqButtonPicture("GBOXU"), EqButtonPicture("GBOXD"), this);
  gboxButton_->setObjectName(QStringLiteral("GBOX"));
  gboxButton_->setAccessibleName(QStringLiteral("GBOX"));
  OnUserToggled(graphButton_, this, [this](bool checked) {
    Do([&] {
      if (checked != editor_.Controls().showAllCurves) editor_.ToggleShowAllCurves();
    });
  });
  OnUserToggled(gboxButton_, this, [this](bool checked) {
    Do([&] {
      if (checked != editor_.Controls().enableCursors) editor_.ToggleEnableCursors();
    });
  });
  auto* toggles = new QGridLayout;
  toggles->addWidget(new QLabel(QStringLiteral("Show All Curves"), this), 0, 0, Qt::AlignHCenter);
  toggles->addWidget(graphButton_, 1, 0, Qt::AlignHCenter);
  toggles->addWidget(new QLabel(QStringLiteral("Enable Cursors"), this), 0, 1, Qt::AlignHCenter);
  toggles->addWidget(gboxButton_, 1, 1, Qt::AlignHCenter);

  mouseTrace_ = new QCheckBox(QStringLiteral("ON/OFF"), this);
  mouseTrace_->setAccessibleName(QStringLiteral("Mouse Trace ON/OFF"));
  mouseTrace_->setAccessibleDescription(QString::fromLatin1(kMouseTraceLabel));
  OnUserToggled(mouseTrace_, this, [this](bool checked) { Do([&] { editor_.SetMouseTrace(checked); }); });
  auto* traceLabel = new QLabel(QString::fromLatin1(kMouseTraceLabel), this);
  traceLabel->setBuddy(mouseTrace_);
  auto* trace = new QHBoxLayout;
  trace->addWidget(traceLabel);
  trace->addWidget(mouseTrace_);
  toggles->addLayout(trace, 2, 0, 1, 2, Qt::AlignHCenter);

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
  buttons->addWidget(close_);

  // The hidden default and cancel buttons; Enter and Escape reach them from every control.
  return_ = new QPushButton(QStringLiteral("RETURN"), this);
  cancel_ = new QPushButton(QStringLiteral("CANCEL"), this);
  return_->hide();
  cancel_->hide();
  connect(return_, &QPushButton::clicked, this,
          [this] { Do([&] { editor_.Enter(channel_->currentText().toStdString()); }); });
  connect(cancel_, &QPushButton::clicked, this, [this] { Do([&] { editor_.Close(); }); });
  for (auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    connect(shortcut, &QShortcut::activated, return_, &QPushButton::click);
  }

  auto* controls = new QHBoxLayout;
  controls->addLayout(lists);
  controls->addWidget(sideBox);
  controls->addStretch();
  controls->addLayout(toggles);
  controls->addStretch();
  controls->addLayout(buttons);
  return controls;
}

void GraphicEqDialog::Sync() {
  syncing_ = true;
  const GeqControls& c = editor_.Controls();
  {
    const QSignalBlocker block(channel_);
    channel_->setCurrentIndex(Index(c.group));
    channel_->setEditText(QtText(c.channelText));
  }
  {
    const QSignalBlocker block(bandList_);
    QStringList entries;
    for (const std::string& e : c.bandList) entries << QtText(e);
    QStringList shown;
    for (int i = 0; i < bandList_->count(); ++i) shown << bandList_->itemText(i);
    if (shown != entries) {
      bandList_->clear();
      bandList_->addItems(entries);
    }
    bandList_->setCurrentIndex(c.bandListIndex);
    bandList_->setEditText(bandList_->itemText(c.bandListIndex));
    bandList_->setEnabled(c.bandListEnabled);
  }
  {
    const QSignalBlocker block(levelList_);
    levelList_->setCurrentIndex(c.levelIndex);
    levelList_->setEnabled(c.levelListEnabled);
  }
  for (int b = 0; b < kGeqBandCount; ++b) {
    QSlider* slider = sliders_->Slider(b);
    const QSignalBlocker block(slider);
    slider->setValue(c.sliders[static_cast<std::size_t>(b)]);
    slider->setEnabled(c.sliderEnabled[static_cast<std::size_t>(b)]);
  }
  for (int s = 0; s < kEqSideCount; ++s) {
    QRadioButton* radio = sides_[static_cast<std::size_t>(s)];
    const QSignalBlocker block(radio);
    radio->setEnabled(c.sideEnabled[static_cast<std::size_t>(s)]);
    radio->setChecked(s == Index(c.side));
  }
  for (auto [button, on] : {std::pair<QAbstractButton*, bool>{graphButton_, c.showAllCurves},
                            {gboxButton_, c.enableCursors},
                            {mouseTrace_, c.mouseTrace}}) {
    const QSignalBlocker block(button);
    button->setChecked(on);
  }
  reset_->setEnabled(c.resetEnabled);
  syncing_ = false;
}

QSlider* GraphicEqDialog::BandSlider(int band) const { return sliders_->Slider(band); }

void GraphicEqDialog::SetOffline(bool offline) { print_->setEnabled(offline); }

GraphScale GraphicEqDialog::GraphSize() const { return {graph_->width(), graph_->height()}; }

LegendSize GraphicEqDialog::LegendArea() const { return {legend_->width(), legend_->height()}; }

void GraphicEqDialog::CloseRequested() { editor_.Close(); }

void GraphicEqDialog::Resized() { editor_.Resize(GraphSize(), LegendArea()); }
