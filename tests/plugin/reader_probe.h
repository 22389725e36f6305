#pragma once

#include <Importing/SceneContainer.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "SkpReader.h"
#include "temp_folder.h"

namespace Importing::testing {

// A reader whose per-load state the tests may look at.
class ReaderProbe : public SkpReader {
public:
    using SkpReader::AddFaceToGeometry;
    using SkpReader::Clear;
    using SkpReader::defaultLayer;
    using SkpReader::doubleSided;
    using SkpReader::faceInfos;
    using SkpReader::FreeLeafRecords;
    using SkpReader::geometryLimit;
    using SkpReader::GetTransform;
    using SkpReader::InitMaterialsByLayerOption;
    using SkpReader::InitModel;
    using SkpReader::IsHidden;
    using SkpReader::layerInfos;
    using SkpReader::materials;
    using SkpReader::materialsByLayer;
    using SkpReader::model;
    using SkpReader::sceneContainer;
    using SkpReader::TreeAddFace;
    using SkpReader::unitScale;
    using SkpReader::visits;

    // The walk's records of a load (layouts, face plans, visits) are still held.
    bool HoldsWalkRecords() const {
        return !visits.empty() || !facePlans.empty() || !visitLayouts.empty();
    }
};

// Writes `document` as the file `name` (UTF-8, may hold subfolders) in `folder`; answers its path.
std::filesystem::path WriteDocument(const testsupport::TempFolder& folder, const std::string& name,
                                    const nlohmann::json& document);

// UTF-8 text, or a path, as the reader takes it.
std::u16string Wide(const std::string& text);
std::u16string Wide(const std::filesystem::path& path);

// A document with the given root entities, definitions, materials and layers.
nlohmann::json Document(nlohmann::json entities,
                        nlohmann::json definitions = nlohmann::json::array(),
                        nlohmann::json materials = nlohmann::json::array(),
                        nlohmann::json layers = nlohmann::json::array());
// A square of side `size` inches in the model's XY plane at height z, front facing up.
nlohmann::json Square(double size = 10, double z = 0);
// Inline pixels of a texture: one row of `width` grey pixels at 24 or 32 bits (`width` a multiple
// of 3 at 32). The load writes a 32-bit image as PNG, or as a bitmap when wider than 256 pixels,
// and a 24-bit one as JPEG.
nlohmann::json GreyPixels(int width, int bitsPerPixel);
// A 4x4 translation in the API's order (values 12 to 14 are the translation).
nlohmann::json Translation(double x, double y, double z);
nlohmann::json Scaling(double x, double y, double z);

// Every triangle's winding (counter-clockwise is front) agrees with its vertices' normals.
::testing::AssertionResult WindingAgreesWithNormals(const Geometry& geometry);

}  // namespace Importing::testing
