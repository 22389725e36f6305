#pragma once

#include <Importing/SceneContainer.h>

#include <memory>
#include <optional>
#include <string>

#include "reader_probe.h"

namespace Importing::testing {

// Loads a document through the reader's public operations; the result must be a completed load
// that released every SketchUp object it made.
std::unique_ptr<SceneContainer> LoadScene(const testsupport::SystemTempFolder& folder,
                                          const nlohmann::json& document,
                                          const std::string& fileName = "model.skpm");

// The geometry of the surface whose material carries this name; null when there is none.
const Geometry* GeometryOf(const SceneContainer& scene, const std::u16string& materialName);
// The vertex count of that geometry; none when there is no such surface.
std::optional<std::size_t> VerticesOf(const SceneContainer& scene,
                                      const std::u16string& materialName);
std::size_t TotalVertices(const SceneContainer& scene);

}  // namespace Importing::testing
