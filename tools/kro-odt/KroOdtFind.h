// Finding objects of a model again from their streams, for the find verb: a compact topology
// stream names a cell or a body, or, when its body identifier is a name rather than an
// identifier, is a delegate stream and names a cell or a feature. A JSON text (beginning with
// "{") with a "type" member is a meta stream and names what its inner stream names; one with a
// "topoTags" or "geomReroutes" member is a selection and names cells; one with a "support"
// member is a BRepAccess stream and names a cell or an axis; one with a "geomSubElem" member (or
// another key of the Delegate builder) is a Delegate builder's stream; any other JSON text is a
// GNAOSpec stream and names a feature or a log element.
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
  // Printed before line: one "found cell ..." per object of a selection, line then being
  // "found selection N cells".
  std::vector<std::string> objects;
};

// bodyTag: delegate streams find their body by that tag rather than by their feature name.
KroOdtFindResult KroOdtFindStream(const KroMfPart_var& part, const std::string& stream,
                                  const unsigned int* bodyTag = nullptr);
// The kinds; KroOdtFindStream chooses by the first character and the members.
KroOdtFindResult KroOdtFindTopoStream(const KroMfPart_var& part, const std::string& stream);
KroOdtFindResult KroOdtFindSpecStream(const KroMfPart_var& part, const std::string& stream);
KroOdtFindResult KroOdtFindAccessStream(const KroMfPart_var& part, const std::string& stream);
KroOdtFindResult KroOdtFindMetaStream(const KroMfPart_var& part, const std::string& stream);
KroOdtFindResult KroOdtFindSelectionStream(const KroMfPart_var& part, const std::string& stream);
// Delegate streams and the Delegate builder's streams (KroOdtDelegates.h).
KroOdtFindResult KroOdtFindDelegateStream(const KroMfPart_var& part, const std::string& stream,
                                          const unsigned int* bodyTag);
KroOdtFindResult KroOdtFindDelegateBuilderStream(const KroMfPart_var& part,
                                                 const std::string& stream);

// Whether a text is a JSON object with a "type" member: a meta stream.
bool KroOdtIsMetaStream(const std::string& text);
// Reads a meta stream and writes its inner stream again with the stored format; line is that
// stream (or "lost REASON").
KroOdtFindResult KroOdtRewriteMetaStream(const KroMfPart_var& part, const std::string& stream);

#endif
