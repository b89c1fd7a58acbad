#include "profile/ui/customer_profile_dialog.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "platform/qt_text.h"
#include "profile/profile_texts.h"

namespace {

// The dialog's grid: 409 x 297 dialog units, and pixels per unit.
constexpr int kProfileUnitsWide = 409;
constexpr int kProfileUnitsHigh = 297;
constexpr double kPixelsPerUnitX = 1.75;
constexpr double kPixelsPerUnitY = 1.75;
constexpr int kBoxHeight = 13;
constexpr int kFacePixels = 12;

QRect Units(int x, int y, int w, int h) {
  const auto px = [](int u, double f) { return static_cast<int>(u * f + 0.5); };
  const int left = px(x, kPixelsPerUnitX);
  const int top = px(y, kPixelsPerUnitY);
  return QRect(left, top, px(x + w, kPixelsPerUnitX) - left, px(y + h, kPixelsPerUnitY) - top);
}

struct FieldRow {
  ProfileField field;
  const char* caption;
  int y;
};

constexpr FieldRow kCustomerRows[] = {{ProfileField::FirstName, "First Name", 37},
                                      {ProfileField::LastName, "Last Name", 55},
                                      {ProfileField::City, "CITY", 73},
                                      {ProfileField::State, "STATE", 91},
                                      {ProfileField::Zip, "ZIP", 109},
                                      {ProfileField::Country, "COUNTRY", 127},
                                      {ProfileField::Email, "E-mail", 147},
                                      {ProfileField::TelDay, "TEL(DAY)", 164},
                                      {ProfileField::TelEvening, "TEL(evening)", 183},
                                      {ProfileField::DealerNumber, "Dealer No", 202},
                                      {ProfileField::DealerName, "Dealer Name", 219},
                                      {ProfileField::Installer, "Installer", 237}};

constexpr FieldRow kVehicleRows[] = {{ProfileField::VehicleMake, "Make", 37},
                                     {ProfileField::VehicleModel, "Model", 53},
                                     {ProfileField::VehicleYear, "Year", 69},
                                     {ProfileField::Remarks, "Remarks", 84}};

// The date boxes: x, width, and the caption standing before each.
struct DateBox {
  ProfileField field;
  const char* caption;
  int x;
  int width;
};
constexpr DateBox kDateBoxes[] = {{ProfileField::Year, "year", 37, 20},
                                  {ProfileField::Month, "month", 101, 15},
                                  {ProfileField::Day, "day", 141, 15}};

constexpr int kTopRowY = 7;
constexpr int kTableTop = 132;
constexpr int kTableRowStep = 17;
constexpr std::array<int, 3> kColumnX = {226, 303, 382};
constexpr std::array<int, 3> kColumnWidth = {76, 76, 16};
constexpr std::array<int, 3> kColumnHeadX = {245, 321, 370};

}  // namespace

