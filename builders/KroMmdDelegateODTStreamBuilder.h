// Stream builder of a delegate object. Its inputs lay out two ways of naming a delegate: "Get",
// an existing one by "delegateId", and "Create", one to be made from what it delegates
// ("geomElem" or "geomSubElem") and, optionally, how ("contract"). Only "geomSubElem" is
// read: a nested BRepAccess stream, {"geomSubElem":{"support":{...},"topoTag":"12"}}, taken
// by an embedded BRepAccess builder. Every other key is refused, and the builder writes no
// stream: GetODTStream always fails.
#ifndef KroMmdDelegateODTStreamBuilder_H
#define KroMmdDelegateODTStreamBuilder_H

#include "KroMmdBRepAccessODTStreamBuilder.h"
#include "KroMmdODTStreamBuilder.h"
#include "KroResult.h"
#include "KroUnicodeString.h"

class KroMmdDelegateODTStreamBuilder : public KroMmdODTStreamBuilder {
 public:
  KroMmdDelegateODTStreamBuilder();
  KroMmdDelegateODTStreamBuilder(const KroMmdDelegateODTStreamBuilder& other);
  KroMmdDelegateODTStreamBuilder& operator=(const KroMmdDelegateODTStreamBuilder& other);
  ~KroMmdDelegateODTStreamBuilder() override;

  // The embedded builder of the geometric sub-element, as the last "geomSubElem" read left it;
  // ask it for the BRep access. Always 0.
  KroResult GetGeomSubElem(KroMmdBRepAccessODTStreamBuilder& geomSubElem);

 private:
  KroResult DeclareInputs() override;
  // Stages: 100 "geomElem" (not implemented); 200 "geomSubElem" not read; 300 "contract" (not
  // implemented); 6969 any other key, "delegateId" and the groups included.
  KroResult SetValueStream(const KroUnicodeString& key, const KroUnicodeString& value) override;
  // Not implemented: KRO_E_NOTIMPL for every key, without a trace; out is left as it was.
  KroResult GetValueStream(const KroUnicodeString& key, const KroUnicodeString& format,
                           KroUnicodeString& out) override;

  KroResult _SetGeomElemStream(const KroUnicodeString& value);
  KroResult _SetGeomSubElemStream(const KroUnicodeString& value);
  KroResult _SetContractStream(const KroUnicodeString& value);

  KroMmdBRepAccessODTStreamBuilder _GeomSubElem;  // its context is this builder's once read
};

#endif
