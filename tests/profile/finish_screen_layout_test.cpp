#include "profile/finish_screen_layout.h"

#include <gtest/gtest.h>

namespace {

using Line = FinishScreenLayout::Line;

TEST(FinishScreenLayout, TheRequestToSendTheDataStandsOnlyForTheUsa) {
  // 480 x 200 with a strip of 48: the body is 480 x 152 from y 48.
  EXPECT_EQ(FinishScreenLayout::For(480, 200, 48, true).lines,
            (std::vector<Line>{{{40, 48}, "Please send this data to"},
                               {{16, 86}, "by E-mail: support@torval.example"},
                               {{80, 162}, "THANK YOU !!"}}));
  EXPECT_EQ(FinishScreenLayout::For(480, 200, 48, false).lines,
            (std::vector<Line>{{{80, 162}, "THANK YOU !!"}}));
}

}  // namespace
