#include "files/NaturalCubicSpline.h"

#include <cmath>

NaturalCubicSpline::NaturalCubicSpline(const std::vector<double>& values) : a_(values) {
    const int n = static_cast<int>(a_.size());
    const int m = n - 1;
    c_.assign(n, 0.0);
    std::vector<double> w(n, 0.0);
    // Tridiagonal system c(i-1) + 4c(i) + c(i+1) = 3(a(i+1) - 2a(i) + a(i-1)), c(0) = c(m) = 0.
    for (int i = 1; i < m; ++i) {
        const double r = 3.0 * (a_[i + 1] - 2.0 * a_[i] + a_[i - 1]);
        c_[i] = (r - c_[i - 1]) / (4.0 - w[i - 1]);
        w[i] = 1.0 / (4.0 - w[i - 1]);
    }
    for (int i = m - 1; i >= 1; --i) {
        c_[i] -= w[i] * c_[i + 1];
    }
    b_.assign(m > 0 ? m : 0, 0.0);
    d_.assign(m > 0 ? m : 0, 0.0);
    for (int k = 0; k < m; ++k) {
        d_[k] = (c_[k + 1] - c_[k]) / 3.0;
        b_[k] = (a_[k + 1] - a_[k]) - c_[k] - d_[k];
    }
}

double NaturalCubicSpline::operator()(double t) const {
    const int m = static_cast<int>(a_.size()) - 1;
    if (m < 1) {
        return a_.empty() ? 0.0 : a_[0];
    }
    int k = static_cast<int>(std::floor(t));
    if (k < 0) {
        k = 0;
    } else if (k > m - 1) {
        k = m - 1;
    }
    const double u = t - k;
    return ((d_[k] * u + c_[k]) * u + b_[k]) * u + a_[k];
}