CustomerProfileDialog::CustomerProfileDialog(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), editor_(*this, dialogs), standardPrint_(this), printDialog_(&standardPrint_) {
  setWindowTitle(QStringLiteral("Customer Profile"));
  setObjectName(QStringLiteral("Customer Profile"));
  setAccessibleName(QStringLiteral("Customer Profile"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  setModal(true);
  Build();
  editor_.Load(CustomerProfile{});
  Sync();
}

CustomerProfileDialog::~CustomerProfileDialog() { syncing_ = true; }

template <typename F>
void CustomerProfileDialog::Do(F&& action) {
  if (syncing_) return;
  action();
  Sync();
}

QLineEdit* CustomerProfileDialog::LineBox(ProfileBox box) const {
  return qobject_cast<QLineEdit*>(BoxWidget(box));
}

void CustomerProfileDialog::Build() {
  setFixedSize(Units(0, 0, kProfileUnitsWide, kProfileUnitsHigh).size());
  // The grid is made for the small dialog face of the processor's software.
  QFont face = font();
  face.setPixelSize(kFacePixels);
  setFont(face);

  auto label = [this](const QString& caption, const QRect& at, Qt::Alignment align = Qt::AlignLeft) {
    auto* l = new QLabel(caption, this);
    l->setGeometry(at);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
  };
  auto lineBox = [this](ProfileBox box, const QString& name, const QRect& at) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setAccessibleName(name);
    edit->setGeometry(at);
    if (box.TextMax() > 0) edit->setMaxLength(box.TextMax());
    boxes_[static_cast<std::size_t>(box.Index())] = edit;
    connect(edit, &QLineEdit::textEdited, this,
            [this, box](const QString& text) { Do([&] { editor_.Edit(box, text.toStdString()); }); });
    return edit;
  };

  // The groups first, so that their frames lie under the controls placed on them.
  auto* customer = new QGroupBox(QStringLiteral("Customer Profile"), this);
  customer->setGeometry(Units(13, 26, 154, 228));
  auto* vehicle = new QGroupBox(QStringLiteral("Vehicle Profile"), this);
  vehicle->setGeometry(Units(173, 26, 229, 75));

  // Top row: the date, "ID code" and the two buttons.
  int captionLeft = 8;
  for (const DateBox& d : kDateBoxes) {
    QLabel* caption = label(QString::fromLatin1(d.caption),
                            Units(captionLeft, kTopRowY, d.x - 2 - captionLeft, kBoxHeight), Qt::AlignRight);
    QLineEdit* box = lineBox(ProfileBox::Of(d.field), QString::fromLatin1(d.caption),
                             Units(d.x, kTopRowY, d.width, kBoxHeight));
    caption->setBuddy(box);
    captionLeft = d.x + d.width + 2;
  }
  QLabel* idCaption = label(QStringLiteral("ID code"), Units(158, kTopRowY, 35, kBoxHeight), Qt::AlignRight);
  idCode_ = new QLineEdit(this);  // for the shop's own use: printed, never stored in a file
  idCode_->setObjectName(QStringLiteral("ID code"));
  idCode_->setAccessibleName(QStringLiteral("ID code"));
  idCode_->setGeometry(Units(195, kTopRowY, 64, kBoxHeight));
  idCode_->setMaxLength(CustomerProfileEditor::kIdCodeMax);
  connect(idCode_, &QLineEdit::textEdited, this,
          [this](const QString& text) { Do([&] { editor_.EditIdCode(text.toStdString()); }); });
  idCaption->setBuddy(idCode_);

  print_ = new QPushButton(QStringLiteral("PRINT"), this);
  print_->setGeometry(Units(269, kTopRowY - 1, 39, kBoxHeight + 2));
  print_->setAutoDefault(false);
  connect(print_, &QPushButton::clicked, this, &CustomerProfileDialog::OnPrint);
  proceed_ = new QPushButton(QStringLiteral("Proceed to Proc.Setup"), this);
  proceed_->setGeometry(Units(310, kTopRowY - 1, 98, kBoxHeight + 2));
  proceed_->setDefault(true);
  connect(proceed_, &QPushButton::clicked, this, &CustomerProfileDialog::OnProceed);

  // "Customer Profile".
  for (const FieldRow& row : kCustomerRows) {
    const QString caption = QString::fromLatin1(row.caption);
    QLabel* l = label(caption, Units(17, row.y, 46, kBoxHeight));
    const QRect at = Units(64, row.y, 98, kBoxHeight);
    if (row.field == ProfileField::Country) {
      country_ = new QComboBox(this);
      country_->setObjectName(caption);
      country_->setAccessibleName(caption);
      country_->setEditable(true);
      country_->setInsertPolicy(QComboBox::NoInsert);
      country_->setCompleter(nullptr);
      for (std::string_view name : kCountryNames) country_->addItem(QtText(name));
      country_->setGeometry(at);
      boxes_[static_cast<std::size_t>(ProfileBox::Of(ProfileField::Country).Index())] = country_;
      const ProfileBox box = ProfileBox::Of(ProfileField::Country);
      connect(country_->lineEdit(), &QLineEdit::textEdited, this,
              [this, box](const QString& text) { Do([&] { editor_.Edit(box, text.toStdString()); }); });
      // A choice from the list, by mouse, keyboard or an accessibility tool; the same entry
      // chosen again after typing counts too.
      const auto chosen = [this, box](int index) {
        if (index >= 0) Do([&] { editor_.Edit(box, country_->itemText(index).toStdString()); });
      };
      connect(country_, &QComboBox::currentIndexChanged, this, chosen);
      connect(country_, &QComboBox::activated, this, chosen);
      l->setBuddy(country_);
    } else {
      l->setBuddy(lineBox(ProfileBox::Of(row.field), caption, at));
    }
  }

  // "Vehicle Profile".
  for (const FieldRow& row : kVehicleRows) {
    const QString caption = QString::fromLatin1(row.caption);
    QLabel* l = label(caption, Units(188, row.y, 36, kBoxHeight));
    l->setBuddy(lineBox(ProfileBox::Of(row.field), caption, Units(226, row.y, 172, kBoxHeight)));
  }

  // Gender: kept in the profile, but its controls are neither shown nor usable.
  QLabel* genderCaption = label(QStringLiteral("Gender"), Units(285, 24, 30, 10));
  genderCaption->hide();
  gender_[0] = new QRadioButton(QStringLiteral("Male"), this);
  gender_[0]->setGeometry(Units(320, 24, 35, 10));
  gender_[1] = new QRadioButton(QStringLiteral("Female"), this);
  gender_[1]->setGeometry(Units(357, 24, 40, 10));
  for (QRadioButton* g : gender_) {
    g->setAccessibleName(g->text());
    g->setEnabled(false);
    g->hide();
  }

  // The component tabs: the tab strip over a pane with the column heads, the row labels and
  // one table of boxes per tab, of which only the chosen one is shown.
  auto* pane = new QFrame(this);
  pane->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
  pane->setGeometry(Units(175, 117, 227, 137));
  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("Component tabs"));
  tabs_->setAccessibleName(QStringLiteral("Components"));
  tabs_->setDrawBase(false);
  tabs_->setExpanding(false);
  for (std::string_view name : kProfileTabNames) tabs_->addTab(QtText(name));
  tabs_->setGeometry(Units(175, 104, 227, 14));
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (index >= 0) Do([&] { editor_.SelectTab(static_cast<ProfileTab>(index)); });
  });
  for (int c = 0; c < kComponentColumnCount; ++c) {
    const auto i = static_cast<std::size_t>(c);
    label(QtText(kComponentColumnHeads[i]), Units(kColumnHeadX[i], 121, 40, 9));
  }
  for (int r = 0; r < kComponentRowCount; ++r) {
    rowLabels_[static_cast<std::size_t>(r)] =
        label(QString(), Units(179, kTableTop + r * kTableRowStep, 46, kBoxHeight));
  }
  for (int t = 0; t < kProfileTabCount; ++t) {
    const auto tab = static_cast<ProfileTab>(t);
    const auto& rowNames =
        (tab == ProfileTab::Amp || tab == ProfileTab::Speaker) ? kPositionRowLabels : kSystemRowLabels;
    for (int r = 0; r < kComponentRowCount; ++r) {
      for (int c = 0; c < kComponentColumnCount; ++c) {
        const auto i = static_cast<std::size_t>(c);
        const QString name =
            QStringLiteral("%1 %2 %3")
                .arg(QtText(kProfileTabNames[static_cast<std::size_t>(t)]),
                     QtText(rowNames[static_cast<std::size_t>(r)]), QtText(kComponentColumnHeads[i]));
        lineBox(ProfileBox::Cell(tab, r, static_cast<ComponentColumn>(c)), name,
                Units(kColumnX[i], kTableTop + r * kTableRowStep, kColumnWidth[i], kBoxHeight));
      }
    }
  }

  // "COMMENTS".
  label(QStringLiteral("COMMENTS"), Units(17, 265, 44, 10));
  comments_ = new QPlainTextEdit(this);
  comments_->setObjectName(QStringLiteral("COMMENTS"));
  comments_->setAccessibleName(QStringLiteral("COMMENTS"));
  comments_->setTabChangesFocus(true);
  comments_->setGeometry(Units(63, 257, 339, 31));
  boxes_[static_cast<std::size_t>(ProfileBox::Of(ProfileField::Comments).Index())] = comments_;
  connect(comments_, &QPlainTextEdit::textChanged, this, [this] {
    if (limiting_ || syncing_) return;
    LimitComments();
    Do([&] { editor_.Edit(ProfileBox::Of(ProfileField::Comments), comments_->toPlainText().toStdString()); });
  });

  // The hidden cancel button: like Esc, it keeps the edits and closes.
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setAutoDefault(false);
  cancel_->setGeometry(Units(310, 24, 50, kBoxHeight));
  cancel_->hide();
  connect(cancel_, &QPushButton::clicked, this, &CustomerProfileDialog::reject);

  // The tab order follows the fields as they stand on the screen.
  QWidget* previous = nullptr;
  auto chain = [&](QWidget* w) {
    if (previous != nullptr) setTabOrder(previous, w);
    previous = w;
  };
  for (const DateBox& d : kDateBoxes) chain(BoxWidget(ProfileBox::Of(d.field)));
  chain(idCode_);
  chain(print_);
  chain(proceed_);
  for (const FieldRow& row : kCustomerRows) chain(BoxWidget(ProfileBox::Of(row.field)));
  for (const FieldRow& row : kVehicleRows) chain(BoxWidget(ProfileBox::Of(row.field)));
  chain(tabs_);
  for (int t = 0; t < kProfileTabCount; ++t) {
    for (int r = 0; r < kComponentRowCount; ++r) {
      for (int c = 0; c < kComponentColumnCount; ++c)
        chain(BoxWidget(ProfileBox::Cell(static_cast<ProfileTab>(t), r, static_cast<ComponentColumn>(c))));
    }
  }
  chain(comments_);
}

