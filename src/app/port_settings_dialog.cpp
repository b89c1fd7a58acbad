#include "app/port_settings_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "common/ui/user_toggle.h"
#include "platform/qt_text.h"

namespace {

const std::array<const char*, 5> kListColumns = {"Device", "Description", "Manufacturer", "Serial number",
                                                 "Used as"};
const std::array<std::pair<const char*, int>, 5> kParities = {
    {{"None", 0}, {"Odd", 1}, {"Even", 2}, {"Mark", 3}, {"Space", 4}}};
const std::array<std::pair<const char*, int>, 3> kStopBits = {{{"1", 0}, {"1.5", 1}, {"2", 2}}};
const std::array<std::pair<const char*, const char*>, 4> kSwitches = {{
    {"XON/XOFF on output", "fOutX"},
    {"XON/XOFF on input", "fInX"},
    {"CTS flow control", "fOutxCtsFlow"},
    {"DSR flow control", "fOutxDsrFlow"},
}};
constexpr const char* kDsrNote = "Kept for the setup; this system's serial driver has no DSR flow control.";

// Selects the item carrying `value`; a stored value the list does not offer gets an item of its
// own, so that opening the dialog never changes it.
void SelectValue(QComboBox* box, int value) {
  int at = box->findData(value);
  if (at < 0) {
    box->addItem(QString::number(value), value);
    at = box->count() - 1;
  }
  box->setCurrentIndex(at);
}

QComboBox* ValueBox(QWidget* parent, const QString& name) {
  auto* box = new QComboBox(parent);
  box->setAccessibleName(name);
  return box;
}

bool* SwitchField(SerialSettings& line, std::size_t index) {
  switch (index) {
    case 0:
      return &line.outX;
    case 1:
      return &line.inX;
    case 2:
      return &line.ctsFlow;
    default:
      return &line.dsrFlow;
  }
}

}  // namespace

PortSettingsDialog::PortSettingsDialog(SettingsStore& settings, Scan scan, PortSetupEditor::Describe describe,
                                       PortMapping::Environment environment, QWidget* parent)
    : QDialog(parent),
      editor_(settings, std::move(environment)),
      scan_(std::move(scan)),
      describe_(std::move(describe)) {
  setWindowTitle(QString::fromLatin1(kCaption));
  setObjectName(QString::fromLatin1(kCaption));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(10);
  layout->addWidget(BuildList(), 1);
  layout->addWidget(BuildPorts());
  layout->addWidget(BuildLine());

  error_ = new QLabel(this);
  error_->setObjectName(QStringLiteral("error"));
  error_->setWordWrap(true);
  error_->setStyleSheet(QStringLiteral("color: #ff7a66; font-weight: bold;"));
  error_->hide();
  layout->addWidget(error_);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
  for (QAbstractButton* b : buttons->buttons()) b->setAccessibleName(b->text().remove(QLatin1Char('&')));
  connect(buttons, &QDialogButtonBox::accepted, this, &PortSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PortSettingsDialog::reject);
  connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this, [this] {
    editor_.RestoreDefaults();
    ShowState();
  });
  layout->addWidget(buttons);

  Rescan();
  resize(760, sizeHint().height());
}

QWidget* PortSettingsDialog::BuildList() {
  auto* group = new QGroupBox(QString::fromLatin1(kListCaption), this);
  auto* layout = new QVBoxLayout(group);
  list_ = new QTreeWidget(group);
  list_->setAccessibleName(QString::fromLatin1(kListCaption));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::NoSelection);
  QStringList headers;
  for (const char* column : kListColumns) headers << QString::fromLatin1(column);
  list_->setHeaderLabels(headers);
  list_->header()->setStretchLastSection(true);
  list_->setMinimumHeight(list_->fontMetrics().height() * 7);
  layout->addWidget(list_);
  refresh_ = new QPushButton(QStringLiteral("Refresh"), group);
  refresh_->setAccessibleName(QStringLiteral("Refresh"));
  refresh_->setAutoDefault(false);
  refresh_->setToolTip(QStringLiteral("Look for serial ports again, e.g. after plugging in a USB adapter"));
  connect(refresh_, &QPushButton::clicked, this, &PortSettingsDialog::Rescan);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(refresh_);
  layout->addLayout(row);
  return group;
}

QWidget* PortSettingsDialog::BuildPorts() {
  auto* group = new QGroupBox(QString::fromLatin1(kPortsCaption), this);
  auto* grid = new QGridLayout(group);
  grid->setColumnStretch(2, 1);
  for (int i = 0; i < PortSetupEditor::kPortCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const QString name = QString::fromLatin1(PortMapping::kNames[at]);
    auto* label = new QLabel(name, group);
    auto* box = new QComboBox(group);
    box->setObjectName(name);
    box->setAccessibleName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(24);
    box->setToolTip(QStringLiteral("The device %1 stands for; choose one or type its path").arg(name));
    label->setBuddy(box);
    connect(box, &QComboBox::currentTextChanged, this, [this, i](const QString& text) {
      editor_.SetDevice(i, text.toStdString());
      error_->hide();
      ShowNotes();
      ShowList();
    });
    auto* note = new QLabel(group);
    note->setObjectName(name + QStringLiteral("Note"));
    grid->addWidget(label, i, 0);
    grid->addWidget(box, i, 1);
    grid->addWidget(note, i, 2);
    devices_[at] = box;
    notes_[at] = note;
  }
  return group;
}

