// State shared by the parts of the document reader while one model is being built.
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "json_fields.h"
#include "objects.h"
#include "place.h"

namespace skpm {

// A face read but not yet tessellated; faces are tessellated together once all are read.
struct FaceJob {
    Face* face;
    const std::string* entitiesWhere;  // the JSON pointer of the face's entities object
    size_t index;                      // in its "faces" array
    std::vector<Vec3> outer;
    std::vector<std::vector<Vec3>> holes;
    std::optional<std::vector<Vec3>> frontSTQ, backSTQ;
};

struct ReaderContext {
    Model& model;
    std::filesystem::path folder;  // texture image paths are relative to it
    std::unordered_map<std::string, const Material*> materials;
    std::unordered_map<std::string, const Layer*> layers;
    std::unordered_map<std::string, Definition*> definitions;
    std::vector<FaceJob> faceJobs;
    std::deque<std::string> entitiesWheres;  // what face jobs point at
};

// Each part refuses the document (throws DocumentRefusal) on anything it does not accept.
void ReadMaterials(const Json& node, const Place& where, ReaderContext& context);
void ReadDefinitions(const Json& node, const Place& where, ReaderContext& context);
void ReadEntities(const Json& node, const Place& where, ReaderContext& context, Entities& entities);
// Material reference: absent or null is none.
const Material* FindMaterial(const Json* node, const Place& where, const ReaderContext& context);
// Nothing may contain itself, and no definition may nest deeper than kMaxNesting levels.
inline constexpr size_t kMaxNesting = 64;
void CheckDefinitionGraph(const Model& model);
// Tessellates every face, then sets the STQ of each side.
void BuildFaceMeshes(std::vector<FaceJob>& jobs);

}  // namespace skpm
