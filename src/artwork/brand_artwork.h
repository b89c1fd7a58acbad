#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

// The product's own pictures, drawn in code so that they scale cleanly and need no resource
// files: the logo of the welcome and closing screens, the banner under the speaker picture, the
// welcome animation and the window icon.
class BrandArtwork {
 public:
  static constexpr int kLogoWidth = 380;
  static constexpr int kLogoHeight = 55;
  static constexpr int kBannerWidth = 280;
  static constexpr int kBannerHeight = 40;
  static constexpr int kFrameWidth = 256;
  static constexpr int kFrameHeight = 64;
  static constexpr int kFrameCount = 56;
  // The frame the animation comes to rest on: the product name fully in place.
  static constexpr int kRestFrame = 23;

  static QPixmap Logo();
  static QPixmap Banner();
  // Frame 0..55 of the welcome animation; any other number gives the rest frame.
  static QPixmap AnimationFrame(int frame);
  static QIcon AppIcon();
  // The amber of the logo, the banner and the toolbar pictures.
  static QColor Amber() { return QColor(255, 178, 30); }
};
