#include "document/byte_stream.h"

#include <bit>
#include <cstring>

void ByteWriter::PutU16(std::uint16_t v) {
  PutU8(static_cast<std::uint8_t>(v & 0xFF));
  PutU8(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::PutU32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i) PutU8(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

void ByteWriter::PutF32(float v) { PutU32(std::bit_cast<std::uint32_t>(v)); }

void ByteWriter::PutF64(double v) {
  const auto bits = std::bit_cast<std::uint64_t>(v);
  PutU32(static_cast<std::uint32_t>(bits & 0xFFFFFFFFu));
  PutU32(static_cast<std::uint32_t>(bits >> 32));
}

void ByteWriter::PutString(std::string_view s) {
  const std::size_t n = s.size();
  if (n < 0xFF) {
    PutU8(static_cast<std::uint8_t>(n));
  } else if (n < 0xFFFE) {
    PutU8(0xFF);
    PutU16(static_cast<std::uint16_t>(n));
  } else {
    PutU8(0xFF);
    PutU16(0xFFFF);
    PutU32(static_cast<std::uint32_t>(n));
  }
  bytes_.append(s.data(), n);
}

bool ByteReader::Take(std::size_t n, const char*& out) {
  if (n > remaining()) return false;
  out = data_.data() + pos_;
  pos_ += n;
  return true;
}

bool ByteReader::GetU8(std::uint8_t& v) {
  const char* p = nullptr;
  if (!Take(1, p)) return false;
  v = static_cast<std::uint8_t>(*p);
  return true;
}

bool ByteReader::GetU16(std::uint16_t& v) {
  const char* p = nullptr;
  if (!Take(2, p)) return false;
  v = static_cast<std::uint16_t>(static_cast<std::uint8_t>(p[0]) | (static_cast<std::uint8_t>(p[1]) << 8));
  return true;
}

bool ByteReader::GetU32(std::uint32_t& v) {
  const char* p = nullptr;
  if (!Take(4, p)) return false;
  std::uint32_t r = 0;
  for (int i = 3; i >= 0; --i) r = (r << 8) | static_cast<std::uint8_t>(p[i]);
  v = r;
  return true;
}

bool ByteReader::GetI32(std::int32_t& v) {
  std::uint32_t u = 0;
  if (!GetU32(u)) return false;
  v = static_cast<std::int32_t>(u);
  return true;
}

bool ByteReader::GetF32(float& v) {
  std::uint32_t u = 0;
  if (!GetU32(u)) return false;
  v = std::bit_cast<float>(u);
  return true;
}

bool ByteReader::GetF64(double& v) {
  const std::size_t start = pos_;
  std::uint32_t lo = 0;
  std::uint32_t hi = 0;
  if (!GetU32(lo) || !GetU32(hi)) {
    pos_ = start;
    return false;
  }
  v = std::bit_cast<double>((static_cast<std::uint64_t>(hi) << 32) | lo);
  return true;
}

bool ByteReader::GetLength(std::uint32_t& length, bool& wide) {
  wide = false;
  std::uint8_t b = 0;
  if (!GetU8(b)) return false;
  if (b < 0xFF) {
    length = b;
    return true;
  }
  std::uint16_t w = 0;
  if (!GetU16(w)) return false;
  if (w == 0xFFFE) {
    // 16-bit text: its own length prefix follows.
    wide = true;
    if (!GetU8(b)) return false;
    if (b < 0xFF) {
      length = b;
      return true;
    }
    if (!GetU16(w)) return false;
  }
  if (w < 0xFFFF) {
    length = w;
    return true;
  }
  return GetU32(length);
}

bool ByteReader::GetString(std::string& s) {
  const std::size_t start = pos_;
  std::uint32_t length = 0;
  bool wide = false;
  const char* p = nullptr;
  if (!GetLength(length, wide) || !Take(static_cast<std::size_t>(length) * (wide ? 2 : 1), p)) {
    pos_ = start;
    return false;
  }
  if (!wide) {
    s.assign(p, length);
    return true;
  }
  std::string narrow(length, '?');
  for (std::uint32_t i = 0; i < length; ++i) {
    const unsigned unit =
        static_cast<std::uint8_t>(p[2 * i]) | (static_cast<std::uint8_t>(p[2 * i + 1]) << 8);
    if (unit <= 0xFF) narrow[i] = static_cast<char>(unit);
  }
  s = std::move(narrow);
  return true;
}
