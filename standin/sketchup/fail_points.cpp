#include "fail_points.h"

#include <array>

namespace skpm {
namespace {

struct FailPointInfo {
    std::string_view name;
    uint16_t owners;
    SUResult result;
};

constexpr std::array kFailPoints = {
#define SKPM_FAIL_POINT_INFO(name, owners, result) \
    FailPointInfo{#name, static_cast<uint16_t>(owners), result},
    SKPM_FAIL_POINTS(SKPM_FAIL_POINT_INFO)
#undef SKPM_FAIL_POINT_INFO
};
static_assert(kFailPoints.size() == static_cast<size_t>(FailPoint::kCount));

const FailPointInfo& Info(FailPoint point) {
    return kFailPoints[static_cast<size_t>(point)];
}

}  // namespace

SUResult FailSet::Check(FailPoint point) const {
    return armed_ && Has(point) ? Info(point).result : SU_ERROR_NONE;
}

const char* FailPointName(FailPoint point) {
    return Info(point).name.data();  // made from a string literal
}

std::optional<FailPoint> FindFailPoint(std::string_view functionName) {
    for (size_t i = 0; i < kFailPoints.size(); ++i) {
        if (kFailPoints[i].name == functionName) return static_cast<FailPoint>(i);
    }
    return std::nullopt;
}

bool FailPointAppliesTo(FailPoint point, FailOwner owner) {
    return (Info(point).owners & owner) != 0;
}

}  // namespace skpm
