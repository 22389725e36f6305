// What every fuzz target's process shares: one scratch folder, and violations made a finding.
#pragma once

#include <string>
#include <vector>

#include "temp_folder.h"

namespace skpfuzz {

// The process's scratch folder, made on first use and removed at exit.
const testsupport::TempFolder& ProcessFolder();

// Points $TMPDIR at ProcessFolder(), so that the textures a load exports land there.
void ExportTexturesToProcessFolder();

// Empties ProcessFolder() for the next input; then, when there are violations, prints each after
// the target's name and aborts, which libFuzzer reports as a finding with its input.
void FinishInput(const char* target, const std::vector<std::string>& violations);

}  // namespace skpfuzz
