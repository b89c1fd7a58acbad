#include "fit/parametric_fit.h"

#include <algorithm>
#include <cmath>

#include "eq/equalizer_settings.h"
#include "eq/response_curve.h"
#include "fit/bounded_minimizer.h"
#include "interchange/filter_text.h"

namespace {

// Each band is optimised as log2 of its frequency, its gain in dB and the natural log of its Q.
constexpr int kParams = 3;
// Differences taken to find the gradient; far above the float resolution of the band records.
constexpr double kStep = 1e-3;
// How hard the optimiser is kept under the boost limit between the fit points.
constexpr double kBoostPenalty = 100.0;
// The curve must stay this far below the limit for its whole-dB peak to keep to it.
constexpr double kBoostMargin = 0.05;
constexpr int kFirstEvaluations = 600;
constexpr int kSecondEvaluations = 300;
constexpr int kPolishRounds = 4;

FilterParams PeakingBand(double u, double gain, double v) {
  FilterParams p;
  p.type = static_cast<std::int32_t>(FilterType::Peaking);
  p.frequency = static_cast<float>(std::exp2(u));
  p.gain = static_cast<float>(gain);
  p.q = static_cast<float>(std::exp(v));
  return p;
}

// The summed squared deviation at the fit points, and the squared excess over the boost limit
// at the curve grid points the 12 dB rule looks at, for bands given by their responses.
class Objective {
 public:
  Objective(const FitProblem& problem, int bands, double cap)
      : problem_(problem),
        fit_(problem.Points().Size()),
        rule_(GridPoints()),
        bands_(bands),
        cap_(cap),
        responses_(static_cast<std::size_t>(bands) * Width()),
        total_(Width()),
        trial_(Width()) {}

  std::size_t Width() const { return fit_ + rule_.Size(); }

  void Respond(const FilterParams& band, double* out) {
    const BiquadCoefficients c = designer_.Design(band);
    problem_.Points().Response(c, out);
    rule_.Response(c, out + fit_);
  }

  // The value for `set` (bands 0..n-1), each band's response kept for the gradient.
  double Value(const std::vector<FilterParams>& set) {
    std::fill(total_.begin(), total_.end(), 0.0);
    for (int b = 0; b < bands_; ++b) {
      double* r = BandResponse(b);
      Respond(set[static_cast<std::size_t>(b)], r);
      for (std::size_t i = 0; i < Width(); ++i) total_[i] += r[i];
    }
    return Score(total_);
  }

  // The value with band `b` changed to `band`, the others as at the last Value.
  double ValueWith(int b, const FilterParams& band) {
    std::vector<double> changed(Width());
    Respond(band, changed.data());
    const double* r = BandResponse(b);
    for (std::size_t i = 0; i < Width(); ++i) trial_[i] = total_[i] - r[i] + changed[i];
    return Score(trial_);
  }

 private:
  static std::vector<double> GridPoints() {
    std::vector<double> f;
    for (int j = 0; j < kCurvePointCount; ++j) f.push_back(CurveGridFrequency(j));
    return f;
  }

  double* BandResponse(int b) { return responses_.data() + static_cast<std::size_t>(b) * Width(); }

  double Score(const std::vector<double>& total) const {
    const std::vector<double>& d = problem_.Deviation();
    double sum = 0.0;
    for (std::size_t i = 0; i < fit_; ++i) {
      const double e = d[i] + total[i];
      sum += e * e;
    }
    double over = 0.0;
    for (std::size_t j = fit_; j < Width(); ++j) {
      const double e = total[j] - cap_;
      if (e > 0.0) over += e * e;
    }
    return sum / static_cast<double>(fit_) + kBoostPenalty * over / static_cast<double>(rule_.Size());
  }

