#pragma once

#include <chrono>
#include <string>
#include <string_view>

// The times the keeping room writes into file names and records, and shows to the user.
namespace TimeStamp {

using Time = std::chrono::system_clock::time_point;

// "20250314T140912.123Z": universal time to the millisecond, so that names sort by time
// whatever the time zone or summer time.
std::string FileStamp(Time time);
// The time of a FileStamp; false when `text` is not one.
bool ParseFileStamp(std::string_view text, Time& time);

// "2025-03-14 15:09:12" in local time.
std::string LocalText(Time time);

}  // namespace TimeStamp
