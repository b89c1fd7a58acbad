#include "profile/finish_screen_layout.h"

#include <gtest/gtest.h>

namespace {

using Line = FinishScreenLayout::Line;

TEST(FinishScreenLayout, TheRequestToSendTheDataStandsOnlyForTheUsa) {
  // 480 x 200 with a strip of 48: the body is 480 x 152 from y 48.
  const FinishScreenLayout usa = FinishScreenLayout::For(480, 200, 48, true);
  EXPECT_EQ(usa.logo, (CanvasRect{100, 3, 388, 51}));
  EXPECT_EQ(usa.body, (CanvasRect{0, 48, 480, 200}));
  EXPECT_EQ(usa.textHeight, 32);
  EXPECT_EQ(usa.textColour, (Rgb{255, 255, 153}));
  EXPECT_EQ(usa.lines, (std::vector<Line>{{{40, 48}, "Please send this data to"},
                                          {{16, 86}, "by E-mail: support@torval.example"},
                                          {{80, 162}, "THANK YOU !!"}}));

  const FinishScreenLayout elsewhere = FinishScreenLayout::For(480, 200, 48, false);
  EXPECT_EQ(elsewhere.lines, (std::vector<Line>{{{80, 162}, "THANK YOU !!"}}));
}

}  // namespace
