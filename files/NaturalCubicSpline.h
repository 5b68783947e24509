#pragma once

#include <vector>

// The natural cubic spline through values at the knots 0, 1, ..., n-1 (unit spacing). The LUT
// editor fits one to the x and one to the y coordinates of its edit points, which makes the
// curve parametric and lets it bend back on itself.
class NaturalCubicSpline {
public:
    // At least two values.
    explicit NaturalCubicSpline(const std::vector<double>& values);

    // Outside 0 ... n-1 the nearest segment's cubic is carried on past its end.
    double operator()(double t) const;

private:
    std::vector<double> a_, b_, c_, d_;
};
