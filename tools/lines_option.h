// The --lines and -j options of `zelto validate`, `decode` and `encode`: one input a line from
// FILEs (or standard input), one JSON result a line on stdout in input order, spread over
// threads by the batch engine (batch/line_pipeline.h, batch/line_commands.h).
#ifndef ZELTO_TOOLS_LINES_OPTION_H_
#define ZELTO_TOOLS_LINES_OPTION_H_

#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "batch/line_pipeline.h"

namespace zelto::tool {

struct LinesOptions {
  bool lines = false;
  unsigned jobs = 0;  // 0: the processor's cores
  CLI::Option* flag = nullptr;
};

// Adds --lines and -j to `command`; `what` names one line's input ("a payload").
std::shared_ptr<LinesOptions> addLinesOptions(CLI::App& command, const std::string& what);

// Runs the work `make(file)` returns over the lines of each source in turn ("-" or none:
// standard input); `file` is the source's name when there are several, else "". Returns 0, 1
// when any line failed, or 2 (with the reason on stderr) when a source cannot be read or the
// output cannot be written.
int runLines(const std::vector<std::string>& sources, unsigned jobs,
             const std::function<batch::LineFunction(std::string file)>& make);

}  // namespace zelto::tool

#endif  // ZELTO_TOOLS_LINES_OPTION_H_
