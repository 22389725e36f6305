// The two outputs of skpinfo: text for people, one JSON object for scripts.
#pragma once

#include <ostream>

#include "model_summary.h"

namespace skpinfo {

void PrintText(const ModelSummary& summary, std::ostream& out);
void PrintJson(const ModelSummary& summary, std::ostream& out);

}  // namespace skpinfo
