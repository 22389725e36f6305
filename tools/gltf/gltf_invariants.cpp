#include "gltf_invariants.h"

#include <algorithm>

#include "gltf_readback.h"

namespace gltf {
namespace {

class Checker {
public:
    explicit Checker(const tinygltf::Model& model) : model_(model) {}

    std::vector<std::string> Run() {
        for (size_t v = 0; v < model_.bufferViews.size(); ++v) CheckView(v);
        for (size_t a = 0; a < model_.accessors.size(); ++a) CheckAccessor(a);
        for (size_t i = 0; i < model_.images.size(); ++i) CheckImage(i);
        for (size_t t = 0; t < model_.textures.size(); ++t) CheckTexture(t);
        for (size_t m = 0; m < model_.materials.size(); ++m) CheckMaterial(m);
        for (size_t m = 0; m < model_.meshes.size(); ++m) CheckMesh(m);
        for (size_t n = 0; n < model_.nodes.size(); ++n) CheckNode(n);
        for (size_t s = 0; s < model_.scenes.size(); ++s) {
            for (const int node : model_.scenes[s].nodes)
                Resolves(node, model_.nodes.size(), Name("scene", s) + "'s node");
        }
        if (model_.defaultScene != -1)
            Resolves(model_.defaultScene, model_.scenes.size(), "the default scene");
        return std::move(violations_);
    }

private:
    static std::string Name(const char* kind, size_t index) {
        return std::string(kind) + " " + std::to_string(index);
    }
    void Add(std::string violation) { violations_.push_back(std::move(violation)); }
    bool Resolves(int index, size_t size, const std::string& what) {
        if (index >= 0 && static_cast<size_t>(index) < size) return true;
        Add(what + " " + std::to_string(index) + " does not resolve");
        return false;
    }
    // -1 is "none"; anything else must resolve.
    void NoneOrResolves(int index, size_t size, const std::string& what) {
        if (index != -1) Resolves(index, size, what);
    }

    void CheckView(size_t v) {
        const tinygltf::BufferView& view = model_.bufferViews[v];
        if (!Resolves(view.buffer, model_.buffers.size(), Name("bufferView", v) + "'s buffer"))
            return;
        if (!ViewBytes(model_, static_cast<int>(v)))
            Add(Name("bufferView", v) + " reaches past its buffer");
        else if (view.byteLength == 0)
            Add(Name("bufferView", v) + " is empty");
    }

    void CheckAccessor(size_t a) {
        if (model_.accessors[a].count == 0) Add(Name("accessor", a) + " has no element");
        if (!LayOut(model_, static_cast<int>(a)))
            Add(Name("accessor", a) + " is of no known type or reaches past its bufferView");
    }

    void CheckImage(size_t i) {
        const tinygltf::Image& image = model_.images[i];
        const size_t pixels = static_cast<size_t>(std::max(image.width, 0)) *
                              static_cast<size_t>(std::max(image.height, 0)) *
                              static_cast<size_t>(std::max(image.component, 0)) *
                              static_cast<size_t>(std::max(image.bits, 0)) / 8;
        if (image.image.empty() || pixels != image.image.size())
            Add(Name("image", i) + " has no decoded pixels of its size");
        const bool embedded = image.bufferView >= 0 && ViewBytes(model_, image.bufferView) &&
                              !ViewBytes(model_, image.bufferView)->empty();
        if (!embedded && image.uri.empty()) Add(Name("image", i) + " has no data");
    }

    void CheckTexture(size_t t) {
        const tinygltf::Texture& texture = model_.textures[t];
        Resolves(texture.source, model_.images.size(), Name("texture", t) + "'s image");
        NoneOrResolves(texture.sampler, model_.samplers.size(), Name("texture", t) + "'s sampler");
    }

    void CheckMaterial(size_t m) {
        const tinygltf::Material& material = model_.materials[m];
        const std::string what = Name("material", m) + "'s texture";
        NoneOrResolves(material.pbrMetallicRoughness.baseColorTexture.index, model_.textures.size(),
                       what);
        NoneOrResolves(material.pbrMetallicRoughness.metallicRoughnessTexture.index,
                       model_.textures.size(), what);
        NoneOrResolves(material.normalTexture.index, model_.textures.size(), what);
        NoneOrResolves(material.occlusionTexture.index, model_.textures.size(), what);
        NoneOrResolves(material.emissiveTexture.index, model_.textures.size(), what);
    }

    void CheckPrimitive(const tinygltf::Primitive& primitive, const std::string& what) {
        NoneOrResolves(primitive.material, model_.materials.size(), what + "'s material");
        if (primitive.mode != -1 && primitive.mode != TINYGLTF_MODE_TRIANGLES)
            Add(what + " does not draw triangles");
        const auto position = primitive.attributes.find("POSITION");
        if (position == primitive.attributes.end()) {
            Add(what + " has no POSITION");
            return;
        }
        if (!Resolves(position->second, model_.accessors.size(), what + "'s POSITION")) return;
        const tinygltf::Accessor& positions = model_.accessors[position->second];
        if (positions.minValues.size() != 3 || positions.maxValues.size() != 3)
            Add(what + "'s POSITION has no bounds");
        for (const auto& [name, accessor] : primitive.attributes) {
            if (Resolves(accessor, model_.accessors.size(), what + "'s " + name) &&
                model_.accessors[accessor].count != positions.count)
                Add(what + "'s " + name + " has another count than its POSITION");
        }
        if (!Resolves(primitive.indices, model_.accessors.size(), what + "'s indices")) return;
        const std::optional<std::vector<uint32_t>> indices = ReadIndices(model_, primitive.indices);
        if (!indices) {
            Add(what + "'s indices cannot be read");
        } else if (indices->size() % 3 != 0) {
            Add(what + " ends in a partial triangle");
        } else if (std::any_of(indices->begin(), indices->end(),
                               [&](uint32_t index) { return index >= positions.count; })) {
            Add(what + " has an index past its " + std::to_string(positions.count) + " vertices");
        }
    }

    void CheckMesh(size_t m) {
        const tinygltf::Mesh& mesh = model_.meshes[m];
        if (mesh.primitives.empty()) Add(Name("mesh", m) + " has no primitive");
        for (size_t p = 0; p < mesh.primitives.size(); ++p)
            CheckPrimitive(mesh.primitives[p], Name("mesh", m) + Name(" primitive", p));
    }

    void CheckNode(size_t n) {
        const tinygltf::Node& node = model_.nodes[n];
        NoneOrResolves(node.mesh, model_.meshes.size(), Name("node", n) + "'s mesh");
        for (const int child : node.children)
            Resolves(child, model_.nodes.size(), Name("node", n) + "'s child");
        if (!node.matrix.empty() && node.matrix.size() != 16)
            Add(Name("node", n) + "'s matrix has " + std::to_string(node.matrix.size()) +
                " values");
    }

    const tinygltf::Model& model_;
    std::vector<std::string> violations_;
};

}  // namespace

std::vector<std::string> GltfInvariantViolations(const tinygltf::Model& model) {
    return Checker(model).Run();
}

}  // namespace gltf
