// Model documents (what the stand-in SketchUp library opens) built the way tests need them: a
// document from its parts, squares, materials, definitions and placements. Lengths are inches,
// axes SketchUp's (z up).
#pragma once

#include <array>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "temp_folder.h"

namespace testsupport {

// A document with the given root entities, definitions, materials and layers (none given: the
// one layer "Layer0").
nlohmann::json Document(nlohmann::json entities,
                        nlohmann::json definitions = nlohmann::json::array(),
                        nlohmann::json materials = nlohmann::json::array(),
                        nlohmann::json layers = nlohmann::json::array());

// A square of side `size` inches in the model's XY plane at height z, front facing up.
nlohmann::json Square(double size = 10, double z = 0);
// `face` with its front painted with the material `front`.
nlohmann::json Painted(nlohmann::json face, const std::string& front);

// A plain material of the colour red, 100, 50 (opaque).
nlohmann::json Material(const std::string& name, int red = 200);
// A material of the colour `rgba` textured with the inline `pixels` (see GreyPixels), the texture
// named `file`.
nlohmann::json TexturedMaterial(const std::string& name, const std::string& file,
                                nlohmann::json pixels,
                                const std::array<int, 4>& rgba = {100, 100, 100, 255});
// Inline pixels of a texture: one row of `width` grey pixels at 24 or 32 bits (`width` a multiple
// of 3 at 32). The load writes a 32-bit image as PNG, or as a bitmap when wider than 256 pixels,
// and a 24-bit one as JPEG.
nlohmann::json GreyPixels(int width, int bitsPerPixel);

// A definition of `kind` "component", "group" or "image" holding `entities`.
nlohmann::json Definition(const std::string& name, const std::string& kind,
                          nlohmann::json entities);
// A 4x4 translation in the API's order (values 12 to 14 are the translation).
nlohmann::json Translation(double x, double y, double z);
nlohmann::json Scaling(double x, double y, double z);

// Writes `document` as the file `name` (UTF-8, may hold subfolders) in `folder`; answers its path.
std::filesystem::path WriteDocument(const TempFolder& folder, const std::string& name,
                                    const nlohmann::json& document);

}  // namespace testsupport
