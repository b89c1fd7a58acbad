#include "keeping/setup_name.h"

#include <cctype>

namespace SetupName {

std::string Stem(std::string_view title) {
  const std::string_view extension(kExtension);
  if (title.size() >= extension.size()) {
    const std::string_view tail = title.substr(title.size() - extension.size());
    bool same = true;
    for (std::size_t i = 0; i < tail.size(); ++i)
      same = same && std::tolower(static_cast<unsigned char>(tail[i])) == extension[i];
    if (same) title.remove_suffix(extension.size());
  }
  std::string stem;
  for (const char c : title) {
    const auto byte = static_cast<unsigned char>(c);
    stem += (byte < 0x20 || byte == 0x7F || c == '/') ? '_' : c;
  }
  if (stem.size() > kMaxStemBytes) {
    std::size_t cut = kMaxStemBytes;
    // Not inside a multi-byte character: back up over its continuation bytes.
    while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;
    stem.resize(cut);
  }
  return stem.empty() ? std::string("Untitled") : stem;
}

}  // namespace SetupName
