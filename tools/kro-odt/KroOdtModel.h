// What the kro-odt verbs that work on a model share: loading the model (a STEP or BREP file, or
// the built-in sample part), its bodies and cells in the order the verbs print them, the
// writing and reading of a cell's topology stream, and the fields of a compact stream as its
// reader sees them, for the reasons of a failure and the honest judgement of a cell read back.
#ifndef KroOdtModel_H
#define KroOdtModel_H

#include <map>
#include <string>
#include <vector>

#include "KroBody.h"
#include "KroCell.h"
#include "KroMathDirection.h"
#include "KroMathPoint.h"
#include "KroMfPart.h"
#include "KroMmdGeomCursorForODT.h"
#include "KroOdtCli.h"
#include "KroSysTraceRecorder.h"

// ---- Models. ----

// True for an operand that is a model rather than a stream: it names an existing file or ends
// in ".step", ".stp" or ".brep" (any case).
bool KroOdtIsModelOperand(const std::string& operand);

// Loads the model at path, or makes the built-in sample part when path is empty. On failure
// prints one line on stderr ("kro-odt: cannot read model "x.step": no such file") and returns
// kKroOdtExitUsage; kKroOdtExitOk otherwise. Shows a progress line while a file loads; with
// --trace, one line on stderr per message the engines reported meanwhile.
int KroOdtLoadModel(const KroOdtArgs& args, const std::string& path, KroMfPart_var& part);

// How a verb names the model in its output: the path, or "built-in sample part".
std::string KroOdtModelLabel(const std::string& path);

// The text form of an object's generic-naming identifier ("#3", "~1~C"), or "" when it has
// none.
std::string KroOdtIdentifierOf(KroBaseUnknown* object);
// The index (from 1) of the body among the model's bodies, 0 when it is none of them.
int KroOdtBodyIndex(const KroMfPart_var& part, const KroBody_var& body);

// ---- Dimensions. ----

// "vertex", "edge", "face", "volume"; "cell" for any other dimension.
const char* KroOdtDimensionWord(int dimension);
const char* KroOdtDimensionPlural(int dimension);

// The value of --dim: 0 to 3 or a dimension word ("face", "faces"), or "feat" (gives
// kKroOdtFeatDimension). False for anything else.
constexpr int kKroOdtFeatDimension = 5;
bool KroOdtParseDimension(const std::string& text, int& dimension);

// ---- Cells. ----

// One cell of a model, as the verbs go through them: body by body, in each body the vertices,
// edges, faces and volumes, each in the body's order.
struct KroOdtCellEntry {
  int bodyIndex = 0;  // from 1
  KroBody_var body;
  KroCell_var cell;
  int dimension = 0;
  int index = 0;  // from 1, among the body's cells of that dimension
  unsigned int tag = 0;
};

// The cells of the model; of one dimension only when dimension is 0 to 3 (any other value:
// every dimension).
std::vector<KroOdtCellEntry> KroOdtListCells(const KroMfPart_var& part, int dimension = -1);

// "edge 12 of body 1 (tag 345)".
std::string KroOdtDescribeCell(const KroOdtCellEntry& entry);

// The result of writing or reading one stream: ok, or why not in words with the raw chain.
struct KroOdtOutcome {
  bool ok = true;
  std::string why;
  std::vector<KroSysTraceEntry> chain;
};

// Writes the topology stream of a cell (an empty cell: the "Feat" stream of the body).
KroOdtOutcome KroOdtWriteTopoStream(const KroBody_var& body, const KroCell_var& cell,
                                    std::string& stream);
// Reads a topology stream in the model; gives the body and the cell (empty for "Feat").
KroOdtOutcome KroOdtReadTopoStream(const KroMfPart_var& part, const std::string& stream,
                                   KroBody_var& body, KroCell_var& cell);

// ---- Fields of a compact stream. ----

// A compact stream as the library's reader reads it, with the position of each field; made by
// the library's own scanners (KroMmdStreamGeomRefForODT::ScanGeomLinkForODT,
// KroMmdGeomSelectorForODT::ScanGeomSelectorForODT).
typedef KroMmdGeomCursorForODT::Fields KroOdtCompactFields;

// The fields of a link (topology) stream.
KroOdtCompactFields KroOdtScanCompactStream(const std::string& text);

// The words that a reason of a failed read may use, filled from the fields of the stream:
// <id>, <token>, <cell>, <point>, <length-at>, <token-at>, <point-at>, <direction-at>,
// <end-at>.
std::map<std::string, std::string> KroOdtStreamPlaceholders(const KroOdtCompactFields& fields);

// "(10, 0, 5)", each number as "%g" writes it.
std::string KroOdtFormatPoint(const KroMathPoint& point);
std::string KroOdtFormatNumber(double value);

// ---- Honest judgement of a cell read back. ----

struct KroOdtCellGeometry {
  bool measured = false;         // false when the kernel could not measure the distance
  double distance = 0.0;         // from the point to the cell
  bool directionAgrees = false;  // always true for vertices and volumes
  bool degenerate = false;       // an edge without a curve, hence without a direction
};

// How the cell lies with respect to a point and direction read from a stream: its exact
// distance to the point, and whether its own direction at the point's projection (a face's
// outward normal, an edge's tangent in either sense) agrees with the direction.
KroOdtCellGeometry KroOdtMeasureCell(const KroMfPart_var& part, const KroCell_var& cell,
                                     const KroMathPoint& point, const KroMathDirection& direction);

#endif
