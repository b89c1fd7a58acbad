#include "keeping/setup_diff.h"

#include <array>
#include <bit>
#include <charconv>
#include <string_view>

#include "document/setup_document.h"
#include "profile/profile_box.h"
#include "profile/profile_texts.h"

namespace {

// Group and side spellings of the paths are those the command line takes (`curve`); the texts
// are the windows' captions.
constexpr std::array<std::string_view, kEqGroupCount> kDiffGroupPaths = {"Front", "Rear", "Center",
                                                                         "SubWoofer"};
constexpr std::array<std::string_view, kEqSideCount> kDiffSidePaths = {"Common", "L", "R"};
constexpr std::array<std::string_view, kEqSideCount> kDiffSideTexts = {"Common", "L ch", "R ch"};
constexpr std::array<std::string_view, kSpeakerGroupCount> kDiffSpeakerGroups = {
    "Front_Hi", "Front_Mid", "Front_Low", "Rear", "Center", "SubWoofer"};
constexpr std::array<std::string_view, kOutputCount> kDiffOutputTexts = {
    "Front Left High",   "Front Right High",   "Front Left Mid", "Front Right Mid",
    "Front Left Woofer", "Front Right Woofer", "Center",         "Rear Left",
    "Rear Right",        "SubWoofer Left",     "SubWoofer Right"};
constexpr std::array<std::string_view, kProfileTabCount> kDiffTabPaths = {"system-installed", "amp",
                                                                          "speaker", "before-system"};
constexpr std::array<std::string_view, kComponentColumnCount> kDiffColumnPaths = {"make", "model", "numbers"};

// ---- the values as the files hold them

std::string FileText(std::int32_t v) { return std::to_string(v); }

template <typename Float>
std::string ShortestText(Float v) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, v);
  return std::string(text, result.ptr);
}
std::string FileText(float v) { return ShortestText(v); }
std::string FileText(double v) { return ShortestText(v); }

