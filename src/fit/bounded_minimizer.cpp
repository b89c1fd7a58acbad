#include "fit/bounded_minimizer.h"

#include <nlopt.h>

#include <algorithm>
#include <memory>

namespace {

struct Call {
  const BoundedMinimizer::Function* f;
  std::vector<double> x;
  std::vector<double> gradient;
};

double Trampoline(unsigned n, const double* x, double* gradient, void* data) {
  Call& call = *static_cast<Call*>(data);
  call.x.assign(x, x + n);
  if (gradient == nullptr) return (*call.f)(call.x, nullptr);
  call.gradient.assign(n, 0.0);
  const double value = (*call.f)(call.x, &call.gradient);
  std::copy(call.gradient.begin(), call.gradient.end(), gradient);
  return value;
}

struct OptDeleter {
  void operator()(nlopt_opt opt) const { nlopt_destroy(opt); }
};

}  // namespace

double BoundedMinimizer::Minimize(const Function& f, std::vector<double>& x, const std::vector<double>& lower,
                                  const std::vector<double>& upper, int maxEvaluations) {
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = std::clamp(x[i], lower[i], upper[i]);
  if (x.empty()) return f(x, nullptr);
  const auto n = static_cast<unsigned>(x.size());
  std::unique_ptr<nlopt_opt_s, OptDeleter> opt(nlopt_create(NLOPT_LD_LBFGS, n));
  Call call{&f, {}, {}};
  double best = f(x, nullptr);
  if (!opt) return best;
  nlopt_set_lower_bounds(opt.get(), lower.data());
  nlopt_set_upper_bounds(opt.get(), upper.data());
  nlopt_set_min_objective(opt.get(), Trampoline, &call);
  nlopt_set_ftol_rel(opt.get(), 1e-7);
  nlopt_set_xtol_rel(opt.get(), 1e-6);
  nlopt_set_maxeval(opt.get(), maxEvaluations);
  std::vector<double> trial = x;
  double value = best;
  // Any ending, a round-off limit included, leaves the best point found in `trial`.
  nlopt_optimize(opt.get(), trial.data(), &value);
  if (value <= best) {
    x = trial;
    best = value;
  }
  return best;
}
