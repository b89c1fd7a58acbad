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

std::string StoredText(std::int32_t v) { return std::to_string(v); }

template <typename Float>
std::string ShortestStoredText(Float v) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, v);
  return std::string(text, result.ptr);
}
std::string StoredText(float v) { return ShortestStoredText(v); }
std::string StoredText(double v) { return ShortestStoredText(v); }

std::string StoredText(const std::string& v) {
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

std::string ShownHz(const float& v) { return StoredText(v) + " Hz"; }
std::string ShownHzD(const double& v) { return StoredText(v) + " Hz"; }
std::string ShownDb(const float& v) { return StoredText(v) + " dB"; }
std::string ShownDbD(const double& v) { return StoredText(v) + " dB"; }
std::string ShownDbI(const std::int32_t& v) { return StoredText(v) + " dB"; }
std::string ShownMs(const double& v) { return StoredText(v) + " ms"; }
std::string ShownDegrees(const std::int32_t& v) {
  return v == 0 ? "0 deg" : v == 1 ? "180 deg" : StoredText(v);
}
std::string ShownOnOff(const std::int32_t& v) { return v == 0 ? "OFF" : v == 1 ? "ON" : StoredText(v); }
std::string ShownQuoted(const std::string& v) { return std::string("\"").append(StoredText(v)).append("\""); }

std::string ShownFilterType(const std::int32_t& v) {
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
      return StoredText(v);
  }
}

// The crossover's slope list: "OFF", "-6dB/Oct" ... "-30dB/Oct".
std::string ShownSlope(const double& v) { return v == 0.0 ? "OFF" : StoredText(v) + "dB/Oct"; }

std::string ShownSubWooferMode(const std::int32_t& v) {
  return v == 0 ? "Stereo" : v == 1 ? "Mono" : StoredText(v);
}

// Where a value lives: the start of its path and of its text row.
struct DiffPlace {
  std::string path;
  std::string text;
};

std::string DiffNumber(int n) { return std::to_string(n); }

class DiffWriter {
 public:
  DiffWriter(const SetupDocument& a, const SetupDocument& b) : a_(a), b_(b) {}

  std::vector<SetupDiff::Row> rows;

