#pragma once

#include <QString>
#include <string_view>

// The system's texts are kept as UTF-8 byte strings; Qt shows them as QString.
inline QString QtText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
