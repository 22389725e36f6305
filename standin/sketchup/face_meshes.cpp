// Tessellates every face of a document once, at read time, on all cores; the mesh helpers later
// only point at the results.
#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

#include "reader_context.h"
#include "refusal.h"

namespace skpm {
namespace {

// Faces handed to a worker at a time: small enough to balance, large enough to keep the shared
// counter cool.
constexpr size_t kBatch = 256;

std::pair<double, double> TextureScales(const Material* material) {
    if (material == nullptr || !material->texture) return {1.0, 1.0};
    return {material->texture->sScale, material->texture->tScale};
}

// Remembers the failure that comes first in document order, whichever worker finds it.
class FirstFailure {
public:
    void Record(size_t index, std::string reason, std::exception_ptr error = nullptr) {
        std::lock_guard lock(mutex_);
        if (index >= index_) return;
        index_ = index;
        reason_ = std::move(reason);
        error_ = error;
        limit_.store(index, std::memory_order_relaxed);
    }
    // Jobs after a recorded failure need not be done.
    bool Pointless(size_t index) const { return index > limit_.load(std::memory_order_relaxed); }
    void Throw(const std::vector<FaceJob>& jobs) const {
        if (error_) std::rethrow_exception(error_);
        if (index_ != kNone) {
            const FaceJob& job = jobs[index_];
            Refuse(Child(Child(*job.entitiesWhere, "faces"), job.index), reason_);
        }
    }

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);
    std::mutex mutex_;
    size_t index_ = kNone;
    std::string reason_;
    std::exception_ptr error_;
    std::atomic<size_t> limit_{kNone};
};

void BuildOne(FaceJob& job, size_t index, FirstFailure& failure) {
    Face& face = *job.face;
    std::string reason;
    if (!TessellateFace(job.outer, job.holes, face.mesh, reason)) {
        failure.Record(index, std::move(reason));
        return;
    }
    // The projection uses each side's own material, whatever fail lists make the API answer.
    auto [frontS, frontT] = TextureScales(face.material);
    auto [backS, backT] = TextureScales(face.back);
    face.frontSTQ =
        job.frontSTQ ? std::move(*job.frontSTQ) : PlanarProjectionSTQ(face.mesh, frontS, frontT);
    face.backSTQ =
        job.backSTQ ? std::move(*job.backSTQ) : PlanarProjectionSTQ(face.mesh, backS, backT);
    job =
        FaceJob{job.face, job.entitiesWhere, job.index, {}, {}, {}, {}};  // the mesh has the loops
}

void Work(std::vector<FaceJob>& jobs, std::atomic<size_t>& next, FirstFailure& failure) {
    for (;;) {
        const size_t begin = next.fetch_add(kBatch, std::memory_order_relaxed);
        if (begin >= jobs.size()) return;
        const size_t end = std::min(jobs.size(), begin + kBatch);
        for (size_t i = begin; i < end && !failure.Pointless(i); ++i) {
            try {
                BuildOne(jobs[i], i, failure);
            } catch (...) {
                failure.Record(i, {}, std::current_exception());
            }
        }
    }
}

}  // namespace

void BuildFaceMeshes(std::vector<FaceJob>& jobs) {
    FirstFailure failure;
    std::atomic<size_t> next{0};
    const size_t batches = (jobs.size() + kBatch - 1) / kBatch;
    const size_t helpers =
        std::min<size_t>(batches, std::max(1u, std::thread::hardware_concurrency())) -
        (batches > 0);
    {
        std::vector<std::jthread> threads;
        for (size_t i = 0; i < helpers; ++i) {
            threads.emplace_back([&] { Work(jobs, next, failure); });
        }
        Work(jobs, next, failure);
    }  // joined here
    failure.Throw(jobs);
}

}  // namespace skpm
