// What became of the cells of one version of a model in another, for the diff verb: every
// cell's topology stream written in the old version and read in the new one. A cell is kept
// when its stream finds a cell whose direction agrees and that no other cell of the new version
// could stand for, ambiguous when another one could (judged as the roundtrip judges it), lost
// when the stream finds nothing or a cell whose direction disagrees. The new version's cells
// that no stream reached are new.
#ifndef KroOdtDiff_H
#define KroOdtDiff_H

#include <string>
#include <vector>

#include "KroOdtModel.h"

class KroOdtProgress;

enum class KroOdtDiffVerdict { kKept, kAmbiguous, kLost };

// Why a cell is not kept.
enum class KroOdtDiffReason {
  kNoCell,      // lost: "no cell within 0.02 of the point"
  kDirection,   // lost: "direction disagrees"
  kBodyGone,    // lost: "body gone"
  kNotWritten,  // lost: "stream not written"
  kNotRead,     // lost: "stream not read" (any other failure of the reader)
  kOtherCell    // ambiguous: "another cell could be meant"
};

// The words of a reason (the JSON "reason"), the tolerance formatted from the library's location
// tolerance.
std::string KroOdtDiffReasonWords(KroOdtDiffReason reason);

// A cell of the new version that a verdict names, and how far it lies from the written point.
struct KroOdtDiffNeighbour {
  bool any = false;  // false: no such cell
  std::string cell;  // KroOdtDescribeCell
  int dimension = 0;
  unsigned int tag = 0;
  double distance = 0.0;
};

// A cell of the old version that was not kept.
struct KroOdtDiffNote {
  KroOdtDiffVerdict verdict = KroOdtDiffVerdict::kLost;
  std::string cell;  // KroOdtDescribeCell, in the old version
  int dimension = 0;
  unsigned int tag = 0;
  std::string stream;  // empty when it could not be written
  KroOdtDiffReason reason = KroOdtDiffReason::kNotRead;
  std::string words;  // the whole reason as the text line gives it, beginning with its words
  // Ambiguous, or lost because the direction disagrees: the cell the stream found.
  KroOdtDiffNeighbour found;
  // Lost: the nearest cell of that dimension in the new version (in the body the stream
  // names; in any body when that body is gone). Ambiguous: the other cell that could be meant.
  KroOdtDiffNeighbour nearest;
};

// A cell of the new version that no stream of the old one found or could have meant.
struct KroOdtDiffNewCell {
  std::string cell;
  int dimension = 0;
  unsigned int tag = 0;
  std::string stream;  // written in the new version; empty when it could not be
};

struct KroOdtDiffTally {
  int cells = 0;  // of the old version
  int kept = 0;
  int ambiguous = 0;
  int lost = 0;
  int added = 0;  // new cells of the new version
};

struct KroOdtDiffResult {
  int dimension = -1;  // the one dimension compared, or -1 for all
  KroOdtDiffTally byDimension[4];
  KroOdtDiffTally total;
  std::vector<KroOdtDiffNote> notes;        // lost and ambiguous cells, in the old cells' order
  std::vector<KroOdtDiffNewCell> newCells;  // in the new cells' order
};

// Compares every cell of oldPart (of one dimension when dimension is 0 to 3) with newPart.
KroOdtDiffResult KroOdtDiffModels(const KroMfPart_var& oldPart, const KroMfPart_var& newPart,
                                  int dimension, KroOdtProgress* progress);

// The text the verb prints: a line per dimension, the total line, then a line per lost or
// ambiguous cell.
std::vector<std::string> KroOdtDiffText(const KroOdtDiffResult& result);
// The result as one JSON object.
std::string KroOdtDiffJson(const KroOdtDiffResult& result, const std::string& oldModel,
                           const std::string& newModel);

#endif
