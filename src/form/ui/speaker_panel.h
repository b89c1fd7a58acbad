#pragma once

#include <QPixmap>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>

#include "document/types.h"

// The car with its eleven speakers and a switch button beside each, and the banner below. The
// picture is drawn from one on and one off picture per output, stretched over the output's
// place on the 259 x 314 unit grid.
class SpeakerPanel : public QWidget {
  Q_OBJECT

 public:
  explicit SpeakerPanel(QWidget* parent = nullptr);

  // What the picture shows, by OutputChannel.
  std::function<std::array<bool, kOutputCount>()> switches;

  // Brings the buttons' on and off looks up to date and repaints the picture.
  void Repaint();

  QPushButton* Button(OutputChannel channel) const { return buttons_[static_cast<std::size_t>(channel)]; }
  // The picture's area inside the panel.
  QRect PictureRect() const;
  QRect BannerRect() const;

  QSize sizeHint() const override { return QSize(600, 640); }
  QSize minimumSizeHint() const override { return QSize(420, 450); }

 signals:
  void speakerPressed(int channel);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<bool, kOutputCount> Switches() const;
  void PlaceButtons();
  void Restyle(const std::array<bool, kOutputCount>& on);

  std::array<QPushButton*, kOutputCount> buttons_{};
  std::array<std::array<QPixmap, 2>, kOutputCount> tiles_;
  QPixmap banner_;
};
