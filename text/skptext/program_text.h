// A program's own text with the outside world: its arguments and its standard streams.
#pragma once

#include <string>
#include <vector>

namespace skptext {

// The arguments after the program name, as UTF-8. On Windows they come from the UTF-16 command
// line: the narrow argv there is in the ANSI code page, which cannot name every file.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard input, output and error carry bytes exactly as written: on Windows they leave text
// mode, which would turn "\n" into "\r\n" and end input at a Ctrl-Z byte.
void UseBinaryStandardStreams();

}  // namespace skptext