  const FitProblem& problem_;
  std::size_t fit_;
  FrequencyPoints rule_;
  int bands_;
  double cap_;
  BiquadDesigner designer_;
  std::vector<double> responses_;
  std::vector<double> total_;
  std::vector<double> trial_;
};

struct Limits {
  double uLow, uHigh, gLow, gHigh, vLow, vHigh;
};

// Bands on the largest deviations left by the bands before them, each as wide as its deviation
// is at half its height.
std::vector<double> Seed(const FitProblem& problem, int bands, const Limits& limits) {
  const std::vector<double>& f = problem.Points().Frequencies();
  std::vector<double> residual = problem.Deviation();
  std::vector<double> x;
  std::vector<double> response(f.size());
  BiquadDesigner designer;
  for (int b = 0; b < bands; ++b) {
    std::size_t peak = 0;
    double best = -1.0;
    for (std::size_t i = 0; i < residual.size(); ++i) {
      // A positive deviation asks for a cut, a negative one for a boost where boosts are allowed.
      const double need = residual[i] > 0.0 ? residual[i] : (limits.gHigh > 0.0 ? -residual[i] : 0.0);
      if (need > best) {
        best = need;
        peak = i;
      }
    }
    const double height = residual[peak];
    std::size_t left = peak;
    std::size_t right = peak;
    auto stillHigh = [&](std::size_t i) {
      return height * residual[i] > 0.0 && std::fabs(residual[i]) > std::fabs(height) / 2.0;
    };
    while (left > 0 && stillHigh(left - 1)) --left;
    while (right + 1 < residual.size() && stillHigh(right + 1)) ++right;
    const double octaves = std::max(std::log2(f[right] / f[left]), 1.0 / FitProblem::kPointsPerOctave);
    const double u = std::clamp(std::log2(f[peak]), limits.uLow, limits.uHigh);
    const double g = std::clamp(-height, limits.gLow, limits.gHigh);
    const double v = std::clamp(std::log(QFromBandwidthOctaves(octaves)), limits.vLow, limits.vHigh);
    x.insert(x.end(), {u, g, v});
    problem.Points().Response(designer.Design(PeakingBand(u, g, v)), response.data());
    for (std::size_t i = 0; i < residual.size(); ++i) residual[i] += response[i];
  }
  return x;
}

// Optimises the bands' parameters; with `gains` given, only frequency and Q, the gains fixed.
void Optimise(Objective& objective, std::vector<double>& x, const Limits& limits, int bands,
              const std::vector<double>* gains, int evaluations) {
  const int per = gains ? 2 : kParams;
  auto unpack = [&](const std::vector<double>& p, int b) {
    const auto i = static_cast<std::size_t>(b * per);
    return gains ? PeakingBand(p[i], (*gains)[static_cast<std::size_t>(b)], p[i + 1])
                 : PeakingBand(p[i], p[i + 1], p[i + 2]);
  };
  BoundedMinimizer::Function f = [&](const std::vector<double>& p, std::vector<double>* gradient) {
    std::vector<FilterParams> set;
    for (int b = 0; b < bands; ++b) set.push_back(unpack(p, b));
    const double value = objective.Value(set);
    if (gradient != nullptr) {
      std::vector<double> q = p;
      for (std::size_t k = 0; k < p.size(); ++k) {
        const int b = static_cast<int>(k) / per;
        q[k] = p[k] + kStep;
        const double up = objective.ValueWith(b, unpack(q, b));
        q[k] = p[k] - kStep;
        const double down = objective.ValueWith(b, unpack(q, b));
        q[k] = p[k];
        (*gradient)[k] = (up - down) / (2.0 * kStep);
      }
    }
    return value;
  };
  std::vector<double> lower;
  std::vector<double> upper;
  for (int b = 0; b < bands; ++b) {
    if (gains) {
      lower.insert(lower.end(), {limits.uLow, limits.vLow});
      upper.insert(upper.end(), {limits.uHigh, limits.vHigh});
    } else {
      lower.insert(lower.end(), {limits.uLow, limits.gLow, limits.vLow});
      upper.insert(upper.end(), {limits.uHigh, limits.gHigh, limits.vHigh});
    }
  }
  BoundedMinimizer::Minimize(f, x, lower, upper, evaluations);
}

// Moves whole-dB gains a dB at a time while that lowers the objective; true when one moved.
bool PolishGains(Objective& objective, const std::vector<double>& fq, std::vector<double>& gains,
                 const Limits& limits) {
  const int bands = static_cast<int>(gains.size());
  auto band = [&](int b, double gain) {
    const auto i = static_cast<std::size_t>(2 * b);
    return PeakingBand(fq[i], gain, fq[i + 1]);
  };
  std::vector<FilterParams> set;
  for (int b = 0; b < bands; ++b) set.push_back(band(b, gains[static_cast<std::size_t>(b)]));
  double best = objective.Value(set);
  bool moved = false;
  for (int sweep = 0; sweep < 2 * kPeqBandCount; ++sweep) {
    bool improved = false;
    for (int b = 0; b < bands; ++b) {
      for (double step : {-1.0, 1.0}) {
        const double next = gains[static_cast<std::size_t>(b)] + step;
        if (next < limits.gLow || next > limits.gHigh) continue;
        const double value = objective.ValueWith(b, band(b, next));
        if (value < best) {
          gains[static_cast<std::size_t>(b)] = next;
          set[static_cast<std::size_t>(b)] = band(b, next);
          best = objective.Value(set);
          improved = moved = true;
          break;
        }
      }
    }
    if (!improved) break;
  }
  return moved;
}

// The band lifting most at the curve's highest point, among those that lift at all.
int WorstBoost(const PeqBandSet& set, int bands) {
  const CurveValues curve = ResponseCurve(set);
  const auto top = static_cast<int>(std::max_element(curve.begin(), curve.end()) - curve.begin());
  BiquadDesigner designer;
  int worst = -1;
  double most = 0.0;
  for (int b = 0; b < bands; ++b) {
    const FilterParams& band = set[static_cast<std::size_t>(b)];
    if (band.gain <= 0.0f) continue;
    const double lift = designer.Response(designer.Design(band), CurveGridFrequency(top));
    if (worst < 0 || lift > most) {
      worst = b;
      most = lift;
    }
  }
  return worst;
}

}  // namespace