  template <typename T>
  void Field(const DiffPlace& at, std::string_view key, std::string_view label, const T& a, const T& b,
             std::string (*shown)(const T&) = nullptr) {
    if (SameStored(a, b)) return;
    SetupDiff::Row row;
    row.path = at.path + std::string(key);
    row.a = StoredText(a);
    row.b = StoredText(b);
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
  static DiffPlace EqPlace(std::string_view family, std::string_view window, int g, int s) {
    return {
        std::string(family) + "/" + std::string(kDiffGroupPaths[g]) + "/" + std::string(kDiffSidePaths[s]) +
            "/",
        std::string(window) + ", " + std::string(kDiffGroupPaths[g]) + ", " + std::string(kDiffSideTexts[s])};
  }

  void Parametric() {
    for (int g = 0; g < kEqGroupCount; ++g) {
      for (int s = 0; s < kEqSideCount; ++s) {
        const DiffPlace group = EqPlace("peq", "Parametric EQ", g, s);
        for (int k = 0; k < kPeqBandCount; ++k) {
          const FilterParams& x = a_.peqBands[g][s][k];
          const FilterParams& y = b_.peqBands[g][s][k];
          const DiffPlace at{group.path + DiffNumber(k + 1) + "/",
                             group.text + ", band " + DiffNumber(k + 1) + ": "};
          Field(at, "frequency", "frequency", x.frequency, y.frequency, ShownHz);
          Field(at, "gain", "gain", x.gain, y.gain, ShownDb);
          Field(at, "q", "Q", x.q, y.q);
          Field(at, "type", "type", x.type, y.type, ShownFilterType);
          Field(DiffPlace{"other/" + at.path, at.text}, "section-kind", "section kind", x.sectionKind,
                y.sectionKind);
        }
      }
    }
  }

  void Graphic() {
    for (int g = 0; g < kEqGroupCount; ++g) {
      for (int s = 0; s < kEqSideCount; ++s) {
        const DiffPlace group = EqPlace("geq", "Graphic EQ", g, s);
        for (int k = 0; k < kGeqBandCount; ++k) {
          const FilterParams& x = a_.geqBands[g][s][k];
          const FilterParams& y = b_.geqBands[g][s][k];
          const DiffPlace at{
              group.path + DiffNumber(k + 1) + "/",
              group.text + ", band " + DiffNumber(k + 1) + " (" + ShownHz(kGeqBandFrequencies[k]) + "): "};
          Field(at, "gain", "gain", x.gain, y.gain, ShownDb);
          // The rest of a graphic band is fixed by the band; a file may still differ in it.
          const DiffPlace other{"other/" + at.path, at.text};
          Field(other, "frequency", "frequency", x.frequency, y.frequency, ShownHz);
          Field(other, "q", "Q", x.q, y.q);
          Field(other, "type", "type", x.type, y.type, ShownFilterType);
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
        const DiffPlace at{
            "crossover/" + std::string(kDiffSpeakerGroups[g]) + "/" + std::string(kDiffSidePaths[s]) + "/",
            "Divider Crossover, " + std::string(kDiffSpeakerGroups[g]) + ", " +
                std::string(kDiffSideTexts[s]) + ": "};
        Field(at, "lpf-frequency", "High Frequency", x.lpfFrequency, y.lpfFrequency, ShownHzD);
        Field(at, "lpf-slope", "High Slope", x.lpfSlope, y.lpfSlope, ShownSlope);
        Field(at, "hpf-frequency", "Low Frequency", x.hpfFrequency, y.hpfFrequency, ShownHzD);
        Field(at, "hpf-slope", "Low Slope", x.hpfSlope, y.hpfSlope, ShownSlope);
        Field(at, "level", "Level", x.level, y.level, ShownDbI);
      }
    }
  }

  void Outputs() {
    for (int c = 0; c < kOutputCount; ++c) {
      const std::string name(kDiffOutputTexts[c]);
      const DiffPlace at{"output/" + DiffNumber(c + 1) + "/", "Time Correction, " + name + ": "};
      Field(at, "delay", "delay", a_.channelDelay[c], b_.channelDelay[c], ShownMs);
      Field(at, "phase", "phase", a_.channelPhase[c], b_.channelPhase[c], ShownDegrees);
    }
    for (int c = 0; c < kOutputCount; ++c) {
      const DiffPlace at{"other/speaker/", "Speaker, " + std::string(kDiffOutputTexts[c]) + ": "};
      Field(at, DiffNumber(c + 1), "switch", a_.speakerSwitch[c], b_.speakerSwitch[c], ShownOnOff);
    }
  }

  void Others() {
    const DiffPlace other{"other/", ""};
    Field(other, "applied-peak-boost", "Applied peak boost", a_.appliedPeakBoost, b_.appliedPeakBoost,
          ShownDbI);
    Field(other, "peq-peak-boost", "Parametric EQ peak boost", a_.peqPeakBoost, b_.peqPeakBoost, ShownDbI);
    Field(other, "geq-peak-boost", "Graphic EQ peak boost", a_.geqPeakBoost, b_.geqPeakBoost, ShownDbI);
    for (int g = 0; g < kEqGroupCount; ++g) {
      for (int s = 0; s < kEqSideCount; ++s) {
        const std::string side(kDiffSidePaths[s]);
        const std::string where =
            std::string(kDiffGroupPaths[g]) + ", " + std::string(kDiffSideTexts[s]) + ": ";
        const std::string group = std::string("/").append(kDiffGroupPaths[g]).append("/");
        Field(DiffPlace{"other/peq-curve-peak" + group, "Parametric EQ, " + where}, side, "stored curve peak",
              a_.peqCurvePeaks[g][s], b_.peqCurvePeaks[g][s], ShownDbD);
        Field(DiffPlace{"other/geq-curve-peak" + group, "Graphic EQ, " + where}, side, "stored curve peak",
              a_.geqCurvePeaks[g][s], b_.geqCurvePeaks[g][s], ShownDbD);
      }
    }
    Field(other, "aeq-parameters-saved", "AEQ_SAVE", a_.aeqParametersSaved, b_.aeqParametersSaved,
          ShownOnOff);
    Field(other, "aeq-active", "AEQ", a_.aeqActive, b_.aeqActive, ShownOnOff);
    Field(other, "aeq-mode", "AEQ mode", a_.aeqMode, b_.aeqMode);
    Field(other, "measured-value-1", "Measured value 1", a_.measuredValue1, b_.measuredValue1);
    Field(other, "measured-value-2", "Measured value 2", a_.measuredValue2, b_.measuredValue2);
    Field(other, "sub-woofer-mode", "SubWoofer mode", a_.subWooferMode, b_.subWooferMode, ShownSubWooferMode);
    const DiffPlace words{"other/aeq-parameter/", ""};
    for (std::size_t w = 0; w < a_.aeqParameters.size(); ++w) {
      if (a_.aeqParameters[w] == b_.aeqParameters[w]) continue;
      const std::string n = DiffNumber(static_cast<int>(w) + 1);
      Field(words, n, "AEQ parameter " + n, a_.aeqParameters[w], b_.aeqParameters[w]);
    }
  }

  void Profile() {
    const CustomerProfile& x = a_.profile;
    const CustomerProfile& y = b_.profile;
    const DiffPlace customer{"profile/", "Customer Profile: "};
    Field(customer, "year", "year", x.year, y.year);
    Field(customer, "month", "month", x.month, y.month);
    Field(customer, "day", "day", x.day, y.day);
    Field(customer, "first-name", "First Name", x.firstName, y.firstName, ShownQuoted);
    Field(customer, "last-name", "Last Name", x.lastName, y.lastName, ShownQuoted);
    Field(customer, "city", "CITY", x.city, y.city, ShownQuoted);
    Field(customer, "state", "STATE", x.state, y.state, ShownQuoted);
    Field(customer, "zip", "ZIP", x.zip, y.zip, ShownQuoted);
    Field(customer, "e-mail", "E-mail", x.email, y.email, ShownQuoted);
    Field(customer, "tel-day", "TEL(DAY)", x.telDay, y.telDay, ShownQuoted);
    Field(customer, "tel-evening", "TEL(evening)", x.telEvening, y.telEvening, ShownQuoted);
    Field(customer, "gender", "Gender", x.gender, y.gender);
    Field(customer, "dealer-name", "Dealer Name", x.dealerName, y.dealerName, ShownQuoted);
    Field(customer, "dealer-number", "Dealer No", x.dealerNumber, y.dealerNumber);
    Field(customer, "installer", "Installer", x.installer, y.installer, ShownQuoted);
    const DiffPlace vehicle{"profile/", "Vehicle Profile: "};
    Field(vehicle, "vehicle-make", "Make", x.vehicleMake, y.vehicleMake, ShownQuoted);
    Field(vehicle, "vehicle-model", "Model", x.vehicleModel, y.vehicleModel, ShownQuoted);
    Field(vehicle, "vehicle-year", "Year", x.vehicleYear, y.vehicleYear, ShownQuoted);
    Field(vehicle, "remarks", "Remarks", x.remarks, y.remarks, ShownQuoted);
    for (int t = 0; t < kProfileTabCount; ++t) {
      const auto tab = static_cast<ProfileTab>(t);
      const auto& labels =
          (tab == ProfileTab::Amp || tab == ProfileTab::Speaker) ? kPositionRowLabels : kSystemRowLabels;
      for (int r = 0; r < kComponentRowCount; ++r) {
        const ComponentRow& p = TableOf(x, tab)[r];
        const ComponentRow& q = TableOf(y, tab)[r];
        const DiffPlace at{
            "profile/" + std::string(kDiffTabPaths[t]) + "/" + DiffNumber(r + 1) + "/",
            "Customer Profile, " + std::string(kProfileTabNames[t]) + ", " + std::string(labels[r]) + ": "};
        Field(at, kDiffColumnPaths[0], kComponentColumnHeads[0], p.make, q.make, ShownQuoted);
        Field(at, kDiffColumnPaths[1], kComponentColumnHeads[1], p.model, q.model, ShownQuoted);
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
