#include "profile/finish_screen_layout.h"

#include <string_view>

#include "profile/profile_texts.h"

namespace {

constexpr const char* kSendRequest = "Please send this data to";
constexpr const char* kByEmail = "by E-mail: ";
constexpr const char* kThankYou = "THANK YOU !!";

}  // namespace

FinishScreenLayout FinishScreenLayout::For(int width, int height, int stripHeight, bool countryIsUsa) {
  FinishScreenLayout layout;
  layout.strip = {0, 0, width, stripHeight};
  const int logoLeft = width * 5 / 24;
  const int logoTop = stripHeight / 15;
  layout.logo = {logoLeft, logoTop, logoLeft + width * 3 / 5, logoTop + stripHeight};
  layout.body = {0, stripHeight, width, height};
  layout.textHeight = stripHeight * 2 / 3;

  // Positions in the body are fractions of the body's own size.
  const int w = width;
  const int h = height - stripHeight;
  auto add = [&](int x, int y, std::string_view first, std::string_view second = {}) {
    Line& line = layout.lines.emplace_back();
    line.at = CanvasPoint{x, stripHeight + y};
    line.text.append(first).append(second);
  };
  if (countryIsUsa) {
    add(w / 12, 0, kSendRequest);
    add(w / 30, h / 4, kByEmail, kSupportAddress);
  }
  add(w / 6, 3 * h / 4, kThankYou);
  return layout;
}
