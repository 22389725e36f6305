#include "print_summary.h"

#include <nlohmann/json.hpp>

namespace skpinfo {
namespace {

const char* TypeName(SUMaterialType type) {
    switch (type) {
        case SUMaterialType_Colored:
            return "color";
        case SUMaterialType_Textured:
            return "textured";
        case SUMaterialType_ColorizedTexture:
            return "colorized";
    }
    return "unknown";
}

std::string ColorText(const SUColor& c) {
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue) +
           "," + std::to_string(c.alpha);
}

void PrintCounts(const char* label, const GeometryCounts& c, std::ostream& out) {
    out << label << c.faces << " faces, " << c.triangles << " triangles, " << c.meshVertices
        << " mesh vertices; " << c.groups << " groups, " << c.instances << " instances, "
        << c.images << " images\n";
}

// "SUMeshHelperCreate, SUFaceGetNormal; would hide mesh vertices 4, triangles 2"
std::string FaultListText(const FaultList& list) {
    std::string text;
    for (const std::string& call : list.calls) text += (text.empty() ? "" : ", ") + call;
    if (list.hides.empty()) return text + "; would hide none of the counts";
    text += "; would hide ";
    bool first = true;
    for (const auto& [count, n] : list.hides) {
        text += (first ? "" : ", ") + count + " " + std::to_string(n);
        first = false;
    }
    return text;
}

nlohmann::json CountsJson(const GeometryCounts& c) {
    return {{"faces", c.faces},   {"triangles", c.triangles}, {"meshVertices", c.meshVertices},
            {"groups", c.groups}, {"instances", c.instances}, {"images", c.images}};
}

}  // namespace

void PrintText(const ModelSummary& s, std::ostream& out) {
    out << "version: ";
    if (s.version) {
        out << (*s.version)[0] << "." << (*s.version)[1] << "." << (*s.version)[2] << "\n";
    } else {
        out << "none\n";
    }
    out << "layers: " << s.layers.size();
    if (s.defaultLayer) out << " (default \"" << *s.defaultLayer << "\")";
    out << "\n";
    for (const LayerInfo& layer : s.layers) {
        out << "  \"" << layer.name << "\"" << (layer.visible ? "" : " hidden");
        if (layer.material) out << " material \"" << *layer.material << "\"";
        out << "\n";
    }
    size_t textures = 0;
    for (const MaterialInfo& m : s.materials) textures += m.texture ? 1 : 0;
    out << "materials: " << s.materials.size() << " (" << textures << " textured)\n";
    for (const MaterialInfo& m : s.materials) {
        out << "  \"" << m.name << "\" type " << TypeName(m.type);
        if (m.color) out << " color " << ColorText(*m.color);
        if (m.texture) {
            out << " texture \"" << m.texture->fileName << "\" " << m.texture->width << "x"
                << m.texture->height << " " << m.texture->bitsPerPixel << " bpp";
        }
        if (m.dictionaries > 0) out << " " << m.dictionaries << " dictionaries";
        out << "\n";
    }
    out << "definitions: " << s.componentDefinitions << " component, " << s.groupDefinitions
        << " group, " << s.imageDefinitions << " image\n";
    PrintCounts("root: ", s.root, out);
    PrintCounts("all definitions and root: ", s.total, out);
    if (!s.faultLists.empty()) {
        out << "fail lists: " << s.faultLists.size()
            << " (left out above: a caller of the library meets their failures)\n";
    }
    for (const FaultList& list : s.faultLists) {
        out << "  " << list.object << ": " << FaultListText(list) << "\n";
    }
    for (const std::string& failure : s.failedCalls) out << "failed call: " << failure << "\n";
}

void PrintJson(const ModelSummary& s, std::ostream& out) {
    nlohmann::json json = CountsJson(s.total);
    json["version"] = s.version ? nlohmann::json(*s.version) : nlohmann::json(nullptr);
    json["defaultLayer"] =
        s.defaultLayer ? nlohmann::json(*s.defaultLayer) : nlohmann::json(nullptr);
    json["layers"] = nlohmann::json::array();
    for (const LayerInfo& layer : s.layers) {
        json["layers"].push_back({{"name", layer.name},
                                  {"visible", layer.visible},
                                  {"material", layer.material ? nlohmann::json(*layer.material)
                                                              : nlohmann::json(nullptr)}});
    }
    json["materials"] = nlohmann::json::array();
    size_t textures = 0;
    for (const MaterialInfo& m : s.materials) {
        nlohmann::json material = {{"name", m.name}, {"type", TypeName(m.type)}};
        material["color"] =
            m.color ? nlohmann::json({m.color->red, m.color->green, m.color->blue, m.color->alpha})
                    : nlohmann::json(nullptr);
        material["texture"] = nullptr;
        if (m.texture) {
            ++textures;
            material["texture"] = {
                {"file", m.texture->fileName}, {"width", m.texture->width},
                {"height", m.texture->height}, {"bitsPerPixel", m.texture->bitsPerPixel},
                {"sScale", m.texture->sScale}, {"tScale", m.texture->tScale}};
        }
        material["dictionaries"] = m.dictionaries;
        json["materials"].push_back(std::move(material));
    }
    json["textures"] = textures;
    json["definitions"] = {{"component", s.componentDefinitions},
                           {"group", s.groupDefinitions},
                           {"image", s.imageDefinitions}};
    json["root"] = CountsJson(s.root);
    json["faultLists"] = nlohmann::json::array();
    for (const FaultList& list : s.faultLists) {
        json["faultLists"].push_back(
            {{"object", list.object}, {"calls", list.calls}, {"hides", list.hides}});
    }
    json["failedCalls"] = s.failedCalls;
    out << json.dump(2) << "\n";
}

}  // namespace skpinfo
