#include "app/welcome_screen.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "artwork/artwork_text.h"
#include "artwork/brand_artwork.h"

namespace {

constexpr int kWelcomeWidth = 480;
constexpr int kStripHeight = 90;
constexpr int kPictureMargin = 12;
constexpr int kLastFrame = BrandArtwork::kFrameCount - 1;
constexpr int kFrameAfterPause = 24;

}  // namespace

WelcomeScreen::WelcomeScreen(Timing timing, QWidget* parent) : QDialog(parent), timing_(timing) {
  setWindowTitle(QStringLiteral("Welcome Screen"));
  setObjectName(QStringLiteral("Welcome Screen"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  for (int i = 0; i < BrandArtwork::kFrameCount; ++i)
    frames_[static_cast<std::size_t>(i)] = BrandArtwork::AnimationFrame(i);
  logo_ = BrandArtwork::Logo();

  registration_ = new QPushButton(QStringLiteral("Customer Registration"), this);
  setup_ = new QPushButton(QStringLiteral("System Setup"), this);
  for (QPushButton* b : {registration_, setup_}) {
    b->setEnabled(false);
    b->setMinimumSize(170, 34);
    b->setAutoDefault(false);
  }
  connect(registration_, &QPushButton::clicked, this, [this] { done(CustomerRegistration); });
  connect(setup_, &QPushButton::clicked, this, [this] { done(SystemSetup); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kPictureMargin,
                             kStripHeight + kPictureMargin + (kWelcomeWidth - 2 * kPictureMargin) / 4 + 14,
                             kPictureMargin, 14);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(registration_);
  row->addSpacing(18);
  row->addWidget(setup_);
  row->addStretch();
  layout->addLayout(row);
  setFixedWidth(kWelcomeWidth);
  setFixedHeight(sizeHint().height());

  ticker_.setInterval(timing_.tickMs);
  connect(&ticker_, &QTimer::timeout, this, &WelcomeScreen::Tick);
}

void WelcomeScreen::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  frame_ = 0;
  ticker_.start();
}

QRect WelcomeScreen::StripRect() const { return QRect(0, 0, width(), kStripHeight); }

QRect WelcomeScreen::PictureRect() const {
  const int w = width() - 2 * kPictureMargin;
  return QRect(kPictureMargin, kStripHeight + kPictureMargin, w, w / 4);
}

void WelcomeScreen::Tick() {
  if (finished_) return;
  if (frame_ == kLastFrame) {
    // The end: pause, come to rest on the frame with the name in place, let the user go on.
    ticker_.stop();
    QTimer::singleShot(timing_.pauseMs, this, [this] {
      frame_ = BrandArtwork::kRestFrame;
      finished_ = true;
      registration_->setEnabled(true);
      setup_->setEnabled(true);
      setup_->setDefault(true);
      setup_->setFocus();
      update();
    });
    return;
  }
  if (frame_ + 1 == kFrameAfterPause && !pausedBefore24_) {
    pausedBefore24_ = true;
    ticker_.stop();
    QTimer::singleShot(timing_.pauseMs, this, &WelcomeScreen::Resume);
    return;
  }
  ++frame_;
  update(PictureRect());
}

void WelcomeScreen::Resume() {
  ++frame_;
  update(PictureRect());
  ticker_.start();
}

void WelcomeScreen::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRect strip = StripRect();
  p.fillRect(strip, Qt::black);
  const int w = strip.width();
  const int h = strip.height();
  p.setFont(ArtworkText::ScreenFont(static_cast<int>(h * 0.476)));
  p.setPen(QColor(255, 255, 153));
  p.drawText(QRect(w / 5, 0, w - w / 5, h), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Welcome to"));
  p.drawPixmap(QRect(static_cast<int>(w * 0.2083), h / 2, w * 3 / 5, h / 2), logo_);

  const QRect picture = PictureRect();
  p.fillRect(picture.adjusted(-1, -1, 1, 1), QColor(60, 66, 76));
  p.drawPixmap(picture, frames_[static_cast<std::size_t>(frame_)]);
}

void WelcomeScreen::reject() {
  ticker_.stop();
  done(SystemSetup);
}
