// Finding objects of a model again from their streams, for the find verb: a compact topology
// stream names a cell or a body; a JSON text (beginning with "{") with a "support" member is a
// BRepAccess stream and names a cell or an axis; one with a "geomSubElem" member (or another
// key of the Delegate builder) is a Delegate builder's stream; any other JSON text is a
// GNAOSpec stream and names a feature or a log element. A compact stream whose body identifier
// is a name rather than an identifier is a delegate stream and names a cell or a feature.
#ifndef KroOdtFind_H
#define KroOdtFind_H

#include <string>
#include <vector>

#include "KroMfPart.h"
#include "KroSysTraceRecorder.h"

struct KroOdtFindResult {
  bool found = false;
  // "found cell 2 57 10 0 5", "found axis 57 10 0 5", "found body 1 "Plate"",
  // "found feature #2 "Boss"", "found log ~2~1A Construction.Face.12",
  // "found delegate cell 2 57 10 0 5", "found delegate feature #2 Boss" or "lost <reason>".
  std::string line;
  std::vector<KroSysTraceEntry> chain;  // the library's traces of a lost stream
};

// bodyTag: delegate streams find their body by that tag rather than by their feature name.
KroOdtFindResult KroOdtFindStream(const KroMfPart_var& part, const std::string& stream,
                                  const unsigned int* bodyTag = nullptr);
// The three kinds; KroOdtFindStream chooses by the first character and the "support" member.
KroOdtFindResult KroOdtFindTopoStream(const KroMfPart_var& part, const std::string& stream);
KroOdtFindResult KroOdtFindSpecStream(const KroMfPart_var& part, const std::string& stream);
KroOdtFindResult KroOdtFindAccessStream(const KroMfPart_var& part, const std::string& stream);
// Delegate streams and the Delegate builder's streams (KroOdtDelegates.h).
KroOdtFindResult KroOdtFindDelegateStream(const KroMfPart_var& part, const std::string& stream,
                                          const unsigned int* bodyTag);
KroOdtFindResult KroOdtFindDelegateBuilderStream(const KroMfPart_var& part,
                                                 const std::string& stream);

#endif
