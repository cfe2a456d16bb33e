#include "BenchSupport.h"
#include <algorithm>
#include <cstddef>
#include <utility>

double percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size()));
    return values[std::min(values.size() - 1, at)];
}

double median(std::vector<double> values) {
    return percentile(std::move(values), 0.5);
}
