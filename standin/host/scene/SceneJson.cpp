#include "Importing/SceneJson.h"

#include <skptext/file_path.h>
#include <skptext/utf.h>

#include <algorithm>
#include <filesystem>
#include <ios>
#include <span>
#include <system_error>

#include "json_text.h"

namespace Importing {
namespace {

using json::AppendFloat;
using json::AppendInt;
using json::AppendString;

// Text is gathered in a buffer and handed to the stream in large pieces, so that geometry of
// hundreds of megabytes never sits in memory twice.
class Output {
public:
    explicit Output(std::ostream& stream) : stream_(stream) { text.reserve(kChunk + 4096); }

    void FlushIfFull() {
        if (text.size() >= kChunk) Flush();
    }
    void Flush() {
        stream_.write(text.data(), static_cast<std::streamsize>(text.size()));
        text.clear();
        if (!stream_) throw std::ios_base::failure("writing the scene JSON failed");
    }

    std::string text;

private:
    static constexpr size_t kChunk = 1 << 20;
    std::ostream& stream_;
};

template <typename Range, typename Write>
void AppendList(std::string& out, const Range& range, Write write) {
    out += '[';
    bool first = true;
    for (const auto& item : range) {
        if (!first) out += ", ";
        first = false;
        write(item);
    }
    out += ']';
}

void AppendColor(std::string& out, const D3DXCOLOR& c) {
    const float channels[] = {c.r, c.g, c.b, c.a};
    AppendList(out, channels, [&](float v) { AppendFloat(out, v); });
}

void WriteHeader(std::string& out, const SceneContainer& scene, const SceneJsonInfo& info) {
    out += "{\n  \"result\": ";
    if (info.result)
        AppendInt(out, *info.result);
    else
        out += "null";
    out += ",\n  \"report\": ";
    AppendString(out, info.report);
    if (info.raised) {
        out += ",\n  \"raised\": ";
        AppendString(out, *info.raised);
    }
    out += ",\n  \"sourceDescriptions\": ";
    AppendList(out, scene.sourceDescriptions,
               [&](const std::u16string& s) { AppendString(out, skptext::ToUtf8(s)); });
    out += ",\n  \"rootNodeIndex\": ";
    AppendInt(out, scene.rootNodeIndex);
    out += ",\n  \"finishCalls\": ";
    AppendList(out, scene.finishCalls, [&](const FinishCall& call) {
        out += '[';
        AppendString(out, call.name);
        for (const bool argument : call.arguments) out += argument ? ", true" : ", false";
        out += ']';
    });
}

// Opens a top-level list; `write` appends one element.
template <typename Range, typename Write>
void WriteSection(Output& out, const char* name, const Range& range, Write write) {
    out.text += ",\n  \"";
    out.text += name;
    out.text += "\": [";
    bool first = true;
    for (const auto& item : range) {
        out.text += first ? "\n    " : ",\n    ";
        first = false;
        write(item);
        out.FlushIfFull();
    }
    out.text += first ? "]" : "\n  ]";
}

void AppendNode(std::string& out, const Node& node) {
    out += "{\"name\": ";
    AppendString(out, skptext::ToUtf8(node.GetName()));
    out += ", \"localTransform\": ";
    const float(&m)[4][4] = node.GetLocalTransform().Matrix();
    AppendList(out, std::span<const float>(&m[0][0], 16), [&](float v) { AppendFloat(out, v); });
    out += ", \"surfaceIndices\": ";
    AppendList(out, node.surfaceIndices, [&](int i) { AppendInt(out, i); });
    out += '}';
}

void AppendMaterial(std::string& out, const Material& material) {
    out += "{\"name\": ";
    AppendString(out, skptext::ToUtf8(material.GetName()));
    out += ", \"diffuse\": ";
    AppendColor(out, material.GetDiffuse());
    out += ", \"emissive\": ";
    AppendColor(out, material.GetEmissive());
    out += ", \"opacity\": ";
    AppendFloat(out, material.GetOpacity());
    out += ", \"specularPower\": ";
    AppendFloat(out, material.GetSpecularPower());
    out += ", \"surfaceType\": ";
    AppendInt(out, material.GetSurfaceType());
    out += '}';
}

// The size of a regular file, -1 when there is none.
int64_t FileBytes(const std::u16string& path) {
    if (path.empty()) return -1;
    std::error_code error;
    const std::filesystem::path file = skptext::PathFromUtf16(path);
    if (!std::filesystem::is_regular_file(file, error)) return -1;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    return error ? -1 : static_cast<int64_t>(size);
}

void AppendTexture(std::string& out, const std::u16string& path) {
    out += "{\"path\": ";
    AppendString(out, skptext::ToUtf8(path));
    out += ", \"bytes\": ";
    AppendInt(out, FileBytes(path));
    out += '}';
}

void AppendSurface(std::string& out, const Surface& surface) {
    out += "{\"geometry\": ";
    AppendInt(out, surface.GetGeometryId());
    out += ", \"material\": ";
    AppendInt(out, surface.GetMaterialId());
    out += ", \"maps\": {";
    bool first = true;
    for (const auto& [name, value] : surface.GetMaps()) {
        if (!first) out += ", ";
        first = false;
        AppendString(out, skptext::ToUtf8(name));
        out += ": ";
        AppendInt(out, value);
    }
    out += "}}";
}

void AppendBounds(std::string& out, const std::vector<Vertex>& vertices) {
    if (vertices.empty()) {
        out += "null";
        return;
    }
    float low[3] = {vertices[0].x, vertices[0].y, vertices[0].z};
    float high[3] = {low[0], low[1], low[2]};
    for (const Vertex& v : vertices) {
        const float p[3] = {v.x, v.y, v.z};
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], p[k]);
            high[k] = std::max(high[k], p[k]);
        }
    }
    out += '[';
    AppendList(out, low, [&](float v) { AppendFloat(out, v); });
    out += ", ";
    AppendList(out, high, [&](float v) { AppendFloat(out, v); });
    out += ']';
}

