#include "interchange/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Far beyond any measurement or filter file; a larger one is not what the user meant to open.
constexpr std::size_t kLargestFile = 16u << 20;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    error = "Cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  std::string data;
  char buffer[65536];
  for (;;) {
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
    data.append(buffer, n);
    if (data.size() > kLargestFile) {
      error = "Cannot read " + path + ": the file is too large";
      return false;
    }
    if (n < sizeof buffer) break;
  }
  if (std::ferror(file.get())) {
    error = "Cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  text = std::move(data);
  return true;
}
