#include "sim/state_dump.h"

#include <cstdio>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

namespace {

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

void WriteSettings(const ProcessorSettings& s, const std::string& prefix, std::ostream& out) {
  out << prefix << "options " << Hex(s.eqSelect, 2) << ' ' << Hex(s.aeqMode, 2) << ' '
      << Hex(s.subWooferMode, 2) << '\n';
  out << prefix << "eqlevel " << int{s.eqLevel} << '\n';
  for (int bank = 0; bank < 2; ++bank) {
    for (int code = 0; code < kEqChannelCount; ++code) {
      for (int band = 0; band < kPeqBandCount; ++band) {
        out << prefix << (bank == 0 ? "peq " : "peq2 ") << code << ' ' << band;
        for (std::uint32_t w : s.Words(code, band, bank)) out << ' ' << Hex(w, 6);
        out << '\n';
      }
    }
  }
  for (int code = 0; code < kEqChannelCount; ++code) {
    for (int band = 0; band < kGeqBandCount; ++band) {
      out << prefix << "geq " << code << ' ' << band << ' ' << int{s.graphicCodes[code][band]} << '\n';
    }
  }
  for (int ch = 0; ch < kOutputCount; ++ch)
    out << prefix << "level " << ch << ' ' << int{s.levelCodes[ch]} << '\n';
  for (int ch = 0; ch < kOutputCount; ++ch) {
    out << prefix << "filter " << ch << " lp " << int{s.lowPass[ch].slope} << ' '
        << int{s.lowPass[ch].frequency} << '\n';
    out << prefix << "filter " << ch << " hp " << int{s.highPass[ch].slope} << ' '
        << int{s.highPass[ch].frequency} << '\n';
  }
  for (int ch = 0; ch < kOutputCount; ++ch)
    out << prefix << "delay " << ch << ' ' << int{s.delaySteps[ch]} << '\n';
  for (int ch = 0; ch < kOutputCount; ++ch)
    out << prefix << "phase " << ch << ' ' << int{s.phase[ch]} << '\n';
  for (int set = 0; set < kParameterSetCount; ++set) {
    for (int addr = 0; addr < kAeqBlockWords; addr += 8) {
      out << prefix << "param " << set + 1 << ' ' << addr;
      for (int i = 0; i < 8; ++i)
        out << ' ' << Hex(s.parameterWords[set][static_cast<std::size_t>(addr + i)], 6);
      out << '\n';
    }
  }
}

// Reads numbers from the rest of a line, decimal or hex, each within [0, max].
class Fields {
 public:
  explicit Fields(std::istringstream& in) : in_(in) {}
  bool Dec(unsigned max, unsigned& value) { return Take(10, max, value); }
  bool Hex(unsigned max, unsigned& value) { return Take(16, max, value); }
  template <typename T>
  bool Dec(unsigned max, T& field) {
    unsigned v = 0;
    if (!Dec(max, v)) return false;
    field = static_cast<T>(v);
    return true;
  }
  template <typename T>
  bool Hex(unsigned max, T& field) {
    unsigned v = 0;
    if (!Hex(max, v)) return false;
    field = static_cast<T>(v);
    return true;
  }
  bool Word(std::string& word) { return static_cast<bool>(in_ >> word); }
  bool AtEnd() {
    std::string rest;
    return !(in_ >> rest);
  }

 private:
  bool Take(int base, unsigned max, unsigned& value) {
    std::string token;
    if (!(in_ >> token) || token.empty() || token.size() > 8) return false;
    unsigned long v = 0;
    for (char c : token) {
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      if (digit < 0) return false;
      v = v * static_cast<unsigned long>(base) + static_cast<unsigned long>(digit);
    }
    if (v > max) return false;
    value = static_cast<unsigned>(v);
    return true;
  }

  std::istringstream& in_;
};

constexpr unsigned kByteMax = 0xFF;
constexpr unsigned kWordMax = 0xFFFFFF;

// One settings line (key already read); false when it is not a settings key or is malformed.
bool ReadSettings(const std::string& key, Fields& f, ProcessorSettings& s) {
  unsigned a = 0;
  unsigned b = 0;
  if (key == "options") {
    return f.Hex(kByteMax, s.eqSelect) && f.Hex(kByteMax, s.aeqMode) && f.Hex(kByteMax, s.subWooferMode);
  }
  if (key == "eqlevel") return f.Dec(kByteMax, s.eqLevel);
  if (key == "peq" || key == "peq2") {
    if (!f.Dec(kEqChannelCount - 1, a) || !f.Dec(kPeqBandCount - 1, b)) return false;
    for (std::uint32_t& w : s.Words(static_cast<int>(a), static_cast<int>(b), key == "peq" ? 0 : 1)) {
      if (!f.Hex(kWordMax, w)) return false;
    }
    return true;
  }
  if (key == "geq") {
    return f.Dec(kEqChannelCount - 1, a) && f.Dec(kGeqBandCount - 1, b) &&
           f.Dec(kByteMax, s.graphicCodes[a][b]);
  }
  if (key == "level") return f.Dec(kOutputCount - 1, a) && f.Dec(kByteMax, s.levelCodes[a]);
  if (key == "delay") return f.Dec(kOutputCount - 1, a) && f.Dec(kByteMax, s.delaySteps[a]);
  if (key == "phase") return f.Dec(kOutputCount - 1, a) && f.Dec(kByteMax, s.phase[a]);
  if (key == "filter") {
    std::string kind;
    if (!f.Dec(kOutputCount - 1, a) || !f.Word(kind) || (kind != "lp" && kind != "hp")) return false;
    FilterCodes& filter = kind == "lp" ? s.lowPass[a] : s.highPass[a];
    return f.Dec(kByteMax, filter.slope) && f.Dec(kByteMax, filter.frequency);
  }
  if (key == "param") {
    if (!f.Dec(kParameterSetCount, a) || a == 0 || !f.Dec(kAeqBlockWords - 8, b) || b % 8 != 0) return false;
    for (unsigned i = 0; i < 8; ++i) {
      if (!f.Hex(kWordMax, s.parameterWords[a - 1][b + i])) return false;
    }
    return true;
  }
  return false;
}

}  // namespace

