#pragma once

#include <functional>
#include <vector>

// Minimises a smooth function of a few dozen variables within box bounds, with NLopt's
// limited-memory quasi-Newton method. The function fills the gradient when asked for it.
class BoundedMinimizer {
 public:
  using Function = std::function<double(const std::vector<double>& x, std::vector<double>* gradient)>;

  // Starts at `x` (moved into the bounds first) and leaves the best point found there; returns
  // the function's value at it. Stops after `maxEvaluations` at the latest.
  static double Minimize(const Function& f, std::vector<double>& x, const std::vector<double>& lower,
                         const std::vector<double>& upper, int maxEvaluations);
};