std::string FileText(const std::string& v) {
  std::string out;
  for (const char c : v) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// Equal as stored: numbers bit for bit, so that a file compared with itself has no differences.
bool SameStored(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}
bool SameStored(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}
bool SameStored(std::int32_t a, std::int32_t b) { return a == b; }
bool SameStored(const std::string& a, const std::string& b) { return a == b; }

// ---- the values as the windows show them

std::string Hz(const float& v) { return FileText(v) + " Hz"; }
std::string HzD(const double& v) { return FileText(v) + " Hz"; }
std::string Db(const float& v) { return FileText(v) + " dB"; }
std::string DbD(const double& v) { return FileText(v) + " dB"; }
std::string DbI(const std::int32_t& v) { return FileText(v) + " dB"; }
std::string Ms(const double& v) { return FileText(v) + " ms"; }
std::string Degrees(const std::int32_t& v) { return v == 0 ? "0 deg" : v == 1 ? "180 deg" : FileText(v); }
std::string OnOff(const std::int32_t& v) { return v == 0 ? "OFF" : v == 1 ? "ON" : FileText(v); }
std::string Quoted(const std::string& v) { return "\"" + FileText(v) + "\""; }

std::string FilterType(const std::int32_t& v) {
  switch (v) {
    case 1:
      return "low-pass";
    case 2:
      return "high-pass";
    case 3:
      return "band-pass";
    case 4:
      return "peaking";
    default:
      return FileText(v);
  }
}

// The crossover's slope list: "OFF", "-6dB/Oct" ... "-30dB/Oct".
std::string Slope(const double& v) { return v == 0.0 ? "OFF" : FileText(v) + "dB/Oct"; }

std::string SubWooferMode(const std::int32_t& v) { return v == 0 ? "Stereo" : v == 1 ? "Mono" : FileText(v); }

// Where a value lives: the start of its path and of its text row.
struct Place {
  std::string path;
  std::string text;
};

std::string Number(int n) { return std::to_string(n); }

class DiffWriter {
 public:
  DiffWriter(const SetupDocument& a, const SetupDocument& b) : a_(a), b_(b) {}

  std::vector<SetupDiff::Row> rows;

  template <typename T>
  void Field(const Place& at, std::string_view key, std::string_view label, const T& a, const T& b,
             std::string (*shown)(const T&) = nullptr) {
    if (SameStored(a, b)) return;
    SetupDiff::Row row;
    row.path = at.path + std::string(key);
    row.a = FileText(a);
    row.b = FileText(b);
    row.text =
        at.text + std::string(label) + " " + (shown ? shown(a) : row.a) + " -> " + (shown ? shown(b) : row.b);
    rows.push_back(std::move(row));
  }

  void Run() {
    Parametric();
    Graphic();
    Crossover();
    Outputs();
    Others();
    Profile();
  }

 private:
  static Place EqPlace(std::string_view family, std::string_view window, int g, int s) {
    return {
        std::string(family) + "/" + std::string(kDiffGroupPaths[g]) + "/" + std::string(kDiffSidePaths[s]) +
            "/",
        std::string(window) + ", " + std::string(kDiffGroupPaths[g]) + ", " + std::string(kDiffSideTexts[s])};
  }

  void Parametric() {
    for (int g = 0; g < kEqGroupCount; ++g) {
      for (int s = 0; s < kEqSideCount; ++s) {
        const Place group = EqPlace("peq", "Parametric EQ", g, s);
        for (int k = 0; k < kPeqBandCount; ++k) {
          const FilterParams& x = a_.peqBands[g][s][k];
          const FilterParams& y = b_.peqBands[g][s][k];
          const Place at{group.path + Number(k + 1) + "/", group.text + ", band " + Number(k + 1) + ": "};
          Field(at, "frequency", "frequency", x.frequency, y.frequency, Hz);
          Field(at, "gain", "gain", x.gain, y.gain, Db);
          Field(at, "q", "Q", x.q, y.q);
          Field(at, "type", "type", x.type, y.type, FilterType);
          Field(Place{"other/" + at.path, at.text}, "section-kind", "section kind", x.sectionKind,
                y.sectionKind);
        }
      }
    }
  }

  void Graphic() {
    for (int g = 0; g < kEqGroupCount; ++g) {
      for (int s = 0; s < kEqSideCount; ++s) {
        const Place group = EqPlace("geq", "Graphic EQ", g, s);
        for (int k = 0; k < kGeqBandCount; ++k) {
          const FilterParams& x = a_.geqBands[g][s][k];
          const FilterParams& y = b_.geqBands[g][s][k];
          const Place at{group.path + Number(k + 1) + "/",
                         group.text + ", band " + Number(k + 1) + " (" + Hz(kGeqBandFrequencies[k]) + "): "};
          Field(at, "gain", "gain", x.gain, y.gain, Db);
          // The rest of a graphic band is fixed by the band; a file may still differ in it.
          const Place other{"other/" + at.path, at.text};
          Field(other, "frequency", "frequency", x.frequency, y.frequency, Hz);
          Field(other, "q", "Q", x.q, y.q);
          Field(other, "type", "type", x.type, y.type, FilterType);
          Field(other, "section-kind", "section kind", x.sectionKind, y.sectionKind);
        }
      }
    }
  }

  void Crossover() {
    for (int g = 0; g < kSpeakerGroupCount; ++g) {
      for (int s = 0; s < kCrossoverSetCount; ++s) {
        const CrossoverRec& x = a_.crossover[g][s];
        const CrossoverRec& y = b_.crossover[g][s];
        const Place at{
            "crossover/" + std::string(kDiffSpeakerGroups[g]) + "/" + std::string(kDiffSidePaths[s]) + "/",
            "Divider Crossover, " + std::string(kDiffSpeakerGroups[g]) + ", " +
                std::string(kDiffSideTexts[s]) + ": "};
        Field(at, "lpf-frequency", "High Frequency", x.lpfFrequency, y.lpfFrequency, HzD);
        Field(at, "lpf-slope", "High Slope", x.lpfSlope, y.lpfSlope, Slope);
        Field(at, "hpf-frequency", "Low Frequency", x.hpfFrequency, y.hpfFrequency, HzD);
        Field(at, "hpf-slope", "Low Slope", x.hpfSlope, y.hpfSlope, Slope);
        Field(at, "level", "Level", x.level, y.level, DbI);
      }
    }
  }

  void Outputs() {
    for (int c = 0; c < kOutputCount; ++c) {
      const std::string name(kDiffOutputTexts[c]);
      const Place at{"output/" + Number(c + 1) + "/", "Time Correction, " + name + ": "};
      Field(at, "delay", "delay", a_.channelDelay[c], b_.channelDelay[c], Ms);
      Field(at, "phase", "phase", a_.channelPhase[c], b_.channelPhase[c], Degrees);
    }
    for (int c = 0; c < kOutputCount; ++c) {
      const Place at{"other/speaker/", "Speaker, " + std::string(kDiffOutputTexts[c]) + ": "};
      Field(at, Number(c + 1), "switch", a_.speakerSwitch[c], b_.speakerSwitch[c], OnOff);
    }
  }

  void Others() {
    const Place other{"other/", ""};
    Field(other, "applied-peak-boost", "Applied peak boost", a_.appliedPeakBoost, b_.appliedPeakBoost, DbI);
    Field(other, "peq-peak-boost", "Parametric EQ peak boost", a_.peqPeakBoost, b_.peqPeakBoost, DbI);
    Field(other, "geq-peak-boost", "Graphic EQ peak boost", a_.geqPeakBoost, b_.geqPeakBoost, DbI);
    for (int g = 0; g < kEqGroupCount; ++g) {
      for (int s = 0; s < kEqSideCount; ++s) {
        const std::string side(kDiffSidePaths[s]);
        const std::string where =
            std::string(kDiffGroupPaths[g]) + ", " + std::string(kDiffSideTexts[s]) + ": ";
        const std::string group = "/" + std::string(kDiffGroupPaths[g]) + "/";
        Field(Place{"other/peq-curve-peak" + group, "Parametric EQ, " + where}, side, "stored curve peak",
              a_.peqCurvePeaks[g][s], b_.peqCurvePeaks[g][s], DbD);
        Field(Place{"other/geq-curve-peak" + group, "Graphic EQ, " + where}, side, "stored curve peak",
              a_.geqCurvePeaks[g][s], b_.geqCurvePeaks[g][s], DbD);
      }
    }
    Field(other, "aeq-parameters-saved", "AEQ_SAVE", a_.aeqParametersSaved, b_.aeqParametersSaved, OnOff);
    Field(other, "aeq-active", "AEQ", a_.aeqActive, b_.aeqActive, OnOff);
    Field(other, "aeq-mode", "AEQ mode", a_.aeqMode, b_.aeqMode);
    Field(other, "measured-value-1", "Measured value 1", a_.measuredValue1, b_.measuredValue1);
    Field(other, "measured-value-2", "Measured value 2", a_.measuredValue2, b_.measuredValue2);
    Field(other, "sub-woofer-mode", "SubWoofer mode", a_.subWooferMode, b_.subWooferMode, SubWooferMode);
    const Place words{"other/aeq-parameter/", ""};
    for (std::size_t w = 0; w < a_.aeqParameters.size(); ++w) {
      if (a_.aeqParameters[w] == b_.aeqParameters[w]) continue;
      const std::string n = Number(static_cast<int>(w) + 1);
      Field(words, n, "AEQ parameter " + n, a_.aeqParameters[w], b_.aeqParameters[w]);
    }
  }

  void Profile() {
    const CustomerProfile& x = a_.profile;
    const CustomerProfile& y = b_.profile;
    const Place customer{"profile/", "Customer Profile: "};
    Field(customer, "year", "year", x.year, y.year);
    Field(customer, "month", "month", x.month, y.month);
    Field(customer, "day", "day", x.day, y.day);
    Field(customer, "first-name", "First Name", x.firstName, y.firstName, Quoted);
    Field(customer, "last-name", "Last Name", x.lastName, y.lastName, Quoted);
    Field(customer, "city", "CITY", x.city, y.city, Quoted);
    Field(customer, "state", "STATE", x.state, y.state, Quoted);
    Field(customer, "zip", "ZIP", x.zip, y.zip, Quoted);
    Field(customer, "e-mail", "E-mail", x.email, y.email, Quoted);
    Field(customer, "tel-day", "TEL(DAY)", x.telDay, y.telDay, Quoted);
    Field(customer, "tel-evening", "TEL(evening)", x.telEvening, y.telEvening, Quoted);
    Field(customer, "gender", "Gender", x.gender, y.gender);
    Field(customer, "dealer-name", "Dealer Name", x.dealerName, y.dealerName, Quoted);
    Field(customer, "dealer-number", "Dealer No", x.dealerNumber, y.dealerNumber);
    Field(customer, "installer", "Installer", x.installer, y.installer, Quoted);
    const Place vehicle{"profile/", "Vehicle Profile: "};
    Field(vehicle, "vehicle-make", "Make", x.vehicleMake, y.vehicleMake, Quoted);
    Field(vehicle, "vehicle-model", "Model", x.vehicleModel, y.vehicleModel, Quoted);
    Field(vehicle, "vehicle-year", "Year", x.vehicleYear, y.vehicleYear, Quoted);
    Field(vehicle, "remarks", "Remarks", x.remarks, y.remarks, Quoted);
    for (int t = 0; t < kProfileTabCount; ++t) {
      const auto tab = static_cast<ProfileTab>(t);
      const auto& labels =
          (tab == ProfileTab::Amp || tab == ProfileTab::Speaker) ? kPositionRowLabels : kSystemRowLabels;
      for (int r = 0; r < kComponentRowCount; ++r) {
        const ComponentRow& p = TableOf(x, tab)[r];
        const ComponentRow& q = TableOf(y, tab)[r];
        const Place at{
            "profile/" + std::string(kDiffTabPaths[t]) + "/" + Number(r + 1) + "/",
            "Customer Profile, " + std::string(kProfileTabNames[t]) + ", " + std::string(labels[r]) + ": "};
        Field(at, kDiffColumnPaths[0], kComponentColumnHeads[0], p.make, q.make, Quoted);
        Field(at, kDiffColumnPaths[1], kComponentColumnHeads[1], p.model, q.model, Quoted);
        Field(at, kDiffColumnPaths[2], kComponentColumnHeads[2], p.numbers, q.numbers);
      }
    }
  }

  const SetupDocument& a_;
  const SetupDocument& b_;
};

}  // namespace

std::vector<SetupDiff::Row> SetupDiff::Compare(const SetupDocument& a, const SetupDocument& b) {
  DiffWriter writer(a, b);
  writer.Run();
  return std::move(writer.rows);
}

std::string SetupDiff::TsvLine(const Row& row) { return row.path + "\t" + row.a + "\t" + row.b; }
