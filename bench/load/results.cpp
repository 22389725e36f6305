#include "results.h"

#include <algorithm>
#include <stdexcept>

namespace bench {

Stats Summarize(std::vector<double> values) {
    if (values.empty()) throw std::invalid_argument("no values to summarize");
    std::sort(values.begin(), values.end());
    return {values.front(), values[(values.size() - 1) / 2]};
}

std::vector<double> ValuesOf(const std::vector<Record>& runs, const std::string& name) {
    std::vector<double> values;
    for (const Record& run : runs) values.push_back(run.Require(name));
    return values;
}

std::vector<double> SumsOf(const std::vector<Record>& runs, const std::vector<std::string>& names) {
    std::vector<double> sums;
    for (const Record& run : runs) {
        double sum = 0;
        for (const std::string& name : names) sum += run.Require(name);
        sums.push_back(sum);
    }
    return sums;
}

double LargestPeak(const std::vector<Record>& runs) {
    double peak = 0;
    for (const double value : ValuesOf(runs, "peak bytes")) peak = std::max(peak, value);
    return peak;
}

std::string ThreadsText(int threads) {
    return std::to_string(threads) + (threads == 1 ? " thread" : " threads");
}

const ThreadedRuns* Results::FloorWith(int threads) const {
    for (const ThreadedRuns& runs : floor)
        if (runs.threads == threads) return &runs;
    return nullptr;
}

}  // namespace bench
