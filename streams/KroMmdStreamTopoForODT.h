// Compact stream of one topological cell of a body, for host code: "3_3_#1_Face_10_0_5_0_0_1__"
// names the body by the generic-naming identifier of its feature, the cell by its dimension and
// a point and direction on it; the whole body is "3_3_#1_Feat__". Read back within a naming
// context, the stream gives the body and the cell again.
#ifndef KroMmdStreamTopoForODT_H
#define KroMmdStreamTopoForODT_H

#include "KroBody.h"
#include "KroINamingContext.h"
#include "KroMmdStreamGeomRefForODT.h"
#include "KroResult.h"
#include "KroTopology.h"
#include "KroUnicodeString.h"

class KroMmdStreamTopoForODT : public KroMmdStreamGeomRefForODT {
 public:
  KroMmdStreamTopoForODT();
  KroMmdStreamTopoForODT(const KroMmdStreamTopoForODT& other);
  KroMmdStreamTopoForODT& operator=(const KroMmdStreamTopoForODT& other);
  ~KroMmdStreamTopoForODT() override;

  // Writes the stream of the cell within the body; an empty cell writes the whole body
  // ("Feat"). Fails for an empty body, or a body or cell that cannot be named; the output is
  // then left as it was.
  [[nodiscard]] KroResult GetStreamFromTopo(KroBody_var& body, KroTopology_var& cell,
                                            KroUnicodeString& stream);
  // Reads the stream within the naming context (a document) and gives the body and the cell
  // (empty for a "Feat" stream). On failure the body and cell are left as they were.
  [[nodiscard]] KroResult GetTopoFromStream(const KroUnicodeString& stream,
                                            const KroINamingContext_var& context, KroBody_var& body,
                                            KroTopology_var& cell);

 private:
  void _Clear();

  KroResult GetBodyIdentifier(KroUnicodeString& identifier) override;
  KroResult ParseBodyIdentifier(const KroUnicodeString& identifier, KroBody_var& body) override;
  KroResult GetMyGeoType(MyGeoType& type) override;
  KroResult SetMyGeoType(MyGeoType type) override;
  KroResult GetSubElem(KroTopology_var& subElement) override;
  KroResult SetSubElem(const KroTopology_var& subElement) override;
  KroResult GetSpecializedStream(KroUnicodeString& specialized) override;
  KroResult SetSpecializedStream(const KroUnicodeString& specialized) override;

  KroBody_var _Body;                     // body of the cell; empty when none
  KroTopology_var _SubElem;              // the cell; empty for the whole body
  KroINamingContext_var _NamingContext;  // held from the start of a read to the next reset
  MyGeoType _GeoType;                    // NoGeoType when not set
};

#endif
