#include <Importing/Geometry.h>
#include <oneapi/tbb/parallel_for.h>

#include <cstdint>
#include <limits>
#include <map>
#include <new>
#include <vector>

#include "SkpReader.h"

namespace Importing {

namespace {

// A run of consecutive leaf records of one material: the unit of parallel work while merging,
// so that one big material keeps every worker busy, and every worker faults in its own part of
// the fresh output memory.
struct LeafRun {
    const SkpMaterialInfo* record;
    const LeafList* leaves;
    std::size_t begin, end;
    int64_t vertices = 0, indices = 0;          // totals of the run
    int64_t vertexOffset = 0, indexOffset = 0;  // where the run starts in its geometry
};

constexpr std::size_t kLeavesPerRun = 4096;

// The runs of one material record come out consecutive, also when several keys fall back to the
// same record (the default one).
std::vector<LeafRun> SplitIntoRuns(const MaterialLeafMap& materialLeaves,
                                   const SkpMaterialTable& materials) {
    std::map<const SkpMaterialInfo*, std::vector<const LeafList*>> byRecord;
    for (const auto& [key, leaves] : materialLeaves) {
        byRecord[materials.FindMaterial(SUMaterialRef{key})].push_back(&leaves);
    }
    std::vector<LeafRun> runs;
    for (const auto& [record, lists] : byRecord) {
        for (const LeafList* leaves : lists) {
            for (std::size_t begin = 0; begin < leaves->size(); begin += kLeavesPerRun) {
                const std::size_t end = std::min(leaves->size(), begin + kLeavesPerRun);
                runs.push_back(LeafRun{record, leaves, begin, end});
            }
        }
    }
    return runs;
}

void CountRun(LeafRun& run) {
    for (std::size_t i = run.begin; i != run.end; ++i) {
        const SkpFaceInfo& face = *(*run.leaves)[i].faceInfo;
        run.vertices += face.numVertices;
        run.indices += face.numIndices;
    }
}

// Lays the runs of each material record out one after another and returns, per record, the
// first run and the exact totals its geometry is sized to. The runs of one record are consecutive.
struct GeometrySize {
    Geometry* geometry;
    int64_t vertices, indices;
};

std::vector<GeometrySize> LayOutRuns(std::vector<LeafRun>& runs) {
    constexpr int64_t kLimit = std::numeric_limits<int32_t>::max();
    std::vector<GeometrySize> sizes;
    for (std::size_t first = 0; first < runs.size();) {
        std::size_t last = first;
        int64_t vertices = 0, indices = 0;
        for (; last < runs.size() && runs[last].record == runs[first].record; ++last) {
            runs[last].vertexOffset = vertices;
            runs[last].indexOffset = indices;
            vertices += runs[last].vertices;
            indices += runs[last].indices;
        }
        // One geometry holds at most 2^31 - 1 vertices and indices: its offsets are 32-bit.
        if (vertices > kLimit || indices > kLimit) throw std::bad_alloc();
        Geometry* geometry = runs[first].record->geometry;
        if (vertices != 0 && geometry != nullptr) sizes.push_back({geometry, vertices, indices});
        first = last;
    }
    return sizes;
}

}  // namespace

// Every geometry is sized once to the exact totals of its leaf records, then filled by runs of
// leaf records in parallel, each run at offsets counted beforehand.
void SkpReader::MergeGeometries() {
    std::vector<LeafRun> runs = SplitIntoRuns(materialLeaves, materials);
    tbb::parallel_for(std::size_t(0), runs.size(), [&](std::size_t r) { CountRun(runs[r]); });
    // Sizing writes every new element once: the geometries are sized in parallel, so the fresh
    // memory is faulted in by every worker.
    const std::vector<GeometrySize> sizes = LayOutRuns(runs);
    tbb::parallel_for(std::size_t(0), sizes.size(), [&](std::size_t g) {
        sizes[g].geometry->vertices.resize(static_cast<std::size_t>(sizes[g].vertices));
        sizes[g].geometry->indices.resize(static_cast<std::size_t>(sizes[g].indices));
    });
    tbb::parallel_for(std::size_t(0), runs.size(), [&](std::size_t r) {
        const LeafRun& run = runs[r];
        Geometry* geometry = run.record->geometry;
        if (geometry == nullptr) return;
        int vertexOffset = static_cast<int>(run.vertexOffset);
        int indexOffset = static_cast<int>(run.indexOffset);
        for (std::size_t i = run.begin; i != run.end; ++i) {
            SkpLeafNode& leaf = const_cast<SkpLeafNode&>((*run.leaves)[i]);
            AddFaceToGeometry(geometry, &leaf, vertexOffset, indexOffset, run.record->sScale,
                              run.record->tScale);
            vertexOffset += leaf.faceInfo->numVertices;
            indexOffset += leaf.faceInfo->numIndices;
        }
    });
}

}  // namespace Importing
