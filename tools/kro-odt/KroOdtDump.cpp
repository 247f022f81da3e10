// The dump verb: every cell's BRep access asked for its debugging extension, which writes the
// cell's delegate stream on the host's trace output when MMD_ACTIVATE_DUMPSTREAMTREFLE is on.
// The verb collects what each dump writes there: a dump that succeeds goes to standard output,
// the rest (a host error flushed by a failing dump, say) to standard error with the reason.
#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "KroError.h"
#include "KroIMmrUtilDebug.h"
#include "KroMmdUtilDebugAdapt.h"
#include "KroOdtAccess.h"
#include "KroOdtCli.h"
#include "KroOdtModel.h"
#include "KroOdtProgress.h"
#include "KroOdtTraceWords.h"
#include "KroSysTraceRecorder.h"
#include "KroVyxOutput.h"

namespace {

const char* const kSwitch = "MMD_ACTIVATE_DUMPSTREAMTREFLE";

// Sends the trace output to a text while it lives.
class TraceOutputTo {
 public:
  explicit TraceOutputTo(std::ostream& sink) : _Previous(KroVyxOutput::GetOut().SetSink(&sink)) {}
  ~TraceOutputTo() { KroVyxOutput::GetOut().SetSink(_Previous); }
  TraceOutputTo(const TraceOutputTo&) = delete;
  TraceOutputTo& operator=(const TraceOutputTo&) = delete;

 private:
  std::ostream* _Previous;
};

// Dumps the cell through the debugging extension of its BRep access; written is what the dump
// wrote on the trace output.
KroOdtOutcome DumpCell(const KroMfPart_var& part, const KroOdtCellEntry& entry,
                       const std::string& label, std::string& written) {
  KroOdtOutcome outcome;
  outcome.ok = false;
  const KroIBRepAccess_var access = KroOdtAccessOf(part, entry, false);
  if (!access) {
    outcome.why = "no feature supports it";
    return outcome;
  }
  const KroIMmrUtilDebug_var debug(access);
  if (!debug) {
    outcome.why = "its BRep access has no debugging extension (the library did not register it)";
    return outcome;
  }
  std::ostringstream text;
  KroSysTraceRecorder recorder;
  long rc = 0;
  try {
    TraceOutputTo sink(text);
    rc = debug->DumpStreamTrefle(KroUnicodeString(label));
  } catch (KroError& error) {
    // Passed on by the dump while it handled another: this is the outermost block.
    written = text.str();
    outcome.why = "a host error was raised: " + error.GetMessage().ToStdString();
    Flush(error);
    return outcome;
  }
  written = text.str();
  if (KroFailed(static_cast<KroResult>(rc))) {
    outcome.chain = recorder.Entries();
    outcome.why = KroOdtExplainTrace(outcome.chain);
    return outcome;
  }
  return KroOdtOutcome();
}

}  // namespace

int KroOdtRunDump(KroOdtArgs& args) {
  int dimension = -1;
  if (args.Has("--dim") && (!KroOdtParseDimension(args.Option("--dim"), dimension) ||
                            dimension == kKroOdtFeatDimension)) {
    return KroOdtUsageError("dump takes --dim 0, 1, 2 or 3 (vertex, edge, face, volume), not " +
                            KroOdtQuote(args.Option("--dim")));
  }
  const std::string label = args.Option("--label", "kro-odt");
  const std::string path = args.operands.empty() ? "" : args.operands[0];
  KroMfPart_var part;
  if (const int rc = KroOdtLoadModel(args, path, part)) return rc;

  // Read once for the process, as the dumps read it.
  if (KroMmdUtilDebugAdapt::MMD_ACTIVATE_DUMPSTREAMTREFLE("") == 0) {
    std::fprintf(stderr,
                 "kro-odt: nothing is dumped: set %s to a non-zero number to dump (%s=1 kro-odt "
                 "dump)\n",
                 kSwitch, kSwitch);
  }
  int failed = 0;
  const std::vector<KroOdtCellEntry> cells = KroOdtListCells(part, dimension);
  KroOdtProgress progress(KroOdtProgress::Enabled(args), "dumping streams", cells.size(), "cells");
  for (size_t i = 0; i < cells.size(); ++i) {
    progress.Update(i);
    std::string written;
    const KroOdtOutcome outcome = DumpCell(part, cells[i], label, written);
    if (outcome.ok) {
      std::fwrite(written.data(), 1, written.size(), stdout);
      continue;
    }
    ++failed;
    progress.Interrupt();
    std::fwrite(written.data(), 1, written.size(), stderr);
    std::fprintf(stderr, "kro-odt: cannot dump %s: %s\n", KroOdtDescribeCell(cells[i]).c_str(),
                 KroOdtFillPlaceholders(outcome.why, {}).c_str());
    if (args.trace && !outcome.chain.empty())
      std::fprintf(stderr, "kro-odt: trace: %s\n", KroOdtRawTrace(outcome.chain).c_str());
  }
  progress.Finish();
  return failed == 0 ? kKroOdtExitOk : kKroOdtExitFailed;
}
