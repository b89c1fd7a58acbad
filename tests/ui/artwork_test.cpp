// The pictures' sizes and the speaker grid, on which the form lays out its buttons.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QRegion>

#include "artwork/brand_artwork.h"
#include "artwork/speaker_artwork.h"
#include "form/ui/speaker_panel.h"

namespace {

TEST(SpeakerArtwork, CellsTileTheGridInItsColumnsAndRows) {
  EXPECT_EQ(SpeakerArtwork::Cell(OutputChannel::FrontHighL), QRect(0, 0, 108, 33));
  EXPECT_EQ(SpeakerArtwork::Cell(OutputChannel::FrontMidR), QRect(151, 33, 108, 49));
  EXPECT_EQ(SpeakerArtwork::Cell(OutputChannel::FrontLowL), QRect(0, 82, 108, 113));
  EXPECT_EQ(SpeakerArtwork::Cell(OutputChannel::RearR), QRect(151, 195, 108, 86));
  EXPECT_EQ(SpeakerArtwork::Cell(OutputChannel::SubWooferL), QRect(0, 281, 108, 33));
  EXPECT_EQ(SpeakerArtwork::Cell(OutputChannel::Center), QRect(108, 0, 43, 314));
  QRegion covered;
  int area = 0;
  for (int i = 0; i < kOutputCount; ++i) {
    const auto channel = static_cast<OutputChannel>(i);
    const QRect cell = SpeakerArtwork::Cell(channel);
    EXPECT_FALSE(covered.intersects(cell)) << i;
    covered += cell;
    area += cell.width() * cell.height();
    const QPixmap on = SpeakerArtwork::Tile(channel, true);
    EXPECT_EQ(on.size(), cell.size() * SpeakerArtwork::kScale) << i;
    EXPECT_NE(on.toImage(), SpeakerArtwork::Tile(channel, false).toImage()) << i;
  }
  EXPECT_EQ(area, 259 * 314);
}

TEST(BrandArtwork, PicturesHaveTheirSizesAndTheAnimationMoves) {
  EXPECT_EQ(BrandArtwork::Logo().size(), QSize(380, 55));
  EXPECT_EQ(BrandArtwork::Banner().size(), QSize(280, 40));
  QImage previous;
  for (int f = 0; f < BrandArtwork::kFrameCount; ++f) {
    const QImage frame = BrandArtwork::AnimationFrame(f).toImage();
    EXPECT_EQ(frame.size(), QSize(256, 64));
    if (f > 0) {
      EXPECT_NE(frame, previous) << f;
    }
    previous = frame;
  }
}

TEST(SpeakerPanel, ButtonsStayBesideTheirRowsWithoutOverlapping) {
  SpeakerPanel panel;
  for (const QSize size : {panel.minimumSizeHint(), panel.sizeHint(), QSize(900, 1000), QSize(1400, 500)}) {
    panel.resize(size);
    panel.show();
    const QRect picture = panel.PictureRect();
    EXPECT_TRUE(panel.rect().contains(picture)) << size.width() << "x" << size.height();
    EXPECT_TRUE(panel.rect().contains(panel.BannerRect())) << size.width() << "x" << size.height();
    for (int i = 0; i < kOutputCount; ++i) {
      const QRect a = panel.Button(static_cast<OutputChannel>(i))->geometry();
      EXPECT_TRUE(panel.rect().contains(a)) << size.width() << " " << i;
      EXPECT_FALSE(a.intersects(picture)) << size.width() << " " << i;
      for (int j = i + 1; j < kOutputCount; ++j) {
        EXPECT_FALSE(a.intersects(panel.Button(static_cast<OutputChannel>(j))->geometry()))
            << size.width() << " " << i << " " << j;
      }
    }
  }
}

}  // namespace
