#include "malformed_json.h"

#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "refusal.h"
#include "strict_json.h"

namespace skpm {
namespace {

// Follows the SAX events, keeping only where it is, and stops at the first fault.
class FaultLocator {
public:
    using Sax = nlohmann::json;

    bool null() { return Value(); }
    bool boolean(bool) { return Value(); }
    bool number_integer(Sax::number_integer_t) { return Value(); }
    bool number_unsigned(Sax::number_unsigned_t) { return Value(); }
    bool number_float(Sax::number_float_t, const std::string& text) {
        // An integer literal too large for 64 bits arrives here; it is out of every range.
        if (text.find_first_of(".eE") == std::string::npos) {
            return Fail(Here(), "integer " + text + " is out of range");
        }
        return Value();
    }
    bool string(std::string&) { return Value(); }
    bool binary(Sax::binary_t&) { return Fail(Here(), "binary values are not JSON"); }

    bool start_object(std::size_t) { return Open(false); }
    bool start_array(std::size_t) { return Open(true); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }

    bool key(std::string& key) {
        Frame& top = stack_.back();
        if (!top.keys.insert(key).second) return Fail(Child(Path(), key), "key appears twice");
        top.key = std::move(key);
        top.keyPending = true;
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) {
        // nlohmann's text starts with "[json.exception.parse_error.101] "; keep what follows.
        std::string what = error.what();
        if (auto end = what.find("] "); what.rfind("[json.", 0) == 0 && end != std::string::npos) {
            what.erase(0, end + 2);
        }
        return Fail(Here(), what);
    }

    void ThrowIfFailed() const {
        if (!failure_.empty()) throw DocumentRefusal(SU_ERROR_SERIALIZATION, failure_);
    }

private:
    // An open container.
    struct Frame {
        bool array;
        std::size_t elements = 0;    // arrays: the elements begun so far
        std::string key;             // objects: the member being read
        bool keyPending = false;     // objects: its value has not begun
        std::set<std::string> keys;  // objects: the keys met so far
    };

    // A value begins.
    bool Value() {
        if (stack_.empty()) return true;
        Frame& top = stack_.back();
        if (top.array) {
            ++top.elements;
        } else {
            top.keyPending = false;
        }
        return true;
    }

    bool Open(bool array) {
        if (stack_.size() >= kMaxJsonDepth) {
            return Fail(Here(), "nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels");
        }
        Value();
        stack_.push_back(Frame{array, 0, {}, false, {}});
        return true;
    }

    bool Close() {
        stack_.pop_back();
        return true;
    }

    // The containers currently open.
    std::string Path() const {
        std::string path;
        for (std::size_t i = 0; i + 1 < stack_.size(); ++i) {
            const Frame& frame = stack_[i];
            path = frame.array ? Child(path, frame.elements - 1) : Child(path, frame.key);
        }
        return path;
    }

    // The value being read now.
    std::string Here() const {
        std::string path = Path();
        if (stack_.empty()) return path;
        const Frame& top = stack_.back();
        if (top.array) return Child(path, top.elements);
        return top.keyPending ? Child(path, top.key) : path;
    }

    bool Fail(const std::string& where, const std::string& what) {
        failure_ = (where.empty() ? std::string("/") : where) + ": " + what;
        return false;
    }

    std::vector<Frame> stack_;
    std::string failure_;
};

}  // namespace

void LocateJsonFault(std::string_view text) {
    FaultLocator locator;
    const bool parsed = nlohmann::json::sax_parse(text.begin(), text.end(), &locator);
    locator.ThrowIfFailed();
    if (!parsed) throw DocumentRefusal(SU_ERROR_SERIALIZATION, "/: not valid JSON");
}

}  // namespace skpm
