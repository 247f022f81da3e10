// The loop of the verbs that write one stream per cell (cells, access, delegates): each stream on
// standard output, a line each, behind the progress bar, and each stream that cannot be written
// told on standard error, so that every verb says it the same way.
#ifndef KroOdtCellStreams_H
#define KroOdtCellStreams_H

#include <functional>
#include <string>
#include <vector>

#include "KroOdtCli.h"
#include "KroOdtModel.h"

// Tells on standard error that a stream cannot be written: "kro-odt: cannot write <what>: <why>"
// (the placeholders of why filled), and with --trace the raw trace chain on the next line.
void KroOdtReportUnwritten(const KroOdtArgs& args, const std::string& what,
                           const KroOdtOutcome& outcome);

// Writes the stream of a cell: the outcome, and the stream when it is ok. An ok outcome with an
// empty stream means that the cell has no stream of this kind (a face without an axis): nothing
// is printed for it.
using KroOdtCellStreamWriter =
    std::function<KroOdtOutcome(const KroOdtCellEntry& cell, std::string& stream)>;

// Prints the stream of every cell, in order, and reports each one that cannot be written under
// what(cell) ("the stream of face 3 ..."). kKroOdtExitFailed when some stream was not written.
int KroOdtPrintCellStreams(const KroOdtArgs& args, const std::vector<KroOdtCellEntry>& cells,
                           const KroOdtCellStreamWriter& write,
                           const std::function<std::string(const KroOdtCellEntry&)>& what);

#endif
