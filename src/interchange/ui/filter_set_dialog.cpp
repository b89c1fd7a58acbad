#include "interchange/ui/filter_set_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>

#include "interchange/ui/choice_rows.h"

FilterSetDialog::FilterSetDialog(bool import, const std::vector<std::string>& channels, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QString::fromLatin1(import ? kImportCaption : kExportCaption));
  auto* form = new QFormLayout(this);
  group_ = ChoiceRows::AddChoice(form, QStringLiteral("Channel"), ChoiceRows::GroupNames());
  side_ = ChoiceRows::AddChoice(form, QStringLiteral("L / R"), ChoiceRows::SideNames());
  connect(group_, &QComboBox::currentIndexChanged, this,
          [this](int g) { ChoiceRows::FollowMonoCenter(side_, g); });
  if (import && !channels.empty()) {
    QStringList names;
    for (const std::string& c : channels) names << QString::fromStdString(c);
    channel_ = ChoiceRows::AddChoice(form, QStringLiteral("Section of the file"), names);
  }
  if (!import) {
    format_ = ChoiceRows::AddChoice(
        form, QStringLiteral("Format"),
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
