#include "eq/channel_text_check.h"

#include <algorithm>

#include "common/dialogs.h"

int CheckChannelText(std::string_view text, std::span<const std::string_view> names, Dialogs& dialogs) {
  const std::string_view scanned = text.substr(0, 20);
  const bool hasNumber =
      std::any_of(scanned.begin(), scanned.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
  if (hasNumber) {
    dialogs.ShowErrorBox(kCannotWriteNumber);
    return -1;
  }
  for (std::size_t i = 0; i < names.size(); ++i)
    if (text == names[i]) return static_cast<int>(i);
  dialogs.ShowErrorBox(kWordIsWrong);
  return -1;
}
