// A report selector: the text that names a cell through the construction log of the feature
// whose body holds it, the same at every load of the same model and readable by a person. It is
// the kind of the cell, ":" and the path of the cell's log element under its feature, for example
// "Face:Construction.Face.12" or, for the axis of that face, "Axis:Construction.Face.12". The
// feature itself is not in the text: the selector selects within the scope it is given.
// A counted object: GetSelect and KroIBRepAccessPriv::GetReportSelector give it with one
// reference, which the caller releases.
#ifndef KroReportSelect_H
#define KroReportSelect_H

#include <string>
#include <vector>

#include "KroBaseUnknown.h"
#include "KroListValKroBaseUnknown_var.h"
#include "KroString.h"

class KroBrpGraph;
class KroBrpScope;

class KroReportSelect : public KroBaseUnknown {
 public:
  // The kinds of the text: "Vertex", "Edge", "Face", "Volume" by dimension, and "Axis".
  static const char* KindWord(int kindCode);

  // Reads a selector text: a new selector, or null for a text that is no selector (no known
  // kind before the ":", or an empty key in the path).
  static KroReportSelect* GetSelect(const KroString& text);
  // A selector of the kind and log path keys; null when it would not read back (an unknown
  // kind, no key, an empty key or a key holding "." or ":").
  static KroReportSelect* Make(int kindCode, const std::vector<std::string>& keys);

  const char* GetLateType() const override { return "KroReportSelect"; }

  // The text: a new string that the caller deletes.
  KroString* GetText() const;
  // The objects selected within the scope of the graph: the cell of the scope's feature whose
  // log element has the selector's path, when it is of the selector's kind (a face for
  // "Axis"). A new list that the caller deletes; null when nothing is selected (no such
  // element, a scope of another graph, a scope whose object keeps no construction log).
  KroListValKroBaseUnknown_var* SelectObjects(KroBrpScope* scope, KroBrpGraph* graph) const;

 private:
  KroReportSelect(int kindCode, const std::vector<std::string>& keys);
  ~KroReportSelect() override = default;

  int _KindCode;
  std::vector<std::string> _Keys;
};

#endif
