#pragma once

#include <QPointer>

#include "common/ui/wait_cursor.h"
#include "measure/aeq_start_view.h"

class AeqStartDialog;
class QWidget;

// "AEQ Start" as the automatic runs drive it: created when the dialog opens, in front of the
// main window, and destroyed when it closes.
class AeqStartWindow : public AeqStartView {
 public:
  explicit AeqStartWindow(QWidget* parent);
  ~AeqStartWindow() override;
  AeqStartWindow(const AeqStartWindow&) = delete;
  AeqStartWindow& operator=(const AeqStartWindow&) = delete;

  void Open(AeqStart& dialog) override;
  void Show() override;
  void Close() override;
  void SetWaitCursor(bool on) override;

  AeqStartDialog* Dialog() const;

 private:
  QWidget* parent_;
  QPointer<AeqStartDialog> dialog_;
  WaitCursor waitCursor_;
};
