#pragma once

#include <QDialog>
#include <QPixmap>
#include <QTimer>

#include "profile/finish_screen_layout.h"

// The closing screen at program end, "FINISH ": the logo on a black strip and, for customers in
// the U.S.A, the request to send the setup data to the maker; it goes after three seconds or at
// a mouse click.
class FinishScreen : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kShowMs = 3000;

  explicit FinishScreen(bool countryIsUsa, QWidget* parent = nullptr)
      : FinishScreen(countryIsUsa, kShowMs, parent) {}
  // With another showing time, for the tests.
  FinishScreen(bool countryIsUsa, int showMs, QWidget* parent = nullptr);

  // Shows it modally until the time is up or the user clicks.
  void Run();
  FinishScreenLayout Layout() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool countryIsUsa_;
  int showMs_;
  QPixmap logo_;
  QTimer timer_;
};
