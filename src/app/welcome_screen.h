#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <array>

// "Welcome Screen": the maker's strip and the product animation. Both buttons wait until the
// animation has played once (56 frames at 50 ms and two pauses of 1 s), then "Customer
// Registration" asks for the profile and "System Setup" goes straight to the setup.
class WelcomeScreen : public QDialog {
  Q_OBJECT

 public:
  struct Timing {
    int tickMs = 50;
    int pauseMs = 1000;
  };
  enum Result { SystemSetup = 1, CustomerRegistration = 2 };

  explicit WelcomeScreen(QWidget* parent = nullptr) : WelcomeScreen(Timing{}, parent) {}
  WelcomeScreen(Timing timing, QWidget* parent = nullptr);

  // The frame on show, and whether the animation has ended.
  int Frame() const { return frame_; }
  bool Finished() const { return finished_; }
  QPushButton* RegistrationButton() const { return registration_; }
  QPushButton* SetupButton() const { return setup_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void reject() override;

 private:
  void Tick();
  void Resume();
  QRect StripRect() const;
  QRect PictureRect() const;

  Timing timing_;
  QTimer ticker_;
  QPushButton* registration_;
  QPushButton* setup_;
  std::array<QPixmap, 56> frames_;
  QPixmap logo_;
  int frame_ = 0;
  bool started_ = false;
  bool pausedBefore24_ = false;
  bool finished_ = false;
};
