#include "app/profile_stand_in_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextDocument>
#include <QVBoxLayout>
#include <functional>
#include <vector>

#include "document/customer_profile.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

ProfileStandInDialog::ProfileStandInDialog(CustomerProfile& profile, QWidget* parent)
    : QDialog(parent), profile_(profile) {
  setWindowTitle(QStringLiteral("Customer Profile"));
  setObjectName(QStringLiteral("Customer Profile"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

void ProfileStandInDialog::Edit() {
  // Only what the user changed is written back: a value from a file that the boxes cannot show
  // as it is (too long, out of range) must not come back cut or clamped.
  std::vector<std::function<void()>> takeBack;
  auto text = [&](QFormLayout* form, const char* label, std::string& field, int max) {
    auto* edit = new QLineEdit(Q(field), this);
    edit->setObjectName(QString::fromLatin1(label));
    edit->setMaxLength(max);
    form->addRow(QString::fromLatin1(label), edit);
    takeBack.push_back([edit, &field] {
      if (edit->isModified()) field = edit->text().toStdString();
    });
  };
  auto number = [&](QFormLayout* form, const char* label, std::int32_t& field, int max) {
    auto* box = new QSpinBox(this);
    box->setObjectName(QString::fromLatin1(label));
    box->setRange(0, max);
    box->setValue(field);
    const int shown = box->value();
    form->addRow(QString::fromLatin1(label), box);
    takeBack.push_back([box, shown, &field] {
      if (box->value() != shown) field = box->value();
    });
  };

  auto* layout = new QVBoxLayout(this);
  auto* date = new QHBoxLayout;
  auto* dateForm = new QFormLayout;
  dateForm->setFormAlignment(Qt::AlignLeft);
  number(dateForm, "year", profile_.year, 2100);
  number(dateForm, "month", profile_.month, 12);
  number(dateForm, "day", profile_.day, 31);
  date->addLayout(dateForm);
  date->addStretch();
  auto* proceed = new QPushButton(QStringLiteral("Proceed to Proc.Setup"), this);
  proceed->setDefault(true);
  connect(proceed, &QPushButton::clicked, this, &QDialog::accept);
  date->addWidget(proceed, 0, Qt::AlignTop);
  layout->addLayout(date);

  auto* columns = new QHBoxLayout;
  auto* customer = new QGroupBox(QStringLiteral("Customer Profile"), this);
  auto* cf = new QFormLayout(customer);
  text(cf, "First Name", profile_.firstName, 26);
  text(cf, "Last Name", profile_.lastName, 26);
  text(cf, "CITY", profile_.city, 40);
  text(cf, "STATE", profile_.state, 26);
  text(cf, "ZIP", profile_.zip, 26);
  auto* country = new QComboBox(this);
  country->addItems({QStringLiteral("U.S.A"), QStringLiteral("JAPAN"), QStringLiteral("OTHER")});
  country->setCurrentIndex(profile_.country);
  const int shownCountry = country->currentIndex();
  cf->addRow(QStringLiteral("COUNTRY"), country);
  takeBack.push_back([this, country, shownCountry] {
    if (country->currentIndex() != shownCountry) profile_.country = country->currentIndex();
  });
  text(cf, "E-mail", profile_.email, 40);
  text(cf, "TEL(DAY)", profile_.telDay, 26);
  text(cf, "TEL(evening)", profile_.telEvening, 26);
  number(cf, "Dealer No", profile_.dealerNumber, 10000);
  text(cf, "Dealer Name", profile_.dealerName, 26);
  text(cf, "Installer", profile_.installer, 26);
  columns->addWidget(customer);

  auto* vehicle = new QGroupBox(QStringLiteral("Vehicle Profile"), this);
  auto* vf = new QFormLayout(vehicle);
  text(vf, "Make", profile_.vehicleMake, 50);
  text(vf, "Model", profile_.vehicleModel, 50);
  text(vf, "Year", profile_.vehicleYear, 50);
  text(vf, "Remarks", profile_.remarks, 50);
  auto* right = new QVBoxLayout;
  right->addWidget(vehicle);
  right->addStretch();
  columns->addLayout(right);
  layout->addLayout(columns);

  auto* comments = new QPlainTextEdit(Q(profile_.comments), this);
  comments->setFixedHeight(60);
  auto* commentForm = new QFormLayout;
  commentForm->addRow(QStringLiteral("COMMENTS"), comments);
  layout->addLayout(commentForm);
  comments->setObjectName(QStringLiteral("COMMENTS"));
  takeBack.push_back([this, comments] {
    if (comments->document()->isModified())
      profile_.comments = comments->toPlainText().left(200).toStdString();
  });

  exec();
  for (const auto& back : takeBack) back();
}