void StateDump::Write(const ProcessorState& state, std::ostream& out) {
  out << "# processor state\n";
  out << "mode " << Hex(state.operatingMode, 2) << '\n';
  WriteSettings(state.settings, "", out);
  out << "bulk " << (state.bulkUpdate ? 1 : 0) << '\n';
  const ProcessorState::Measurement& m = state.measurement;
  out << "measure " << (m.running ? 1 : 0) << ' ' << int{m.kind} << ' ' << m.pollsLeft << ' ' << m.finished
      << '\n';
  for (int i = 0; i < kResultCount; ++i) out << "result " << i << ' ' << int{m.results[i]} << '\n';
  out << "spectrum";
  for (std::uint8_t level : state.spectrum) out << ' ' << int{level};
  out << '\n';
  out << "store " << state.storePollsLeft << '\n';
  for (int n = 1; n <= kMemoryCount; ++n) {
    const std::optional<ProcessorSettings>& memory = state.Memory(n);
    const std::string prefix = "memory " + std::to_string(n) + ' ';
    if (!memory) {
      out << prefix << "empty\n";
    } else {
      WriteSettings(*memory, prefix, out);
    }
  }
  for (int letter = 0; letter < 256; ++letter) {
    if (state.counters.accepted[letter] > 0) {
      out << "frames " << static_cast<char>(letter) << ' ' << state.counters.accepted[letter] << '\n';
    }
  }
  const ProcessorState::Counters& c = state.counters;
  out << "counters " << c.rejected << ' ' << c.checksumErrors << ' ' << c.warnings << ' ' << c.dropped
      << '\n';
}

bool StateDump::WriteFile(const ProcessorState& state, const std::string& path) {
  std::ofstream out(path, std::ios::trunc);
  if (!out) return false;
  Write(state, out);
  out.flush();
  return static_cast<bool>(out);
}

bool StateDump::Read(std::istream& in, ProcessorState& state) {
  state = ProcessorState{};
  std::string line;
  constexpr unsigned kCountMax = 0x7FFFFFFF;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    Fields f(words);
    std::string key;
    if (!f.Word(key)) continue;
    bool ok = false;
    if (key == "memory") {
      unsigned n = 0;
      std::string sub;
      if (!f.Dec(kMemoryCount, n) || n == 0 || !f.Word(sub)) return false;
      std::optional<ProcessorSettings>& memory = state.memories[n - 1];
      if (sub == "empty") {
        memory.reset();
        ok = true;
      } else {
        if (!memory) memory.emplace();
        ok = ReadSettings(sub, f, *memory);
      }
    } else if (key == "bulk") {
      unsigned b = 0;
      ok = f.Dec(1, b);
      state.bulkUpdate = b == 1;
    } else if (key == "measure") {
      ProcessorState::Measurement& m = state.measurement;
      unsigned running = 0;
      ok = f.Dec(1, running) && f.Dec(1, m.kind) && f.Dec(kCountMax, m.pollsLeft) &&
           f.Dec(kCountMax, m.finished);
      m.running = running == 1;
    } else if (key == "result") {
      unsigned i = 0;
      ok = f.Dec(kResultCount - 1, i) && f.Dec(kByteMax, state.measurement.results[i]);
    } else if (key == "spectrum") {
      ok = true;
      for (std::uint8_t& level : state.spectrum) ok = ok && f.Dec(kByteMax, level);
    } else if (key == "store") {
      ok = f.Dec(kCountMax, state.storePollsLeft);
    } else if (key == "frames") {
      std::string letter;
      ok = f.Word(letter) && letter.size() == 1 &&
           f.Dec(kCountMax, state.counters.accepted[static_cast<std::uint8_t>(letter[0])]);
    } else if (key == "counters") {
      ProcessorState::Counters& c = state.counters;
      ok = f.Dec(kCountMax, c.rejected) && f.Dec(kCountMax, c.checksumErrors) &&
           f.Dec(kCountMax, c.warnings) && f.Dec(kCountMax, c.dropped);
    } else if (key == "mode") {
      ok = f.Hex(kByteMax, state.operatingMode);
    } else {
      ok = ReadSettings(key, f, state.settings);
    }
    if (!ok || !f.AtEnd()) return false;
  }
  return true;
}
