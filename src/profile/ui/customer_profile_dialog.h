#pragma once

#include <QDialog>
#include <array>

#include "platform/qt_printed_report.h"
#include "profile/customer_profile_editor.h"
#include "profile/customer_profile_view.h"

class Dialogs;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

// The modal customer profile dialog: the date and "ID code" boxes, "PRINT" and "Proceed to
// Proc.Setup", the "Customer Profile" and "Vehicle Profile" groups, the four component tabs of
// seven rows each and "COMMENTS", placed after the dialog's own grid of dialog units. Every
// change of a box, the tab and the buttons goes to the editor; the controls then show what the
// editor says.
class CustomerProfileDialog : public QDialog, private CustomerProfileView {
  Q_OBJECT

 public:
  explicit CustomerProfileDialog(Dialogs& dialogs, QWidget* parent = nullptr);
  ~CustomerProfileDialog() override;

  // Shows `profile`, runs the dialog modally and copies the working fields back into `profile`
  // whichever way the dialog was left.
  void Edit(CustomerProfile& profile);
  // Shows `profile` without running the dialog (what Edit does first).
  void Load(const CustomerProfile& profile);

  CustomerProfileEditor& Editor() { return editor_; }
  // The "ID code" box, which the caller keeps from one opening to the next.
  void SetIdCode(const std::string& code);
  const std::string& IdCode() const { return editor_.IdCode(); }
  // The print dialog behind "PRINT": the standard one unless another is given (tests cancel it
  // or let it print to a file). Null restores the standard one.
  void SetPrintDialog(QtPrintedReport::PrintDialog* dialog);

  // The controls, for tests.
  QWidget* BoxWidget(ProfileBox box) const { return boxes_[static_cast<std::size_t>(box.Index())]; }
  QLineEdit* LineBox(ProfileBox box) const;
  QComboBox* CountryBox() const { return country_; }
  QPlainTextEdit* CommentsBox() const { return comments_; }
  QTabBar* Tabs() const { return tabs_; }
  QLabel* RowLabel(int row) const { return rowLabels_[static_cast<std::size_t>(row)]; }
  QPushButton* PrintButton() const { return print_; }
  QPushButton* ProceedButton() const { return proceed_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  // Esc, the close box and the hidden cancel button.
  void reject() override;

 private:
  void FocusBox(ProfileBox box) override;

  template <typename F>
  void Do(F&& action);
  void Build();
  void Sync();
  void OnProceed();
  void OnPrint();
  // "COMMENTS" takes no more than its longest text: what is typed or pasted beyond it is cut
  // off where it went in.
  void LimitComments();

  CustomerProfileEditor editor_;
  bool syncing_ = false;
  bool limiting_ = false;
  int commentsLength_ = 0;
  QtPrintedReport::StandardPrintDialog standardPrint_;
  QtPrintedReport::PrintDialog* printDialog_;

  std::array<QWidget*, ProfileBox::kCount> boxes_{};
  std::array<QLabel*, kComponentRowCount> rowLabels_{};
  QComboBox* country_ = nullptr;
  QLineEdit* idCode_ = nullptr;
  QPlainTextEdit* comments_ = nullptr;
  QTabBar* tabs_ = nullptr;
  std::array<QRadioButton*, 2> gender_{};
  QPushButton* print_ = nullptr;
  QPushButton* proceed_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
