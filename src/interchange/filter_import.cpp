#include "interchange/filter_import.h"

#include <cctype>
#include <cmath>

#include "eq/biquad_designer.h"
#include "interchange/number_text.h"

namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string Quoted(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "\"" : ", \"") + n + "\"";
  return out;
}

bool HasChannel(const std::vector<std::string>& names, std::string_view channel) {
  for (const std::string& n : names) {
    if (Upper(n) == Upper(channel)) return true;
  }
  return false;
}

std::string FloatText(float v) { return NumberText::Shortest(v); }

// Limits `value` to lo..hi and says so in a note.
float Limit(float value, float lo, float hi, const FilterLine& f, std::string_view what,
            std::string_view unit, std::vector<std::string>& notes) {
  const float limited = value < lo ? lo : (value > hi ? hi : value);
  if (limited != value) {
    notes.push_back(f.Name() + ": " + std::string(what) + " " + FloatText(value) + std::string(unit) +
                    " limited to " + FloatText(limited) + std::string(unit));
  }
  return limited;
}

struct Peaking {
  float frequency;
  float gain;
  float q;
};

}  // namespace

FilterImport ImportFilters(const FilterText& text, std::string_view channel, const SetupDocument& doc,
                           EqGroup group, EqSide side) {
  FilterImport out;
  if (text.FilterLineCount() == 0) {
    out.refusal = std::string(kNoFilterLineText);
    return out;
  }

  const std::vector<std::string> channels = text.Channels();
  std::vector<FilterLine> filters;
  if (channels.empty()) {
    filters = text.AllFilters();
  } else if (channel.empty()) {
    out.refusal = "The file has the channel sections " + Quoted(channels) + "; choose one of them.";
    return out;
  } else if (!HasChannel(channels, channel)) {
    out.refusal =
        "The file has no channel section \"" + std::string(channel) + "\", only " + Quoted(channels) + ".";
    return out;
  } else {
    filters = text.FiltersFor(channel);
  }

  const std::string groupName(kEqGroupListTexts[Index(group)]);
  const float maxFrequency = group == EqGroup::SubWoofer ? kSubWooferMaxFrequency : kPeqMaxFrequency;
  std::vector<Peaking> peaking;
  bool rounded = false;
  for (const FilterLine& f : filters) {
    const std::string type = Upper(f.type);
    if (!f.on || type == "NONE" || type.empty()) continue;
    if (type != "PK" && type != "PEQ") {
      out.notes.push_back(f.Name() + ": type " + f.type + " is not a peaking filter; skipped");
      continue;
    }
    if (!f.frequency || !f.gain || (!f.q && !f.bandwidthOctaves)) {
      out.refusal = f.Name() + " needs Fc, Gain and Q or BW Oct.";
      return out;
    }
    if (group == EqGroup::SubWoofer && *f.frequency > kSubWooferMaxFrequency) {
      out.refusal = f.Name() + " at " + FloatText(*f.frequency) + " Hz is above the SubWoofer's " +
                    FloatText(kSubWooferMaxFrequency) + " Hz.";
      return out;
    }
    float q = 0.0f;
    if (f.q) {
      q = *f.q;
    } else if (*f.bandwidthOctaves > 0.0) {
      q = static_cast<float>(QFromBandwidthOctaves(*f.bandwidthOctaves));
    } else {
      out.refusal = f.Name() + ": a bandwidth of " + FloatText(static_cast<float>(*f.bandwidthOctaves)) +
                    " octaves is no filter.";
      return out;
    }
    const float whole = std::round(*f.gain) + 0.0f;
    rounded = rounded || whole != *f.gain;
    Peaking p{0.0f, 0.0f, 0.0f};
    p.frequency = Limit(*f.frequency, kPeqMinFrequency, maxFrequency, f, "Fc", " Hz", out.notes);
    p.gain = Limit(whole, kPeqMinGain, kPeqMaxGain, f, "Gain", " dB", out.notes);
    p.q = Limit(q, kPeqMinQ, kPeqMaxQ, f, "Q", "", out.notes);
    peaking.push_back(p);
  }

  const int bands = PeqBandsInUse(group);
  if (static_cast<int>(peaking.size()) > bands) {
    out.refusal = "The file has " + std::to_string(peaking.size()) + " active filters; " + groupName +
                  " has " + std::to_string(bands) + " bands.";
    out.notes.clear();
    return out;
  }

  const EqSide s = group == EqGroup::Center ? EqSide::Common : side;
  PeqBandSet set = doc.peqBands[Index(group)][Index(s)];
  for (std::size_t b = 0; b < set.size(); ++b) {
    FilterParams& band = set[b];
    if (b < peaking.size()) {
      band.type = static_cast<std::int32_t>(FilterType::Peaking);
      band.frequency = peaking[b].frequency;
      band.gain = peaking[b].gain;
      band.q = peaking[b].q;
      band.sectionKind = 0;
    } else {
      band.gain = 0.0f;
    }
  }
  EqualizerSetEdit edit = EqualizerSetEdit::Parametric(group, s, set);
  if (PeakOverLimit(CurvePeak(edit.Curve()))) {
    out.refusal = std::string(kPeakOverMessage);
    out.notes.clear();
    return out;
  }
  if (rounded) out.notes.emplace_back("gains rounded to whole dB");
  if (text.preamp) {
    out.notes.push_back("Preamp " + FloatText(*text.preamp) +
                        " dB not applied: the processor's level follows the curve peak");
  }
  for (int line : text.graphicEqLines)
    out.notes.push_back("line " + std::to_string(line) + ": GraphicEQ is not read");
  out.edit = edit;
  return out;
}