QWidget* PortSettingsDialog::BuildLine() {
  auto* group = new QGroupBox(QString::fromLatin1(SerialSettings::kSection), this);
  auto* grid = new QGridLayout(group);
  const auto addField = [&](int column, const QString& caption, QComboBox* box) {
    auto* label = new QLabel(caption, group);
    label->setBuddy(box);
    grid->addWidget(label, 0, column);
    grid->addWidget(box, 1, column);
  };

  baud_ = ValueBox(group, QStringLiteral("Baud rate"));
  baud_->setEditable(true);
  baud_->setInsertPolicy(QComboBox::NoInsert);
  for (const int rate : PortSetupEditor::kBaudRates) baud_->addItem(QString::number(rate));
  connect(baud_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
    editor_.SetBaudText(text.toStdString());
    error_->hide();
  });
  addField(0, QStringLiteral("Baud rate"), baud_);

  dataBits_ = ValueBox(group, QStringLiteral("Data bits"));
  for (int bits = 5; bits <= 8; ++bits) dataBits_->addItem(QString::number(bits), bits);
  connect(dataBits_, &QComboBox::currentIndexChanged, this,
          [this] { editor_.Line().byteSize = dataBits_->currentData().toInt(); });
  addField(1, QStringLiteral("Data bits"), dataBits_);

  parity_ = ValueBox(group, QStringLiteral("Parity"));
  for (const auto& [text, value] : kParities) parity_->addItem(QString::fromLatin1(text), value);
  connect(parity_, &QComboBox::currentIndexChanged, this,
          [this] { editor_.Line().parity = parity_->currentData().toInt(); });
  addField(2, QStringLiteral("Parity"), parity_);

  stopBits_ = ValueBox(group, QStringLiteral("Stop bits"));
  for (const auto& [text, value] : kStopBits) stopBits_->addItem(QString::fromLatin1(text), value);
  connect(stopBits_, &QComboBox::currentIndexChanged, this,
          [this] { editor_.Line().stopBits = stopBits_->currentData().toInt(); });
  addField(3, QStringLiteral("Stop bits"), stopBits_);

  for (std::size_t i = 0; i < kSwitches.size(); ++i) {
    auto* box = new QCheckBox(QString::fromLatin1(kSwitches[i].first), group);
    box->setAccessibleName(box->text());
    box->setToolTip(i == 3 ? QString::fromLatin1(kDsrNote)
                           : QStringLiteral("Stored as %1").arg(QString::fromLatin1(kSwitches[i].second)));
    OnUserToggled(box, this, [this, i](bool on) { *SwitchField(editor_.Line(), i) = on; });
    grid->addWidget(box, 2 + static_cast<int>(i) / 2, static_cast<int>(i % 2) * 2, 1, 2);
    switches_[i] = box;
  }
  auto* note = new QLabel(QString::fromLatin1(kLineNote), group);
  note->setEnabled(false);
  grid->addWidget(note, 4, 0, 1, 4);
  return group;
}

void PortSettingsDialog::Rescan() {
  editor_.SetFoundPorts(scan_ ? scan_() : std::vector<FoundPort>{}, describe_);
  ShowState();
}

void PortSettingsDialog::ShowState() {
  const std::vector<std::string> choices = editor_.DeviceChoices();
  for (int i = 0; i < PortSetupEditor::kPortCount; ++i) {
    QComboBox* box = devices_[static_cast<std::size_t>(i)];
    const QSignalBlocker block(box);
    box->clear();
    for (const std::string& device : choices) box->addItem(QtText(device));
    box->setCurrentText(QtText(editor_.Device(i)));
    box->setEnabled(!editor_.SetByEnvironment(i));
  }
  {
    const QSignalBlocker block(baud_);
    baud_->setCurrentText(QtText(editor_.BaudText()));
  }
  const SerialSettings& line = editor_.Line();
  const std::array<std::pair<QComboBox*, int>, 3> values = {
      {{dataBits_, line.byteSize}, {parity_, line.parity}, {stopBits_, line.stopBits}}};
  for (const auto& [box, value] : values) {
    const QSignalBlocker block(box);
    SelectValue(box, value);
  }
  const std::array<bool, 4> on = {line.outX, line.inX, line.ctsFlow, line.dsrFlow};
  for (std::size_t i = 0; i < switches_.size(); ++i) {
    const QSignalBlocker block(switches_[i]);
    switches_[i]->setChecked(on[i]);
  }
  error_->hide();
  ShowNotes();
  ShowList();
}

void PortSettingsDialog::ShowList() {
  list_->clear();
  for (const FoundPort& port : editor_.Ports()) {
    auto* item = new QTreeWidgetItem(
        list_, QStringList{QtText(port.device), QtText(port.description), QtText(port.manufacturer),
                           QtText(port.serialNumber), QtText(editor_.UsedAs(port.device))});
    item->setToolTip(0, QtText(port.device));
  }
  constexpr int kColumnGap = 18;
  for (int c = 0; c + 1 < list_->columnCount(); ++c) {
    list_->resizeColumnToContents(c);
    list_->setColumnWidth(c, list_->columnWidth(c) + kColumnGap);
  }
}

void PortSettingsDialog::ShowNotes() {
  for (int i = 0; i < PortSetupEditor::kPortCount; ++i) {
    notes_[static_cast<std::size_t>(i)]->setText(QtText(editor_.Note(i)));
  }
}

void PortSettingsDialog::accept() {
  const std::string problem = editor_.Check();
  if (!problem.empty()) {
    error_->setText(QtText(problem));
    error_->show();
    QWidget* culprit = baud_;
    for (int i = 0; i < PortSetupEditor::kPortCount; ++i) {
      if (problem.rfind(PortMapping::kNames[static_cast<std::size_t>(i)], 0) == 0) culprit = DeviceBox(i);
    }
    culprit->setFocus();
    return;
  }
  editor_.Apply(&changed_);
  QDialog::accept();
}
