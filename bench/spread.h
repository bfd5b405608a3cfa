// The spread of a benchmark's timings: mean, median, 99th percentile and
// worst, so a figure shows its tail and not only its middle.
#pragma once

#include <algorithm>
#include <vector>

struct Spread {
    double mean, median, p99, worst;
};

// An empty list gives zeros.
inline Spread spread(std::vector<double> v)
{
    if (v.empty())
        return {0, 0, 0, 0};
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v)
        sum += x;
    return {sum / double(v.size()), v[v.size() / 2], v[std::min(v.size() - 1, v.size() * 99 / 100)], v.back()};
}
