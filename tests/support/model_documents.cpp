#include "model_documents.h"

#include "test_platform.h"

namespace testsupport {

using nlohmann::json;

json Document(json entities, json definitions, json materials, json layers) {
    if (layers.empty()) layers = json::array({{{"name", "Layer0"}}});
    return {{"modelDocument", 1},     {"version", {21, 0, 339}},    {"layers", layers},
            {"materials", materials}, {"definitions", definitions}, {"entities", entities}};
}

json Square(double size, double z) {
    return {{"outer", {{0, 0, z}, {size, 0, z}, {size, size, z}, {0, size, z}}}};
}

json Painted(json face, const std::string& front) {
    face["front"] = front;
    return face;
}

json Material(const std::string& name, int red) {
    return {{"name", name}, {"color", {red, 100, 50, 255}}};
}

json TexturedMaterial(const std::string& name, const std::string& file, json pixels,
                      const std::array<int, 4>& rgba) {
    return {{"name", name},
            {"color", rgba},
            {"texture", {{"file", file}, {"pixels", std::move(pixels)}}}};
}

json GreyPixels(int width, int bitsPerPixel) {
    // Base64 of three B, G, R, A pixels of grey 128, or of one B, G, R pixel.
    const std::string run = bitsPerPixel == 32 ? "gICA/4CAgP+AgID/" : "gICA";
    const int perRun = bitsPerPixel == 32 ? 3 : 1;
    std::string data;
    for (int i = 0; i < width; i += perRun) data += run;
    return {{"width", width}, {"height", 1}, {"bitsPerPixel", bitsPerPixel}, {"data", data}};
}

json Definition(const std::string& name, const std::string& kind, json entities) {
    return {{"name", name}, {"kind", kind}, {"entities", std::move(entities)}};
}

json Translation(double x, double y, double z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

json Scaling(double x, double y, double z) {
    return {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
}

std::filesystem::path WriteDocument(const TempFolder& folder, const std::string& name,
                                    const json& document) {
    return PathOf(folder.Write(name, document.dump(2)));
}

}  // namespace testsupport
