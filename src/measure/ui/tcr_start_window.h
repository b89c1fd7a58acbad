#pragma once

#include <QPointer>

#include "common/ui/wait_cursor.h"
#include "measure/auto_tcr_view.h"

class QWidget;
class TcrStartDialog;

// "TCR Start" as the automatic time correction drives it: created when the measurement begins,
// in front of the main window, and destroyed when it ends.
class TcrStartWindow : public AutoTcrView {
 public:
  explicit TcrStartWindow(QWidget* parent);
  ~TcrStartWindow() override;
  TcrStartWindow(const TcrStartWindow&) = delete;
  TcrStartWindow& operator=(const TcrStartWindow&) = delete;

  void Open(AutoTcrRun& run) override;
  bool IsOpen() const override;
  void SetPosition(int position) override;
  void Close() override;
  void SetWaitCursor(bool on) override;

  TcrStartDialog* Dialog() const;

 private:
  QWidget* parent_;
  QPointer<TcrStartDialog> dialog_;
  WaitCursor waitCursor_;
};
