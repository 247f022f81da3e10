// The loop of the verbs that write one stream per cell.
#include "KroOdtCellStreams.h"

#include <cstdio>

#include "KroOdtProgress.h"
#include "KroOdtTraceWords.h"

void KroOdtReportUnwritten(const KroOdtArgs& args, const std::string& what,
                           const KroOdtOutcome& outcome) {
  std::fprintf(stderr, "kro-odt: cannot write %s: %s\n", what.c_str(),
               KroOdtFillPlaceholders(outcome.why, {}).c_str());
  if (args.trace)
    std::fprintf(stderr, "kro-odt: trace: %s\n", KroOdtRawTrace(outcome.chain).c_str());
}

int KroOdtPrintCellStreams(const KroOdtArgs& args, const std::vector<KroOdtCellEntry>& cells,
                           const KroOdtCellStreamWriter& write,
                           const std::function<std::string(const KroOdtCellEntry&)>& what) {
  int unwritten = 0;
  KroOdtProgress progress(KroOdtProgress::Enabled(args), "writing streams", cells.size(), "cells");
  for (size_t i = 0; i < cells.size(); ++i) {
    progress.Update(i);
    std::string stream;
    const KroOdtOutcome outcome = write(cells[i], stream);
    if (outcome.ok) {
      if (!stream.empty()) std::printf("%s\n", stream.c_str());
      continue;
    }
    ++unwritten;
    progress.Interrupt();
    KroOdtReportUnwritten(args, what(cells[i]), outcome);
  }
  progress.Finish();
  return unwritten == 0 ? kKroOdtExitOk : kKroOdtExitFailed;
}
