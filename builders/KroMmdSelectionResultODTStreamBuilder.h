// Stream builder of a selection result: cells of one body, read from a stream such as
// {"support":{"bodyTag":"1"},"topoTags":["12","15"]} and given as a KroMmrToposInBody. The
// support's body is the body of the result; the cells are named by their tags ("topoTags",
// which replaces the list) or by geometric selector streams ("geomReroutes", which adds to it,
// and needs "support" read before). Only "support" can be written: a whole stream never is.
//
// The list holds a counted reference to each cell, so the cells of a selection stay valid after
// their document has been let go everywhere else.
#ifndef KroMmdSelectionResultODTStreamBuilder_H
#define KroMmdSelectionResultODTStreamBuilder_H

#include "KroList.h"
#include "KroMmdGNAOSpecODTStreamBuilder.h"
#include "KroMmdODTStreamBuilder.h"
#include "KroMmrToposInBody.h"
#include "KroResult.h"
#include "KroTopology.h"
#include "KroUnicodeString.h"

class KroMmdSelectionResultODTStreamBuilder : public KroMmdODTStreamBuilder {
 public:
  KroMmdSelectionResultODTStreamBuilder();
  KroMmdSelectionResultODTStreamBuilder(const KroMmdSelectionResultODTStreamBuilder& other);
  KroMmdSelectionResultODTStreamBuilder& operator=(
      const KroMmdSelectionResultODTStreamBuilder& other);
  ~KroMmdSelectionResultODTStreamBuilder() override;

  // Adds the value's topological objects to the list and gives its body to the support. Stages:
  // 100 the objects cannot be listed (nothing added); 200 no body; 300 the support refused the
  // body (it needs its context, which only a read of "support" gives). The objects stay added
  // after 200 and 300.
  [[nodiscard]] KroResult SetToposInBody(const KroMmrToposInBody& topos);
  // The support's body with the listed objects, in order. Stage 100: the support gives no body.
  [[nodiscard]] KroResult GetToposInBody(KroMmrToposInBody& topos);

 private:
  KroResult DeclareInputs() override;
  KroResult SetValueStream(const KroUnicodeString& key, const KroUnicodeString& value) override;
  KroResult GetValueStream(const KroUnicodeString& key, const KroUnicodeString& format,
                           KroUnicodeString& out) override;

  // The support's stream; format is its own output-format query.
  KroResult _SetSupportStream(const KroUnicodeString& value);
  KroResult _GetSupportStream(const KroUnicodeString& format, KroUnicodeString& out);
  // A JSON array of decimal tags. Empties the list first; a failing item keeps the objects of
  // the items before it.
  KroResult _SetToposTagsStream(const KroUnicodeString& value);
  // Not implemented: KRO_E_NOTIMPL, without a trace.
  KroResult _GetToposTagsStream(KroUnicodeString& out);
  // A JSON array of geometric selector streams of the support, added to the list.
  KroResult _SetGeomReroutesStream(const KroUnicodeString& value);

  KroMmdGNAOSpecODTStreamBuilder _Support;  // its context is this builder's once a stream is read
  KroList<KroTopology_var> _Topos;
};

#endif
