#pragma once

#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <functional>

// "Memory Select": the processor's six memories as buttons "1".."6", and "CANCEL". A number
// closes it only once the save has been confirmed; otherwise it stays open for another choice.
class MemorySelectDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kKeepAliveMs = 4000;

  // `confirm` asks "MEMORY SAVA" for the memory pressed and returns 1 for "OK"; `keepAlive` runs
  // every 4000 ms.
  MemorySelectDialog(std::function<int(int)> confirm, std::function<void()> keepAlive,
                     QWidget* parent = nullptr);

  // The memory chosen, 1..6, or 7 when none was.
  int Choose();

 protected:
  void reject() override;

 private:
  void Pressed(int memory);

  std::function<int(int)> confirm_;
  std::function<void()> keepAlive_;
  std::array<QPushButton*, 6> buttons_{};
  QTimer keepAliveTimer_;
  int result_;
};
