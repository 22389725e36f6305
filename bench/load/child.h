// Runs one measurement in a forked child, so that every measurement starts from the same small
// process and the child's peak resident memory (ru_maxrss) is that of the measurement alone. It
// runs a function of this program, which the tests' runner of programs (tests/support/tool_run.h)
// cannot.
#pragma once

#include <functional>
#include <string>

#include "record.h"

namespace bench {

// Runs `measure` in a fresh child and returns the record it made. Throws std::runtime_error when
// the child raised (with its message), exited otherwise than through `measure`'s return or was
// killed by a signal. The parent must not have started threads: only the forking thread lives on
// in the child.
Record RunInChild(const std::function<Record()>& measure);

}  // namespace bench
