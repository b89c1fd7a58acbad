#include "interchange/text_lines.h"

namespace {

bool IsLineBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

}  // namespace

TextLines::TextLines(std::string_view text) : text_(text) {
  if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
}

bool TextLines::Next(std::string_view& line) {
  if (pos_ > text_.size()) return false;
  std::size_t end = text_.find('\n', pos_);
  if (end == std::string_view::npos) end = text_.size();
  line = text_.substr(pos_, end - pos_);
  pos_ = end + 1;
  ++number_;
  while (!line.empty() && IsLineBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsLineBlank(line.back())) line.remove_suffix(1);
  return true;
}
