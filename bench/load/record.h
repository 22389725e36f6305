// What one measurement child sends back to the parent: named numbers (seconds, bytes, counts)
// in the order they were set, and triangle counts by material name.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bench {

class Record {
public:
    // Replaces the value of `name` if it is already there; otherwise appends it.
    void Set(const std::string& name, double value);
    std::optional<double> Get(const std::string& name) const;
    // Throws std::runtime_error naming the missing value.
    double Require(const std::string& name) const;
    const std::vector<std::pair<std::string, double>>& Values() const { return values_; }

    std::map<std::string, uint64_t> trianglesByMaterial;

    // One line per entry; names may hold any byte (tabs, newlines and backslashes are escaped).
    std::string Serialize() const;
    // Throws std::runtime_error on text that Serialize did not write.
    static Record Parse(const std::string& text);

private:
    std::vector<std::pair<std::string, double>> values_;
};

}  // namespace bench
