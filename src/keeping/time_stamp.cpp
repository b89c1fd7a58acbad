#include "keeping/time_stamp.h"

#include <cstdio>
#include <ctime>

namespace TimeStamp {
namespace {

constexpr std::size_t kFileStampLength = 20;  // yyyymmddThhmmss.mmmZ

bool StampDigits(std::string_view text, std::size_t at, std::size_t count, int& value) {
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

std::string FileStamp(Time time) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
  const std::time_t seconds = static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[96];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d.%03dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                static_cast<int>(ms - static_cast<long long>(seconds) * 1000));
  return text;
}

bool ParseFileStamp(std::string_view text, Time& time) {
  if (text.size() != kFileStampLength || text[8] != 'T' || text[15] != '.' || text[19] != 'Z') return false;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
  if (!StampDigits(text, 0, 4, year) || !StampDigits(text, 4, 2, month) || !StampDigits(text, 6, 2, day) ||
      !StampDigits(text, 9, 2, hour) || !StampDigits(text, 11, 2, minute) ||
      !StampDigits(text, 13, 2, second) || !StampDigits(text, 16, 3, ms))
    return false;
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60) return false;
  std::tm utc{};
  utc.tm_year = year - 1900;
  utc.tm_mon = month - 1;
  utc.tm_mday = day;
  utc.tm_hour = hour;
  utc.tm_min = minute;
  utc.tm_sec = second;
  const std::time_t seconds = timegm(&utc);
  time = Time(std::chrono::seconds(seconds)) + std::chrono::milliseconds(ms);
  return true;
}

std::string LocalText(Time time) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

}  // namespace TimeStamp
