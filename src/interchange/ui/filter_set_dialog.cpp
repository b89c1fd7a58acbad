#include "interchange/ui/filter_set_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>

#include "eq/equalizer_settings.h"

namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QComboBox* Box(QFormLayout* form, const QString& caption, const QStringList& items) {
  auto* box = new QComboBox;
  box->addItems(items);
  box->setAccessibleName(caption);
  form->addRow(caption, box);
  return box;
}

}  // namespace

FilterSetDialog::FilterSetDialog(bool import, const std::vector<std::string>& channels, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QString::fromLatin1(import ? kImportCaption : kExportCaption));
  auto* form = new QFormLayout(this);
  QStringList groups;
  for (std::string_view g : kEqGroupListTexts) groups << Text(g);
  QStringList sides;
  for (std::string_view s : kEqSideTexts) sides << Text(s);
  group_ = Box(form, QStringLiteral("Channel"), groups);
  side_ = Box(form, QStringLiteral("L / R"), sides);
  // Center is mono: its set is the Common one.
  connect(group_, &QComboBox::currentIndexChanged, this, [this](int g) {
    const bool center = g == Index(EqGroup::Center);
    if (center) side_->setCurrentIndex(Index(EqSide::Common));
    side_->setEnabled(!center);
  });
  if (import && !channels.empty()) {
    QStringList names;
    for (const std::string& c : channels) names << QString::fromStdString(c);
    channel_ = Box(form, QStringLiteral("Section of the file"), names);
  }
  if (!import) {
    format_ =
        Box(form, QStringLiteral("Format"),
            {QStringLiteral("Equalizer APO / AutoEq (apo)"), QStringLiteral("REW filter settings (rew)")});
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

FilterSetChoice FilterSetDialog::Choice() const {
  FilterSetChoice c;
  c.group = static_cast<EqGroup>(group_->currentIndex());
  c.side = c.group == EqGroup::Center ? EqSide::Common : static_cast<EqSide>(side_->currentIndex());
  if (channel_ != nullptr) c.channel = channel_->currentText().toStdString();
  if (format_ != nullptr)
    c.format = format_->currentIndex() == 1 ? FilterTextFormat::Rew : FilterTextFormat::Apo;
  return c;
}
