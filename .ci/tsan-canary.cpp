// Shows that the ThreadSanitizer stage can be trusted with oneTBB.
//   handoff: a value written by a task on a worker thread and read after task_group::wait() must
//            give no report (an uninstrumented libtbb makes TSan report it);
//   race:    the same value read while the task still runs, with no synchronisation, must be
//            reported.
// The two threads step through phases with relaxed atomics, which order nothing for TSan, so
// both accesses surely happen on different threads. Exit 3: no worker thread took the task.
#include <oneapi/tbb/task_group.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

enum Phase { kSpawned, kWritten, kRead };

bool Await(const std::atomic<int>& phase, int wanted) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (phase.load(std::memory_order_relaxed) != wanted) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::yield();
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bool race = argc > 1 && std::strcmp(argv[1], "race") == 0;
    std::atomic<int> phase{kSpawned};
    int value = 0;
    tbb::task_group tasks;
    tasks.run([&] {
        value = 42;
        phase.store(kWritten, std::memory_order_relaxed);
        if (race) Await(phase, kRead);
    });
    if (!Await(phase, kWritten)) {
        std::puts("tsan-canary: no oneTBB worker thread took the task");
        tasks.wait();
        return 3;
    }
    int seen = 0;
    if (race) {
        seen = value;
        phase.store(kRead, std::memory_order_relaxed);
        tasks.wait();
    } else {
        tasks.wait();
        seen = value;
    }
    std::printf("tsan-canary %s: %d\n", race ? "race" : "handoff", seen);
    return 0;
}
