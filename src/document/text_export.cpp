#include "document/text_export.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace TextExport {
namespace {

constexpr const char* kFailure = "FAILURE !!";

// "%f" and "%d" lines, independent of the process locale (a comma must never become the
// decimal point of an export).
class Lines {
 public:
  void Marker(const char* text) { Text(text); }
  void Real(double v) {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 6);
    out_.append(buf, r.ptr);
    out_.push_back('\n');
  }
  void Integer(long v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out_.append(buf, r.ptr);
    out_.push_back('\n');
  }
  void Text(const std::string& s) {
    out_ += s;
    out_.push_back('\n');
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

}  // namespace

std::string Format(const SetupDocument& d, const CustomerProfile& p) {
  Lines out;
  out.Marker("///PEQ");
  for (const auto& group : d.peqBands)
    for (const auto& set : group)
      for (const auto& b : set) {
        out.Real(b.frequency);
        out.Real(b.gain);
        out.Real(b.q);
      }
  out.Marker("///GEQ");
  for (const auto& group : d.geqBands)
    for (const auto& set : group)
      for (const auto& b : set) {
        out.Real(b.frequency);
        out.Real(b.gain);
        out.Real(b.q);
      }
  out.Marker("///DIV");
  for (const auto& group : d.crossover)
    for (const auto& r : group) {
      out.Real(r.lpfFrequency);
      out.Real(r.lpfSlope);
      out.Real(r.hpfFrequency);
      out.Real(r.hpfSlope);
      out.Real(r.level);
    }
  out.Marker("///TCR.PHASE.SP_SWITCH");
  for (int c = 0; c < kOutputCount; ++c) {
    out.Real(d.channelDelay[c]);
    out.Real(d.channelPhase[c]);
    out.Real(d.speakerSwitch[c]);
  }
  out.Marker("///PROFILE DATA");
  out.Real(p.year);
  out.Real(p.month);
  out.Real(p.day);
  for (const auto* s :
       {&p.firstName, &p.lastName, &p.city, &p.state, &p.zip, &p.email, &p.telDay, &p.telEvening})
    out.Text(*s);
  out.Integer(p.country);
  out.Integer(p.gender);
  out.Text(p.dealerName);
  out.Integer(p.dealerNumber);
  out.Text(p.installer);
  out.Text(p.comments);
  for (const auto* s : {&p.vehicleMake, &p.vehicleModel, &p.vehicleYear, &p.remarks}) out.Text(*s);
  const ComponentTable* tables[] = {&p.installedSystem, &p.previousSystem, &p.speakers, &p.amplifiers};
  for (int r = 0; r < kComponentRowCount; ++r) {
    for (const auto* t : tables) out.Text((*t)[r].make);
    for (const auto* t : tables) out.Text((*t)[r].model);
    for (const auto* t : tables) out.Integer((*t)[r].numbers);
  }
  return out.Take();
}

bool Write(const SetupDocument& parameters, const CustomerProfile& profile, Dialogs& dialogs,
           const std::string& path) {
  const std::string text = Format(parameters, profile);
  std::FILE* f = std::fopen(path.c_str(), "wt");
  if (f == nullptr) {
    dialogs.ShowMessage(kFailure);
    return false;
  }
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  ok = (std::fclose(f) == 0) && ok;
  if (!ok) dialogs.ShowMessage(kFailure);
  return ok;
}

std::string WrittenNote(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  return "Data Out wrote " + (ec ? path : full.lexically_normal().string());
}

}  // namespace TextExport
