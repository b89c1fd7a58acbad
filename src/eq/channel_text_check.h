#pragma once

#include <span>
#include <string_view>

class Dialogs;

inline constexpr std::string_view kCannotWriteNumber = "CANNOT WRITE NUMBER";
inline constexpr std::string_view kWordIsWrong = "WORD IS WRONG";

// The check of a channel name typed into a window's channel list and confirmed with Enter: a
// digit or "." among the first 20 characters gives "CANNOT WRITE NUMBER", a text that is none of
// `names` gives "WORD IS WRONG", both in the "ERROR" dialog. Returns the index of the matching
// name, or -1 after an error.
int CheckChannelText(std::string_view text, std::span<const std::string_view> names, Dialogs& dialogs);
