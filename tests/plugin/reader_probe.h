#pragma once

#include <Importing/SceneContainer.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "SkpReader.h"
#include "model_documents.h"
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

// UTF-8 text, or a path, as the reader takes it.
std::u16string Wide(const std::string& text);
std::u16string Wide(const std::filesystem::path& path);

// The model-document builders, by their plain names in the reader's tests.
using testsupport::Definition;
using testsupport::Document;
using testsupport::GreyPixels;
using testsupport::Material;
using testsupport::Painted;
using testsupport::Scaling;
using testsupport::Square;
using testsupport::TexturedMaterial;
using testsupport::Translation;
using testsupport::WriteDocument;

// Every triangle's winding (counter-clockwise is front) agrees with its vertices' normals.
::testing::AssertionResult WindingAgreesWithNormals(const Geometry& geometry);

}  // namespace Importing::testing
