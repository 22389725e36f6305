#include "host_load.h"

#include <cxxabi.h>
#include <oneapi/tbb/task_arena.h>
#include <skptext/utf.h>

#include <chrono>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <typeinfo>

namespace skpimport {
namespace {

std::string Demangle(const char* mangled) {
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(mangled);
}

}  // namespace

std::string DescribeCurrentException() {
    try {
        throw;
    } catch (const std::exception& e) {
        return Demangle(typeid(e).name()) + ": " + e.what();
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        return type != nullptr ? Demangle(type->name()) + " (not a std::exception)"
                               : std::string("unknown exception");
    }
}

SKPIMPORT_CALLS_BY_SLOT void ReaderEnd::operator()(HostChannel* reader) const {
    try {
        reader->Release();
    } catch (...) {
        std::cerr << "skpimport: the plug-in's Release raised " << DescribeCurrentException()
                  << '\n';
    }
    delete reader;
}

ReaderPtr AdoptReader(void* created) {
    return ReaderPtr(static_cast<HostChannel*>(created));
}

SKPIMPORT_CALLS_BY_SLOT std::string InitReader(HostChannel& reader) {
    try {
        const int result = reader.Init();
        return result == 0 ? std::string()
                           : "the plug-in's Init failed (result " + std::to_string(result) + ")";
    } catch (...) {
        return "the plug-in's Init raised " + DescribeCurrentException();
    }
}

namespace {

SKPIMPORT_CALLS_BY_SLOT int CallLoadFromFile(HostChannel& reader, Importing::SceneContainer& scene,
                                             const std::u16string& path,
                                             const std::u16string& config, bool flag) {
    return reader.LoadFromFile(scene, path, config, flag);
}

}  // namespace

SKPIMPORT_CALLS_BY_SLOT LoadOutcome RunLoad(HostChannel& reader, Importing::SceneContainer& scene,
                                            const std::u16string& path,
                                            const std::u16string& config, bool flag, int threads) {
    LoadOutcome outcome;
    // The cap is an arena around the load, as a host that shares the runtime would set it; the
    // arena's default is every core.
    tbb::task_arena arena(threads > 0 ? threads : tbb::task_arena::automatic);

    const auto start = std::chrono::steady_clock::now();
    try {
        arena.execute(
            [&] { outcome.result = CallLoadFromFile(reader, scene, path, config, flag); });
    } catch (...) {
        outcome.raised = DescribeCurrentException();
    }
    outcome.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    try {
        outcome.report = skptext::ToUtf8(reader.GetRaport());
    } catch (...) {
        // The load's own failure, if any, is the one worth keeping.
        if (!outcome.raised) outcome.raised = "GetRaport: " + DescribeCurrentException();
    }
    return outcome;
}

}  // namespace skpimport
