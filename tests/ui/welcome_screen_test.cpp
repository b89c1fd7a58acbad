#include "app/welcome_screen.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QtTest/QTest>

#include "artwork/brand_artwork.h"

namespace {

TEST(WelcomeScreen, ButtonsWaitForTheAnimationToEnd) {
  // The real screen ticks every 50 ms and pauses twice for 1 s; the same steps, faster.
  WelcomeScreen screen(WelcomeScreen::Timing{2, 60});
  EXPECT_FALSE(screen.RegistrationButton()->isEnabled());
  EXPECT_FALSE(screen.SetupButton()->isEnabled());
  QElapsedTimer clock;
  clock.start();
  screen.show();
  QTest::qWait(20);
  EXPECT_FALSE(screen.RegistrationButton()->isEnabled());
  EXPECT_FALSE(screen.SetupButton()->isEnabled());
  EXPECT_LT(screen.Frame(), BrandArtwork::kFrameCount);

  ASSERT_TRUE(QTest::qWaitFor([&] { return screen.Finished(); }, 5000));
  // 55 ticks and both pauses have passed, and the animation rests on its frame with the name.
  EXPECT_GE(clock.elapsed(), 55 * 2 + 2 * 60);
  EXPECT_TRUE(screen.RegistrationButton()->isEnabled());
  EXPECT_TRUE(screen.SetupButton()->isEnabled());
  EXPECT_EQ(screen.Frame(), BrandArtwork::kRestFrame);

  QTest::mouseClick(screen.RegistrationButton(), Qt::LeftButton);
  EXPECT_EQ(screen.result(), WelcomeScreen::CustomerRegistration);
}

}  // namespace
