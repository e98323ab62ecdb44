#pragma once
// The one shape of both command-line programs: words in, streams passed in,
// exit status out. Each program says how it reads its words and what a run
// does; this does the rest the same way for both: --help and --version, a
// usage error (status 2, a short usage on standard error), and the results on
// standard output, where a failure to write them is a failure (status 1).

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app_identity.h"
#include "cli/option_words.h"
#include "result.h"

namespace stakora::cli {

// What every program's arguments carry besides its own.
struct CommonArgs {
  bool help = false;
  bool version = false;
  bool json = false;
};

// A run's results for standard output, and its exit status once they are written.
struct Outcome {
  std::string results;
  int status = 0;
};

struct Command {
  const char* program;
  const char* usage;
  std::string guide;
};

template <typename Args>
using Parser = std::function<Result<Args, UsageError>(const std::vector<std::string>&)>;
template <typename Args>
using Execution = std::function<Outcome(const Args&, std::ostream& err)>;

// The setter of an option row for a flag both programs take, for an Args
// with a `common` member: --json, --help, --version.
template <typename Args, bool CommonArgs::*flag>
std::optional<UsageError> SetCommonFlag(Args& args, const std::string&) {
  args.common.*flag = true;
  return std::nullopt;
}

// Writes and flushes; on a write error says so on err and returns 1, else 0.
int WriteResults(std::ostream& out, const std::string& text, std::ostream& err,
                 const char* program);

// Args has a `common` member of CommonArgs.
template <typename Args>
int RunCommand(const Command& c, const std::vector<std::string>& words, std::ostream& out,
               std::ostream& err, const Parser<Args>& parse, const Execution<Args>& execute) {
  const auto parsed = parse(words);
  if (!parsed) {
    err << c.program << ": " << parsed.error().text << "\n" << c.usage;
    return 2;
  }
  if (parsed->common.help)
    return WriteResults(out, std::string(c.usage) + "\n" + c.guide, err, c.program);
  if (parsed->common.version)
    return WriteResults(out, std::string(c.program) + " " + kVersionText + "\n", err, c.program);
  const Outcome o = execute(*parsed, err);
  return WriteResults(out, o.results, err, c.program) != 0 ? 1 : o.status;
}

}  // namespace stakora::cli
