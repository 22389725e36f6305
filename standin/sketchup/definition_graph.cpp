// Definitions placed inside definitions: refuse cycles and nesting deeper than kMaxNesting.
// Every definition counts as placed at level 1 (the model's definition lists reach it there), so
// a definition's height (itself plus the deepest chain below it) must not exceed kMaxNesting.
#include <string>
#include <vector>

#include "reader_context.h"
#include "refusal.h"

namespace skpm {
namespace {

// A placement inside a definition: which list it is in and where.
struct Edge {
    const char* list;
    size_t index;
    const Definition* child;
};

std::vector<Edge> EdgesOf(const Definition& definition) {
    std::vector<Edge> edges;
    const Entities& entities = definition.entities;
    for (size_t i = 0; i < entities.groups.size(); ++i)
        edges.push_back({"groups", i, entities.groups[i].definition});
    for (size_t i = 0; i < entities.instances.size(); ++i)
        edges.push_back({"instances", i, entities.instances[i].definition});
    for (size_t i = 0; i < entities.images.size(); ++i)
        edges.push_back({"images", i, entities.images[i].definition});
    return edges;
}

class GraphCheck {
public:
    explicit GraphCheck(const Model& model)
        : model_(model), state_(model.definitions.size(), kUnseen), height_(state_.size(), 0) {}

    void Run() {
        for (size_t i = 0; i < model_.definitions.size(); ++i) Visit(i);
        for (size_t i = 0; i < model_.definitions.size(); ++i) {
            if (height_[i] > kMaxNesting) RefuseTooDeep(i);
        }
    }

private:
    enum State { kUnseen, kOpen, kDone };
    struct Step {
        size_t definition;
        std::vector<Edge> edges;
        size_t next = 0;
    };

    size_t IndexOf(const Definition* definition) const {
        return static_cast<size_t>(definition - model_.definitions.data());
    }

    std::string EdgeWhere(size_t parent, const Edge& edge) const {
        std::string where = Child(Child(Child("/definitions", parent), "entities"), edge.list);
        return Child(Child(where, edge.index), "definition");
    }

    // Depth-first with an explicit stack: chains can be as long as there are definitions.
    void Visit(size_t start) {
        if (state_[start] != kUnseen) return;
        std::vector<Step> stack;
        stack.push_back({start, EdgesOf(model_.definitions[start])});
        state_[start] = kOpen;
        while (!stack.empty()) {
            Step& step = stack.back();
            if (step.next == step.edges.size()) {
                size_t height = 0;
                for (const Edge& edge : step.edges)
                    height = std::max(height, height_[IndexOf(edge.child)]);
                height_[step.definition] = height + 1;
                state_[step.definition] = kDone;
                stack.pop_back();
                continue;
            }
            const Edge& edge = step.edges[step.next++];
            const size_t child = IndexOf(edge.child);
            if (state_[child] == kOpen) RefuseCycle(stack, step.definition, edge);
            if (state_[child] == kUnseen) {
                state_[child] = kOpen;
                stack.push_back({child, EdgesOf(model_.definitions[child])});
            }
        }
    }

    [[noreturn]] void RefuseCycle(const std::vector<Step>& stack, size_t parent, const Edge& edge) {
        const size_t child = IndexOf(edge.child);
        std::string chain;
        bool inCycle = false;
        for (const Step& step : stack) {
            inCycle = inCycle || step.definition == child;
            if (inCycle) chain += "\"" + model_.definitions[step.definition].name + "\" -> ";
        }
        chain += "\"" + edge.child->name + "\"";
        Refuse(EdgeWhere(parent, edge), "definition contains itself: " + chain);
    }

    // Follows the deepest chain down to the placement that reaches level kMaxNesting + 1.
    [[noreturn]] void RefuseTooDeep(size_t top) {
        size_t current = top;
        for (size_t level = 1;; ++level) {
            for (const Edge& edge : EdgesOf(model_.definitions[current])) {
                const size_t child = IndexOf(edge.child);
                if (height_[child] + 1 != height_[current]) continue;
                if (level == kMaxNesting) {
                    Refuse(EdgeWhere(current, edge),
                           "definitions nest deeper than " + std::to_string(kMaxNesting) +
                               " levels (from \"" + model_.definitions[top].name + "\")");
                }
                current = child;
                break;
            }
        }
    }

    const Model& model_;
    std::vector<State> state_;
    std::vector<size_t> height_;
};

}  // namespace

void CheckDefinitionGraph(const Model& model) {
    GraphCheck(model).Run();
}

}  // namespace skpm
