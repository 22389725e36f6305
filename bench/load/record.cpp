#include "record.h"

#include <charconv>
#include <cstdio>
#include <stdexcept>

namespace bench {
namespace {

std::string Escape(const std::string& name) {
    std::string out;
    for (const char c : name) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) throw std::runtime_error("record: dangling escape");
        const char c = text[i];
        if (c == '\\')
            out += '\\';
        else if (c == 't')
            out += '\t';
        else if (c == 'n')
            out += '\n';
        else
            throw std::runtime_error("record: unknown escape");
    }
    return out;
}

template <typename Number>
Number ParseNumber(const std::string& text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw std::runtime_error("record: bad number '" + text + "'");
    return value;
}

}  // namespace

void Record::Set(const std::string& name, double value) {
    for (auto& entry : values_) {
        if (entry.first == name) {
            entry.second = value;
            return;
        }
    }
    values_.emplace_back(name, value);
}

std::optional<double> Record::Get(const std::string& name) const {
    for (const auto& [key, value] : values_)
        if (key == name) return value;
    return std::nullopt;
}

double Record::Require(const std::string& name) const {
    if (const auto value = Get(name)) return *value;
    throw std::runtime_error("the measurement gave no '" + name + "'");
}

std::string Record::Serialize() const {
    std::string out;
    char number[64];
    for (const auto& [name, value] : values_) {
        // %.17g keeps every bit of a double.
        std::snprintf(number, sizeof number, "%.17g", value);
        out += "v\t" + Escape(name) + '\t' + number + '\n';
    }
    for (const auto& [name, count] : trianglesByMaterial)
        out += "m\t" + Escape(name) + '\t' + std::to_string(count) + '\n';
    return out;
}

Record Record::Parse(const std::string& text) {
    Record record;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) throw std::runtime_error("record: unterminated line");
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const size_t first = line.find('\t'), last = line.rfind('\t');
        if (first != 1 || last == first)
            throw std::runtime_error("record: bad line '" + line + "'");
        const std::string name = Unescape(line.substr(2, last - 2));
        const std::string value = line.substr(last + 1);
        if (line[0] == 'v')
            record.Set(name, ParseNumber<double>(value));
        else if (line[0] == 'm')
            record.trianglesByMaterial[name] = ParseNumber<uint64_t>(value);
        else
            throw std::runtime_error("record: bad line '" + line + "'");
    }
    return record;
}

}  // namespace bench
