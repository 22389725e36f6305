#include "refusal.h"

namespace skpm {

void Refuse(std::string_view where, std::string_view what, SUResult code) {
    std::string reason(where.empty() ? "/" : where);
    reason += ": ";
    reason += what;
    throw DocumentRefusal(code, reason);
}

void Refuse(const Place& where, std::string_view what, SUResult code) {
    Refuse(where.Text(), what, code);
}

std::string Place::Text() const {
    if (kind_ == kRoot) return {};
    return kind_ == kKey ? Child(parent_->Text(), key_) : Child(parent_->Text(), index_);
}

std::string Child(std::string_view path, std::string_view key) {
    std::string result(path);
    result += '/';
    for (char c : key) {
        if (c == '~') {
            result += "~0";
        } else if (c == '/') {
            result += "~1";
        } else {
            result += c;
        }
    }
    return result;
}

std::string Child(std::string_view path, size_t index) {
    std::string result(path);
    result += '/';
    result += std::to_string(index);
    return result;
}

}  // namespace skpm
