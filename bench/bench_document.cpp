// bench_document [--faces N] [--runs R] [--keep PATH]: writes a model document of N faces (default
// 100000) to a temporary file (or to PATH, which is then kept) and times SUModelCreateFromFile on
// it R times (reading, validating and tessellating every face), then SUModelRelease.
//
// The faces mix what real models hold: 70% quads, 20% concave hexagons (L shapes) and 10% quads
// with a square hole, in several planes, half of them with a textured front material; a tenth of
// them sit in a component definition placed twice.
#include <SketchUpAPI/sketchup.h>
#include <skpm/document_error.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void AppendPoint(std::string& out, double x, double y, double z) {
    char text[96];
    std::snprintf(text, sizeof text, "[%.3f,%.3f,%.3f]", x, y, z);
    out += text;
}

// One face in a plane chosen by i: z = const, y = const or x = const.
void AppendFace(std::string& out, size_t i) {
    const double u0 = double(i % 317) * 12, v0 = double(i / 317 % 311) * 12, w = double(i % 13);
    auto point = [&](double u, double v) {
        switch (i % 3) {
            case 0:
                return AppendPoint(out, u0 + u, v0 + v, w);
            case 1:
                return AppendPoint(out, u0 + u, w, v0 + v);
            default:
                return AppendPoint(out, w, u0 + u, v0 + v);
        }
    };
    auto loop = [&](std::initializer_list<std::pair<double, double>> points) {
        out += '[';
        bool first = true;
        for (auto [u, v] : points) {
            if (!first) out += ',';
            first = false;
            point(u, v);
        }
        out += ']';
    };
    out += "{\"outer\":";
    const size_t shape = i % 10;
    if (shape < 7) {
        loop({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    } else if (shape < 9) {
        loop({{0, 0}, {10, 0}, {10, 4}, {4, 4}, {4, 10}, {0, 10}});
    } else {
        loop({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
        out += ",\"holes\":[";
        loop({{3, 3}, {3, 7}, {7, 7}, {7, 3}});
        out += ']';
    }
    if (i % 2 == 0) out += ",\"front\":\"Brick\"";
    out += '}';
}

std::string Document(size_t faces) {
    std::string out =
        "{\"modelDocument\":1,\"version\":[23,1,340],\"layers\":[{\"name\":\"Layer0\"}],"
        "\"materials\":[{\"name\":\"Brick\",\"color\":[200,100,50,255],\"texture\":{\"pixels\":"
        "{\"width\":2,\"height\":1,\"bitsPerPixel\":24,\"data\":\"AAD/AP8A\"},\"sScale\":0.1,"
        "\"tScale\":0.1}}],";
    const size_t inDefinition = faces / 10;
    out += "\"definitions\":[{\"name\":\"Part\",\"kind\":\"component\",\"entities\":{\"faces\":[";
    for (size_t i = 0; i < inDefinition; ++i) {
        if (i) out += ',';
        AppendFace(out, i);
    }
    out +=
        "]}}],\"entities\":{\"instances\":[{\"definition\":\"Part\"},{\"definition\":\"Part\","
        "\"transform\":[1,0,0,0,0,1,0,0,0,0,1,0,5000,0,0,1]}],\"faces\":[";
    for (size_t i = inDefinition; i < faces; ++i) {
        if (i > inDefinition) out += ',';
        AppendFace(out, i);
    }
    out += "]}}";
    return out;
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    size_t faces = 100000;
    int runs = 5;
    const char* keep = nullptr;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--faces") == 0) faces = std::strtoull(argv[i + 1], nullptr, 10);
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--keep") == 0) keep = argv[i + 1];
    }
    const std::filesystem::path path =
        keep ? std::filesystem::path(keep)
             : std::filesystem::temp_directory_path() /
                   ("bench_document_" + std::to_string(::getpid()) + ".skpm");
    {
        const std::string text = Document(faces);
        std::ofstream(path, std::ios::binary) << text;
        std::printf("document: %zu faces, %.1f MiB, %s\n", faces, double(text.size()) / (1 << 20),
                    path.c_str());
    }
    SUInitialize();
    std::vector<double> opens, releases;
    int status = 0;
    for (int r = 0; r < runs && status == 0; ++r) {
        SUModelRef model = SU_INVALID;
        const auto start = Clock::now();
        const SUResult result = SUModelCreateFromFile(&model, path.c_str());
        const auto opened = Clock::now();
        if (result != SU_ERROR_NONE) {
            std::fprintf(stderr, "open failed (%d): %s\n", int(result), SKPMGetLastOpenError());
            status = 1;
            break;
        }
        SUModelRelease(&model);
        opens.push_back(Seconds(opened - start));
        releases.push_back(Seconds(Clock::now() - opened));
    }
    SUTerminate();
    if (keep == nullptr) std::filesystem::remove(path);
    if (status != 0) return status;
    std::sort(opens.begin(), opens.end());
    std::sort(releases.begin(), releases.end());
    std::printf(
        "SUModelCreateFromFile (read + tessellate): min %.3f s, median %.3f s over %d runs\n",
        opens.front(), opens[opens.size() / 2], runs);
    std::printf("SUModelRelease: median %.3f s\n", releases[releases.size() / 2]);
    return 0;
}
