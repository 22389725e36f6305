// skpinfo [--json] MODEL: checks a model document and prints what it holds, and what the calls its
// fail lists make fail would hide from a caller of the library.
// Exit status: 0 valid, 1 refused (the reason on stderr), 2 usage error.
#include <SketchUpAPI/sketchup.h>
#include <skpm/document_error.h>
#include <skptext/program_text.h>
#include <su_objects.h>

#include <iostream>
#include <string>
#include <vector>

#include "model_summary.h"
#include "print_summary.h"

namespace {

constexpr const char* kUsage = "usage: skpinfo [--json] MODEL\n";

// A model opened from a file with its fault injection left out, so that everything the document
// holds is counted.
using OpenModel =
    suobjects::Owned<SUModelRef, SKPMModelCreateFromFileWithoutFaults, SUModelRelease>;

}  // namespace

int main(int argc, char** argv) {
    skptext::UseBinaryStandardStreams();
    bool json = false;
    const char* path = nullptr;
    // UTF-8, as the SketchUp C API takes paths.
    const std::vector<std::string> arguments = skptext::Utf8Arguments(argc, argv);
    for (const std::string& argument : arguments) {
        if (argument == "--json") {
            json = true;
        } else if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (argument.size() > 1 && argument[0] == '-' && argument != "--") {
            std::cerr << "skpinfo: unknown option " << argument << "\n" << kUsage;
            return 2;
        } else if (path == nullptr && argument != "--") {
            path = argument.c_str();
        } else if (argument != "--") {
            std::cerr << "skpinfo: one model at a time\n" << kUsage;
            return 2;
        }
    }
    if (path == nullptr) {
        std::cerr << kUsage;
        return 2;
    }
    const suobjects::Library library;
    OpenModel model(path);
    if (model.result() != SU_ERROR_NONE) {
        std::cerr << "skpinfo: " << path << ": " << SKPMGetLastOpenError() << "\n";
        return 1;
    }
    const skpinfo::ModelSummary summary = skpinfo::Summarize(model.get());
    if (json) {
        skpinfo::PrintJson(summary, std::cout);
    } else {
        std::cout << "model: " << path << "\n";
        skpinfo::PrintText(summary, std::cout);
    }
    return 0;
}
