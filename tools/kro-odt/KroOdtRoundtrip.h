// The roundtrip of kro-odt: every cell's topology stream written and read back in the same
// model, and the honest verdict on what came back. A cell that comes back as another one is
// ambiguous only when the other cell, measured by the kernel, also lies within the tolerance of
// the point as written in the stream and its direction there agrees with the written one: the
// stream then truly cannot tell the two apart. Any other cell is a wrong answer.
#ifndef KroOdtRoundtrip_H
#define KroOdtRoundtrip_H

#include <string>
#include <vector>

#include "KroOdtModel.h"

class KroOdtProgress;

enum class KroOdtVerdict { kSame, kAmbiguous, kLost, kWrong };

const char* KroOdtVerdictWord(KroOdtVerdict verdict);

// The verdict on a cell whose stream was read back as found (the original's body is that of
// the entry): same, ambiguous or wrong; detail says which cell came back and how it lies. The
// fields are those of the compact stream that located the cell (a stream that has none, such as
// a tag, cannot make another cell ambiguous).
KroOdtVerdict KroOdtJudgeReadBack(const KroMfPart_var& part, const KroOdtCellEntry& original,
                                  const KroOdtCompactFields& fields, const KroCell_var& found,
                                  std::string& detail);
// The same for a topology stream.
KroOdtVerdict KroOdtJudgeReadBack(const KroMfPart_var& part, const KroOdtCellEntry& original,
                                  const std::string& stream, const KroCell_var& found,
                                  std::string& detail);

// Whether a stream tells its own cell from another cell of the same dimension that also lies
// within the tolerance of the written point, both measured against the written point and
// direction (KroOdtMeasureCell; the other may belong to another version of the model):
// ambiguous when it cannot (a degenerate own edge, or both directions agreeing with the written
// one, or neither), wrong when the direction tells them apart. detail gets the words of why.
KroOdtVerdict KroOdtJudgeOtherCell(const KroOdtCellGeometry& own, const KroOdtCellGeometry& other,
                                   int dimension, std::string& detail);
// The ways of naming a cell that roundtrip takes: "topo", the compact topology stream, first;
// then the sub-element keys of a BRepAccess stream, "topoTag", "brpEle", "gnSelector" and
// "geomReroute", each written with that key as the query and read back as find reads it; then
// "delegate", the compact stream of the cell's delegate, read back by its feature's name.
const std::vector<std::string>& KroOdtRoundtripVias();

struct KroOdtTally {
  int cells = 0;
  int same = 0;
  int ambiguous = 0;
  int lost = 0;
  int wrong = 0;
  void Add(KroOdtVerdict verdict);
};

// A cell that did not come back as itself.
struct KroOdtRoundtripNote {
  KroOdtVerdict verdict;
  std::string cell;    // KroOdtDescribeCell
  std::string detail;  // the reason of a lost cell, what came back otherwise
  std::string stream;  // empty when it could not be written
};

struct KroOdtRoundtripResult {
  std::string via = "topo";
  KroOdtTally byDimension[4];
  KroOdtTally total;
  double seconds = 0.0;
  std::vector<KroOdtRoundtripNote> notes;  // in cell order
};

// Writes and reads back every cell of the model (of one dimension when dimension is 0 to 3), by
// one of KroOdtRoundtripVias(). A cell whose stream cannot be written counts as lost, with the
// reason.
KroOdtRoundtripResult KroOdtRoundtripModel(const KroMfPart_var& part, int dimension,
                                           KroOdtProgress* progress,
                                           const std::string& via = "topo");

// The table by dimension and the closing "roundtrip: ..." line, as the verb prints them.
std::vector<std::string> KroOdtRoundtripTable(const KroOdtRoundtripResult& result);
// The notes as the verb prints them: every lost and wrong cell, at most maxAmbiguous of the
// ambiguous ones and a line for the rest.
std::vector<std::string> KroOdtRoundtripNotes(const KroOdtRoundtripResult& result,
                                              int maxAmbiguous);
// The result as one JSON object.
std::string KroOdtRoundtripJson(const KroOdtRoundtripResult& result, const std::string& model);

#endif
