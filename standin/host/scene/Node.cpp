#include "Importing/Node.h"

namespace Importing {

Node::Node() = default;

void Node::SetName(const std::u16string& name) {
    name_ = name;
}
void Node::SetLocalTransform(const Transform& transform) {
    localTransform_ = transform;
}
const std::u16string& Node::GetName() const {
    return name_;
}
const Transform& Node::GetLocalTransform() const {
    return localTransform_;
}

}  // namespace Importing
