// Figures of repeated measurements.
#pragma once

#include <vector>

namespace toolkit {

// The middle value; of an even count the upper of the two middles. 0 for none.
double Median(std::vector<double> values);
// The value at share p (0 .. 1) of the sorted values: p = 1 the largest,
// p = 0.5 the median. 0 for none.
double Percentile(std::vector<double> values, double p);

} // namespace toolkit
