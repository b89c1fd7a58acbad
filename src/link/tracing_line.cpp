#include "link/tracing_line.h"

bool TracingLine::Open(const std::string& portName) {
  const bool ok = inner_.Open(portName);
  std::fprintf(out_, "-- open %s: %s\n", portName.c_str(), ok ? "ok" : "failed");
  return ok;
}

bool TracingLine::Close() {
  const bool ok = inner_.Close();
  if (ok) std::fprintf(out_, "-- close\n");
  return ok;
}

int TracingLine::SendByte(std::uint8_t byte) {
  const int sent = inner_.SendByte(byte);
  if (sent == 1) std::fprintf(out_, "> %02X\n", byte);
  return sent;
}

int TracingLine::ReceiveByte(std::uint8_t& byte) {
  const int received = inner_.ReceiveByte(byte);
  if (received == 1) std::fprintf(out_, "< %02X\n", byte);
  return received;
}
