#include "profile/finish_screen_layout.h"

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
  auto at = [&](int x, int y) { return CanvasPoint{x, stripHeight + y}; };
  if (countryIsUsa) {
    layout.lines.push_back({at(w / 12, 0), kSendRequest});
    layout.lines.push_back({at(w / 30, h / 4), std::string(kByEmail) + std::string(kSupportAddress)});
  }
  layout.lines.push_back({at(w / 6, 3 * h / 4), kThankYou});
  return layout;
}