PeqBandSet FitParametricBands(const FitProblem& problem, const PeqBandSet& start, EqGroup group,
                              double maxBoost) {
  const int bands = PeqBandsInUse(group);
  const double cap = std::min(maxBoost, kCurvePeakLimit);
  const double fMax = group == EqGroup::SubWoofer ? kSubWooferMaxFrequency : kPeqMaxFrequency;
  const double reach = std::sqrt(2.0);  // half an octave beyond the range
  Limits limits{};
  limits.uLow = std::log2(std::clamp(problem.Range().low / reach, double{kPeqMinFrequency}, fMax));
  limits.uHigh = std::log2(std::clamp(problem.Range().high * reach, double{kPeqMinFrequency}, fMax));
  limits.gLow = kPeqMinGain;
  limits.gHigh = std::floor(cap);
  limits.vLow = std::log(double{kPeqMinQ});
  limits.vHigh = std::log(double{kPeqMaxQ});

  Objective objective(problem, bands, cap - kBoostMargin);
  std::vector<double> x = Seed(problem, bands, limits);
  Optimise(objective, x, limits, bands, nullptr, kFirstEvaluations);

  std::vector<double> gains;
  std::vector<double> fq;
  for (int b = 0; b < bands; ++b) {
    const auto i = static_cast<std::size_t>(b * kParams);
    gains.push_back(std::clamp(std::round(x[i + 1]), limits.gLow, limits.gHigh) + 0.0);
    fq.insert(fq.end(), {x[i], x[i + 2]});
  }

  PeqBandSet set = start;
  auto store = [&] {
    for (std::size_t b = 0; b < set.size(); ++b) {
      if (static_cast<int>(b) < bands) {
        const FilterParams fitted = PeakingBand(fq[2 * b], gains[b], fq[2 * b + 1]);
        set[b].type = fitted.type;
        set[b].frequency = fitted.frequency;
        set[b].gain = fitted.gain;
        set[b].q = fitted.q;
        set[b].sectionKind = 0;
      } else {
        set[b].gain = 0.0f;
      }
    }
  };
  // Whole dB a step at a time wherever that brings the curve closer, frequency and Q following;
  // a band that then still lifts the curve over the limit gives up a dB.
  for (int round = 0; round < kPolishRounds; ++round) {
    Optimise(objective, fq, limits, bands, &gains, kSecondEvaluations);
    if (!PolishGains(objective, fq, gains, limits)) break;
  }
  store();
  while (CurvePeak(ResponseCurve(set)) > cap) {
    const int worst = WorstBoost(set, bands);
    if (worst < 0) break;  // only cuts: the curve cannot rise above 0 dB
    gains[static_cast<std::size_t>(worst)] -= 1.0;
    store();
  }
  return set;
}
