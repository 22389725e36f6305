#pragma once

#include <exception>
#include <string>
#include <utility>

namespace Importing {

// A failure that ends a load with one line in the report and -1 from LoadFromFile: raised where
// the load finds it, turned into the report line by LoadFromFile alone.
class LoadFailure : public std::exception {
public:
    explicit LoadFailure(std::u16string reportLine) : line_(std::move(reportLine)) {}
    const char* what() const noexcept override { return "load failed"; }
    // The line the host reads from GetRaport, without its line end.
    const std::u16string& ReportLine() const { return line_; }

private:
    std::u16string line_;
};

}  // namespace Importing
