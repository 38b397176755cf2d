#include "tools/toolkit/statistics.h"

#include <algorithm>

namespace toolkit {

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const double place = std::clamp(p, 0.0, 1.0) * static_cast<double>(values.size());
    return values[std::min(values.size() - 1, static_cast<size_t>(place))];
}

double Median(std::vector<double> values) {
    return Percentile(std::move(values), 0.5);
}

} // namespace toolkit
