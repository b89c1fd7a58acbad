#include "fit/graphic_fit.h"

#include <algorithm>
#include <cmath>

#include "document/setup_document.h"
#include "eq/biquad_designer.h"
#include "eq/response_curve.h"
#include "fit/bounded_minimizer.h"

namespace {

// The solve treats a band's curve as its curve at this gain, scaled: the middle of its range.
constexpr float kShapeGain = 4.0f;
constexpr int kSolveEvaluations = 500;
constexpr int kPolishSweeps = 20;
constexpr int kMaxGain = 9;

BiquadCoefficients GraphicBandSection(int band, double gain) {
  BiquadDesigner designer;
  return designer.Design(static_cast<std::int32_t>(FilterType::Peaking),
                         kGeqBandFrequencies[static_cast<std::size_t>(band)], static_cast<float>(gain),
                         kGeqBandQ, 0, 0);
}

double SquaredError(const std::vector<double>& d, const std::vector<double>& total) {
  double sum = 0.0;
  for (std::size_t i = 0; i < d.size(); ++i) sum += (d[i] + total[i]) * (d[i] + total[i]);
  return sum;
}

// Every band's exact response at the fit points for every whole-dB gain it may take.
class GainTable {
 public:
  GainTable(const FitProblem& problem, int bands, int lowest, int highest)
      : n_(problem.Points().Size()), lowest_(lowest), highest_(highest) {
    values_.resize(static_cast<std::size_t>(bands * (highest - lowest + 1)) * n_);
    for (int b = 0; b < bands; ++b) {
      for (int g = lowest; g <= highest; ++g) problem.Points().Response(GraphicBandSection(b, g), At(b, g));
    }
  }
  double* At(int band, int gain) {
    return values_.data() + (static_cast<std::size_t>(band * (highest_ - lowest_ + 1) + gain - lowest_)) * n_;
  }

 private:
  std::size_t n_;
  int lowest_;
  int highest_;
  std::vector<double> values_;
};

}  // namespace

GeqCodeSet FitGraphicCodes(const FitProblem& problem, EqGroup group, double maxBoost) {
  const int bands = GeqBandsInUse(group);
  const int highest =
      std::clamp(static_cast<int>(std::floor(std::min(maxBoost, kCurvePeakLimit))), 0, kMaxGain);
  const int lowest = -kMaxGain;
  const std::vector<double>& d = problem.Deviation();
  const std::size_t n = d.size();

  // The bounded least-squares solve on shapes scaled to 1 dB.
  std::vector<std::vector<double>> shape(static_cast<std::size_t>(bands), std::vector<double>(n));
  for (int b = 0; b < bands; ++b) {
    auto& s = shape[static_cast<std::size_t>(b)];
    problem.Points().Response(GraphicBandSection(b, kShapeGain), s.data());
    for (double& v : s) v /= static_cast<double>(kShapeGain);
  }
  BoundedMinimizer::Function f = [&](const std::vector<double>& x, std::vector<double>* gradient) {
    std::vector<double> residual = d;
    for (int b = 0; b < bands; ++b) {
      const auto& s = shape[static_cast<std::size_t>(b)];
      for (std::size_t i = 0; i < n; ++i) residual[i] += x[static_cast<std::size_t>(b)] * s[i];
    }
    double sum = 0.0;
    for (double r : residual) sum += r * r;
    if (gradient != nullptr) {
      for (int b = 0; b < bands; ++b) {
        const auto& s = shape[static_cast<std::size_t>(b)];
        double g = 0.0;
        for (std::size_t i = 0; i < n; ++i) g += 2.0 * residual[i] * s[i];
        (*gradient)[static_cast<std::size_t>(b)] = g;
      }
    }
    return sum;
  };
  std::vector<double> x(static_cast<std::size_t>(bands), 0.0);
  BoundedMinimizer::Minimize(f, x, std::vector<double>(x.size(), lowest),
                             std::vector<double>(x.size(), highest), kSolveEvaluations);

  // Whole dB, then one dB at a time wherever that brings the exact curve closer.
  std::vector<int> gains;
  for (double v : x) gains.push_back(std::clamp(static_cast<int>(std::lround(v)), lowest, highest));
  GainTable table(problem, bands, lowest, highest);
  std::vector<double> total(n, 0.0);
  for (int b = 0; b < bands; ++b) {
    const double* r = table.At(b, gains[static_cast<std::size_t>(b)]);
    for (std::size_t i = 0; i < n; ++i) total[i] += r[i];
  }
  double error = SquaredError(d, total);
  std::vector<double> trial(n);
  for (int sweep = 0; sweep < kPolishSweeps; ++sweep) {
    bool improved = false;
    for (int b = 0; b < bands; ++b) {
      int& gain = gains[static_cast<std::size_t>(b)];
      for (int step : {1, -1}) {
        const int next = gain + step;
        if (next < lowest || next > highest) continue;
        const double* now = table.At(b, gain);
        const double* then = table.At(b, next);
        for (std::size_t i = 0; i < n; ++i) trial[i] = total[i] - now[i] + then[i];
        const double e = SquaredError(d, trial);
        if (e < error) {
          error = e;
          total = trial;
          gain = next;
          improved = true;
          break;
        }
      }
    }
    if (!improved) break;
  }

  GeqCodeSet codes{};
  codes.fill(kGeqFlatCode);
  for (int b = 0; b < bands; ++b)
    codes[static_cast<std::size_t>(b)] = kGeqFlatCode - gains[static_cast<std::size_t>(b)];
  // A curve over the limit gives up a dB of the boost lifting most at its highest point.
  const double cap = std::min(maxBoost, kCurvePeakLimit);
  while (CurvePeak(ResponseCurve(codes)) > cap) {
    const CurveValues curve = ResponseCurve(codes);
    const double top =
        CurveGridFrequency(static_cast<int>(std::max_element(curve.begin(), curve.end()) - curve.begin()));
    int worst = -1;
    double most = 0.0;
    BiquadDesigner designer;
    for (int b = 0; b < bands; ++b) {
      const GeqLevelCode code = codes[static_cast<std::size_t>(b)];
      if (code >= kGeqFlatCode) continue;
      const double lift = designer.Response(GraphicBandSection(b, GeqGainFromCode(code)), top);
      if (worst < 0 || lift > most) {
        worst = b;
        most = lift;
      }
    }
    if (worst < 0) break;
    ++codes[static_cast<std::size_t>(worst)];
  }
  return codes;
}
