#include "strict_json.h"

#include <simdjson.h>

#include <string>
#include <vector>

#include "refusal.h"

namespace skpm {
namespace {

// Builds the DOM from SAX events, tracking where it is so errors can name the place.
class StrictBuilder {
public:
    explicit StrictBuilder(Json& root) : root_(root) {}

    bool null() { return Insert(Json(nullptr)) != nullptr; }
    bool boolean(bool value) { return Insert(Json(value)) != nullptr; }
    bool number_integer(Json::number_integer_t value) { return Insert(Json(value)) != nullptr; }
    bool number_unsigned(Json::number_unsigned_t value) { return Insert(Json(value)) != nullptr; }
    bool number_float(Json::number_float_t value, const std::string& text) {
        // An integer literal too large for 64 bits arrives here; it is out of every range.
        if (text.find_first_of(".eE") == std::string::npos) {
            return Fail(Here(), "integer " + text + " is out of range");
        }
        return Insert(Json(value)) != nullptr;
    }
    bool string(std::string& value) { return Insert(Json(std::move(value))) != nullptr; }
    bool binary(Json::binary_t&) { return Fail(Here(), "binary values are not JSON"); }

    bool start_object(std::size_t) { return Open(false); }
    bool start_array(std::size_t) { return Open(true); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }

    bool key(std::string& key) {
        Frame& top = stack_.back();
        if (top.node->contains(key)) return Fail(Child(Path(), key), "key appears twice");
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
    // An open container. An array's elements wait in a scratch list (one per depth, reused) and
    // are moved into an array of exactly their number when it closes: growing arrays element by
    // element would leave every outgrown buffer behind in the arena.
    struct Frame {
        Json* node;
        std::vector<Json>* items;  // arrays only
        std::string key;           // objects: the member being read
        bool keyPending = false;
    };

    Json* Insert(Json value) {
        if (stack_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        Frame& top = stack_.back();
        if (top.items != nullptr) {
            top.items->push_back(std::move(value));
            return &top.items->back();
        }
        top.keyPending = false;
        auto& members = top.node->get_ref<Json::object_t&>();
        return &members.emplace(top.key, std::move(value)).first->second;
    }

    bool Open(bool array) {
        if (stack_.size() >= kMaxJsonDepth) {
            return Fail(Here(), "nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels");
        }
        // An array is a placeholder in its parent until it closes.
        Json* node = Insert(array ? Json() : Json::object());
        std::vector<Json>* items = array ? &scratch_[stack_.size()] : nullptr;
        stack_.push_back(Frame{node, items, {}, false});
        return true;
    }

    bool Close() {
        Frame& top = stack_.back();
        if (top.items != nullptr) {
            Json array(Json::value_t::array);
            auto& elements = array.get_ref<Json::array_t&>();
            elements.reserve(top.items->size());
            for (Json& item : *top.items) elements.push_back(std::move(item));
            top.items->clear();
            *top.node = std::move(array);
        }
        stack_.pop_back();
        return true;
    }

    // The index of the element being read in an array frame.
    static size_t OpenIndex(const Frame& frame) { return frame.items->size() - 1; }

    // The containers currently open.
    std::string Path() const {
        std::string path;
        for (size_t i = 0; i + 1 < stack_.size(); ++i) {
            const Frame& frame = stack_[i];
            path = frame.items ? Child(path, OpenIndex(frame)) : Child(path, frame.key);
        }
        return path;
    }

    // The value being read now.
    std::string Here() const {
        std::string path = Path();
        if (stack_.empty()) return path;
        const Frame& top = stack_.back();
        if (top.items) return Child(path, top.items->size());
        return top.keyPending ? Child(path, top.key) : path;
    }

    bool Fail(const std::string& where, const std::string& what) {
        failure_ = (where.empty() ? std::string("/") : where) + ": " + what;
        return false;
    }

    Json& root_;
    std::vector<Frame> stack_;
    std::vector<std::vector<Json>> scratch_ = std::vector<std::vector<Json>>(kMaxJsonDepth);
    std::string failure_;
};

// Hands a parsed element to the builder as the SAX parser would have, event for event, so the
// builder applies the same rules and names the same places.
bool ReplayElement(simdjson::dom::element element, StrictBuilder& builder) {
    using Type = simdjson::dom::element_type;
    bool accepted = true;
    switch (element.type()) {
        case Type::OBJECT: {
            const simdjson::dom::object object = element.get_object().value_unsafe();
            if (!builder.start_object(object.size())) return false;
            for (const simdjson::dom::key_value_pair field : object) {
                std::string key(field.key);
                if (!builder.key(key)) return false;
                if (!ReplayElement(field.value, builder)) return false;
            }
            accepted = builder.end_object();
            break;
        }
        case Type::ARRAY: {
            const simdjson::dom::array array = element.get_array().value_unsafe();
            if (!builder.start_array(array.size())) return false;
            for (const simdjson::dom::element item : array) {
                if (!ReplayElement(item, builder)) return false;
            }
            accepted = builder.end_array();
            break;
        }
        case Type::STRING: {
            std::string value(element.get_string().value_unsafe());
            accepted = builder.string(value);
            break;
        }
        case Type::INT64: {
            const int64_t value = element.get_int64().value_unsafe();
            accepted = value < 0 ? builder.number_integer(value)
                                 : builder.number_unsigned(static_cast<uint64_t>(value));
            break;
        }
        case Type::UINT64:
            accepted = builder.number_unsigned(element.get_uint64().value_unsafe());
            break;
        case Type::DOUBLE: {
            // Integer literals too large for 64 bits never arrive as doubles here: simdjson
            // refuses them, and the slow path reports them.
            static const std::string kFractionText = ".";
            accepted = builder.number_float(element.get_double().value_unsafe(), kFractionText);
            break;
        }
        case Type::BOOL:
            accepted = builder.boolean(element.get_bool().value_unsafe());
            break;
        case Type::NULL_VALUE:
            accepted = builder.null();
            break;
    }
    return accepted;
}

// simdjson parses a well-formed document many times faster than the SAX lexer; anything it
// refuses goes the slow way, which says what is wrong and where.
bool ParseFast(std::string_view text, Json& out) {
    simdjson::dom::parser parser;
    const simdjson::padded_string padded(text);
    simdjson::dom::element root;
    if (parser.parse(padded).get(root) != simdjson::SUCCESS) return false;
    StrictBuilder builder(out);
    ReplayElement(root, builder);
    builder.ThrowIfFailed();
    return true;
}

}  // namespace

void ParseStrictJson(std::string_view text, Json& out) {
    if (ParseFast(text, out)) return;
    out = Json();
    StrictBuilder builder(out);
    const bool parsed = Json::sax_parse(text.begin(), text.end(), &builder);
    builder.ThrowIfFailed();
    if (!parsed) throw DocumentRefusal(SU_ERROR_SERIALIZATION, "/: not valid JSON");
}

}  // namespace skpm