void CustomerProfileDialog::LimitComments() {
  const int length = static_cast<int>(comments_->toPlainText().size());
  const int added = length - commentsLength_;
  const int excess = length - ProfileBox::Of(ProfileField::Comments).TextMax();
  QTextCursor cursor = comments_->textCursor();
  const int end = cursor.position();
  // Only what just went in, up to the cursor, is cut: a longer comment from a file stays as it
  // is where it is not edited.
  const int cut = std::min({excess, added, end});
  if (cut > 0) {
    limiting_ = true;
    cursor.setPosition(end - cut);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    comments_->setTextCursor(cursor);
    limiting_ = false;
  }
  commentsLength_ = static_cast<int>(comments_->toPlainText().size());
}

void CustomerProfileDialog::Sync() {
  syncing_ = true;
  for (int i = 0; i < ProfileBox::kCount; ++i) {
    const ProfileBox box = ProfileBox::AtIndex(i);
    // A box shows no more than it takes; a longer text from a file stays whole in the editor.
    const QString text = QString::fromStdString(editor_.Text(box));
    QWidget* w = BoxWidget(box);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      if (edit->text() != text.left(edit->maxLength())) {
        const QSignalBlocker block(edit);
        edit->setText(text);
      }
    }
  }
  if (const QString id = QString::fromStdString(editor_.IdCode()); idCode_->text() != id) {
    const QSignalBlocker block(idCode_);
    idCode_->setText(id);
  }
  if (country_->currentText() !=
      QString::fromStdString(editor_.Text(ProfileBox::Of(ProfileField::Country)))) {
    const QSignalBlocker block(country_);
    const QString text = QString::fromStdString(editor_.Text(ProfileBox::Of(ProfileField::Country)));
    country_->setCurrentIndex(country_->findText(text));
    country_->setEditText(text);
  }
  const QString comments = QString::fromStdString(editor_.Text(ProfileBox::Of(ProfileField::Comments)));
  if (comments_->toPlainText() != comments) {
    const QSignalBlocker block(comments_);
    comments_->setPlainText(comments);
  }
  commentsLength_ = static_cast<int>(comments_->toPlainText().size());
  {
    const int gender = editor_.Profile().gender;
    for (std::size_t g = 0; g < gender_.size(); ++g) {
      const QSignalBlocker block(gender_[g]);
      gender_[g]->setChecked(gender == static_cast<int>(g));
    }
  }

  const ProfileTab tab = editor_.Tab();
  if (tabs_->currentIndex() != static_cast<int>(tab)) {
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(static_cast<int>(tab));
  }
  for (int r = 0; r < kComponentRowCount; ++r)
    rowLabels_[static_cast<std::size_t>(r)]->setText(QtText(editor_.RowLabel(r)));
  for (int i = ProfileBox::Of(ProfileField::Comments).Index() + 1; i < ProfileBox::kCount; ++i) {
    const ProfileBox box = ProfileBox::AtIndex(i);
    BoxWidget(box)->setVisible(box.Tab() == tab);
  }
  syncing_ = false;
}

