#include "document_input.h"

#include <SketchUpAPI/model/model.h>
#include <skpm/document_error.h>

#include "model_walk.h"

namespace skpfuzz {

DocumentOutcome ReadDocumentInput(std::string_view bytes, const testsupport::TempFolder& folder) {
    const std::string file = folder.Write("input.skpm", bytes);
    DocumentOutcome outcome;
    SUModelRef model = SU_INVALID;
    outcome.open = SUModelCreateFromFile(&model, file.c_str());
    if (outcome.open != SU_ERROR_NONE) {
        outcome.reason = SKPMGetLastOpenError();
        if (!SUIsInvalid(model))
            outcome.violations.push_back("refused, yet a model was handed out");
        if (outcome.reason.empty()) outcome.violations.push_back("refused without a reason");
        return outcome;
    }
    WalkModel(model, outcome);
    if (SUModelRelease(&model) != SU_ERROR_NONE || !SUIsInvalid(model)) {
        outcome.violations.push_back("the model could not be released");
    }
    return outcome;
}

}  // namespace skpfuzz
