#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Little-endian encoders for the setup file: int32, float32, double and length-prefixed strings.
class ByteWriter {
 public:
  void PutU8(std::uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
  void PutU16(std::uint16_t v);
  void PutU32(std::uint32_t v);
  void PutI32(std::int32_t v) { PutU32(static_cast<std::uint32_t>(v)); }
  void PutF32(float v);
  void PutF64(double v);
  // Length prefix (one byte below 255, 0xFF + uint16 up to 65533, else 0xFF 0xFFFF + uint32),
  // then the bytes; no terminator.
  void PutString(std::string_view s);

  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// Reads what ByteWriter writes. Every getter returns false, leaving its output untouched, when
// the data ends first; a string whose length prefix promises more than is left is such a case.
class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}

  bool GetU8(std::uint8_t& v);
  bool GetU16(std::uint16_t& v);
  bool GetU32(std::uint32_t& v);
  bool GetI32(std::int32_t& v);
  bool GetF32(float& v);
  bool GetF64(double& v);
  // Also accepts the 0xFF 0xFFFE marker of 16-bit text, which it turns into single-byte text
  // (characters above 0xFF become '?').
  bool GetString(std::string& s);

  std::size_t position() const { return pos_; }
  std::size_t remaining() const { return data_.size() - pos_; }

 private:
  bool GetLength(std::uint32_t& length, bool& wide);
  bool Take(std::size_t n, const char*& out);

  std::string_view data_;
  std::size_t pos_ = 0;
};
