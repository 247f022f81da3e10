// Stream builder of a BRep access: one cell of a body, reached through the generic-naming object
// that supports it. The stream holds "support", the GNAOSpec stream of that object, and one way
// of naming the cell within it: "topoTag" or "topoId" (its tag), "brpEle" (the element number of
// its BRep object), "gnSelector" (the text of the access's report selector) or "geomReroute" (a
// geometric selector stream, which also tells an axis from its face).
//
// Reading takes the members in text order. "gnSelector" and "geomReroute" find the cell in the
// support, so they must come after "support". A write whose query names one of them stores it
// before the mandatory "support" is filled in: {"geomReroute":"1_Face_...","support":{...}}.
// Stored streams have that order, so it stays, and this builder cannot read such a stream in one
// go: a reader reads its "support" member first (SetODTStream of {"support":...} alone; the
// builder is not reset between reads), then the whole stream.
#ifndef KroMmdBRepAccessODTStreamBuilder_H
#define KroMmdBRepAccessODTStreamBuilder_H

#include "KroIBRepAccess.h"
#include "KroMmdGNAOSpecODTStreamBuilder.h"
#include "KroMmdODTStreamBuilder.h"
#include "KroMmrToposInBody.h"
#include "KroResult.h"
#include "KroTopology.h"
#include "KroUnicodeString.h"

class KroMmdBRepAccessODTStreamBuilder : public KroMmdODTStreamBuilder {
 public:
  KroMmdBRepAccessODTStreamBuilder();
  KroMmdBRepAccessODTStreamBuilder(const KroMmdBRepAccessODTStreamBuilder& other);
  KroMmdBRepAccessODTStreamBuilder& operator=(const KroMmdBRepAccessODTStreamBuilder& other);
  ~KroMmdBRepAccessODTStreamBuilder() override;

  // Takes the access's supporting object, cell and axis flag (kind code 7). A builder without
  // context takes the access as its context. Stages: 100 no access; 200 context; 300 not an
  // access of the host; 400 the support refused the object. Nothing is kept before 400.
  [[nodiscard]] KroResult SetBRepAccess(const KroIBRepAccess_var& access);
  // The access of the cell in the support's body, or, for an axis, the axis of the face in the
  // support (an empty access then is a success). access is emptied first. Stages: 100 the
  // support gives no body; 200 the cell is none of the body.
  [[nodiscard]] KroResult GetBRepAccess(KroIBRepAccess_var& access);
  // Takes the first topological object of the value, if it has one (none keeps the cell as it
  // was), and gives its body to the support. Stages: 100 the objects cannot be listed; 200 no
  // body; 300 the support refused the body (it needs its context).
  [[nodiscard]] KroResult SetToposInBody(const KroMmrToposInBody& topos);
  // The support's body with the cell (also when the cell is empty). Stage 100: no body.
  [[nodiscard]] KroResult GetToposInBody(KroMmrToposInBody& topos);
  // The tag of the cell; 0 and a failure when there is none.
  [[nodiscard]] KroResult GetTopoTag(unsigned int& tag);

  // The support's context and object, copied in or out.
  KroResult SetSupport(const KroMmdGNAOSpecODTStreamBuilder& support);
  KroResult GetSupport(KroMmdGNAOSpecODTStreamBuilder& support);
  KroResult SetTopo(const KroTopology_var& topo);
  KroResult GetTopo(KroTopology_var& topo);
  KroResult SetIsAxis(unsigned char isAxis);
  KroResult GetIsAxis(unsigned char& isAxis);

 private:
  KroResult DeclareInputs() override;
  KroResult SetValueStream(const KroUnicodeString& key, const KroUnicodeString& value) override;
  KroResult GetValueStream(const KroUnicodeString& key, const KroUnicodeString& format,
                           KroUnicodeString& out) override;

  // The support's stream; format is its own output-format query.
  KroResult _SetSupportStream(const KroUnicodeString& value);
  KroResult _GetSupportStream(const KroUnicodeString& format, KroUnicodeString& out);
  KroResult _SetTopoTagStream(const KroUnicodeString& value);
  KroResult _GetTopoTagStream(KroUnicodeString& out);
  KroResult _SetBrpEleStream(const KroUnicodeString& value);
  KroResult _GetBrpEleStream(KroUnicodeString& out);
  KroResult _SetGnSelectorStream(const KroUnicodeString& value);
  KroResult _GetGnSelectorStream(KroUnicodeString& out);
  KroResult _SetGeomRerouteStream(const KroUnicodeString& value);
  KroResult _GetGeomRerouteStream(KroUnicodeString& out);

  KroMmdGNAOSpecODTStreamBuilder _Support;  // its context is this builder's once a stream is read
  KroTopology_var _Topo;
  unsigned char _IsAxis;  // the access is the axis of the face _Topo
};

#endif