void CustomerProfileDialog::Load(const CustomerProfile& profile) {
  editor_.Load(profile);
  Sync();
}

void CustomerProfileDialog::SetIdCode(const std::string& code) {
  editor_.EditIdCode(code);
  Sync();
}

void CustomerProfileDialog::Edit(CustomerProfile& profile) {
  Load(profile);
  BoxWidget(ProfileBox::Of(ProfileField::Year))->setFocus();
  exec();
  profile = editor_.Profile();
}

void CustomerProfileDialog::SetPrintDialog(QtPrintedReport::PrintDialog* dialog) {
  printDialog_ = dialog != nullptr ? dialog : &standardPrint_;
}

void CustomerProfileDialog::OnProceed() {
  if (syncing_) return;
  const bool done = editor_.Proceed();
  Sync();
  if (done) accept();
}

void CustomerProfileDialog::OnPrint() {
  if (syncing_) return;
  QtPrintedReport target(*printDialog_);
  editor_.Print(target);
  Sync();
}

void CustomerProfileDialog::reject() {
  if (!syncing_) {
    editor_.Cancel();
    Sync();
  }
  QDialog::reject();
}

void CustomerProfileDialog::FocusBox(ProfileBox box) {
  Sync();
  QWidget* w = BoxWidget(box);
  w->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
  if (w == country_) country_->lineEdit()->selectAll();
}