void WriteGeometry(Output& out, const Geometry& geometry, bool geometryData) {
    std::string& text = out.text;
    text += "{\"vertexCount\": ";
    AppendInt(text, static_cast<int64_t>(geometry.vertices.size()));
    text += ", \"indexCount\": ";
    AppendInt(text, static_cast<int64_t>(geometry.indices.size()));
    text += ", \"bounds\": ";
    AppendBounds(text, geometry.vertices);
    if (geometryData) {
        text += ",\n     \"vertices\": [";
        for (size_t i = 0; i < geometry.vertices.size(); ++i) {
            const Vertex& v = geometry.vertices[i];
            const float values[] = {v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v};
            if (i != 0) text += ", ";
            AppendList(text, values, [&](float f) { AppendFloat(text, f); });
            out.FlushIfFull();
        }
        text += "],\n     \"indices\": [";
        for (size_t i = 0; i < geometry.indices.size(); ++i) {
            if (i != 0) text += ", ";
            AppendInt(text, geometry.indices[i]);
            out.FlushIfFull();
        }
        text += ']';
    }
    text += '}';
}

}  // namespace

void WriteSceneJson(std::ostream& stream, const SceneContainer& scene, const SceneJsonInfo& info,
                    bool geometryData) {
    Output out(stream);
    WriteHeader(out.text, scene, info);
    WriteSection(out, "nodes", scene.nodes, [&](const Node& n) { AppendNode(out.text, n); });
    WriteSection(out, "materials", scene.sceneMaterials,
                 [&](const Material& m) { AppendMaterial(out.text, m); });
    WriteSection(out, "textures", scene.textureLibrary,
                 [&](const std::u16string& t) { AppendTexture(out.text, t); });
    WriteSection(out, "surfaces", scene.surfaces,
                 [&](const Surface& s) { AppendSurface(out.text, s); });
    WriteSection(out, "geometries", scene.geometryLibrary,
                 [&](const Geometry& g) { WriteGeometry(out, g, geometryData); });
    out.text += "\n}\n";
    out.Flush();
    stream.flush();
    if (!stream) throw std::ios_base::failure("writing the scene JSON failed");
}

}  // namespace Importing
