#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

// A small modal question with a row of buttons, each closing it with its own result. It may close
// itself after a fixed time as if its cancel answer had been given, and it may call a keep-alive
// at a fixed interval while it is open (so that the processor does not drop the line meanwhile).
class TimedChoiceDialog : public QDialog {
  Q_OBJECT

 public:
  struct Choice {
    QString label;
    int result;
  };

  TimedChoiceDialog(const QString& caption, const QString& text, std::vector<Choice> choices,
                    int cancelResult, QWidget* parent = nullptr);

  // Closes the dialog with the cancel result `ms` after it opens; 0 never.
  void SetTimeout(int ms) { timeoutMs_ = ms; }
  // The button of the cancel result counts the whole seconds left before the time-out:
  // "CANCEL (3)", "CANCEL (2)", ...
  void SetCountdown(bool on) { countdown_ = on; }
  // A second line under the text, e.g. what the answer applies to.
  void SetDetail(const QString& detail);
  void SetKeepAlive(int intervalMs, std::function<void()> keepAlive);

  // Shows it modally; the result of the button pressed, or the cancel result.
  int Ask();

 protected:
  void reject() override;

 private:
  void ShowSecondsLeft(int seconds);

  int cancelResult_;
  int answer_;
  int timeoutMs_ = 0;
  bool countdown_ = false;
  QLabel* detail_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QString cancelLabel_;
  QTimer keepAliveTimer_;
  std::function<void()> keepAlive_;
  bool inKeepAlive_ = false;
};
