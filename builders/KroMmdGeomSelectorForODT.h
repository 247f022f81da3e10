// Geometric selector stream: one sub-element of the body of a generic-naming object, named by
// geometry alone, such as "1_Face_10_0_5_0_0_1_": a version, a type token, a point on the
// sub-element and the direction there. The body is not in the stream; it is the support's,
// which the caller sets. "1_Axis_..." names the axis of a face of revolution by that face.
// A sibling of the link stream on the same cursor, fields and cell location
// (KroMmdGeomCursorForODT), with its own version 1 and type table; it keeps its support in an
// embedded GNAOSpec builder and its sub-element and axis flag in an embedded BRepAccess builder.
#ifndef KroMmdGeomSelectorForODT_H
#define KroMmdGeomSelectorForODT_H

#include "KroBody.h"
#include "KroIGnAssociatedObject.h"
#include "KroINamingContext.h"
#include "KroMmdBRepAccessODTStreamBuilder.h"
#include "KroMmdGNAOSpecODTStreamBuilder.h"
#include "KroMmdGeomCursorForODT.h"
#include "KroResult.h"
#include "KroTopology.h"
#include "KroUnicodeString.h"

class KroMmdGeomSelectorForODT : public KroMmdGeomCursorForODT {
 public:
  // The geometric type: the index of its token in _TabType, NoGeoType when not set. There is no
  // "Feat"; "Vlme" is 5.
  enum MyGeoType {
    NoGeoType = -1,
    Vrtx = 0,
    Edge = 1,
    Face = 2,
    Wire = 3,  // a volume (cells of dimension 3)
    Axis = 4,  // written for a face whose axis flag is set; read as Face with the flag
    Vlme = 5   // a volume given by two of its faces (two point and direction pairs)
  };

  // Class constants. The two string objects are built when the library is loaded, before the
  // link stream's (debug/KroMmdStartUp.cpp).
  static const KroUnicodeString _sSeparator;  // "_"
  static constexpr int _nbTypes = 6;
  static constexpr int _Version = 1;
  static const KroUnicodeString _TabType[_nbTypes];  // "Vrtx" ... "Vlme", in MyGeoType order

  KroMmdGeomSelectorForODT();
  KroMmdGeomSelectorForODT(const KroMmdGeomSelectorForODT& other);
  KroMmdGeomSelectorForODT& operator=(const KroMmdGeomSelectorForODT& other);
  ~KroMmdGeomSelectorForODT() override;

  // The fields of a selector stream as SetGeomSelectorStreamForODT reads them, without looking
  // anything up.
  static void ScanGeomSelectorForODT(const KroUnicodeString& stream, Fields& fields);

  // Set the naming context first, then the support; then the sub-element and the axis flag
  // before writing, or a stream to read.

  // The context in which streams are read; it becomes the two builders' context too. Stages
  // 100, 200: the support builder, the topology builder refused it.
  [[nodiscard]] KroResult SetNamingContext(const KroINamingContext_var& context);
  // Without a naming context the object becomes the support builder's context (100). Stages
  // 300 the support builder refused the object, 400 the topology builder refused the support.
  [[nodiscard]] KroResult SetSupport(const KroIGnAssociatedObject_var& object);
  [[nodiscard]] KroResult GetSupport(KroIGnAssociatedObject_var& object);
  // The sub-element, a cell; the type becomes its dimension. Without a naming context the cell
  // becomes the topology builder's context (100). Stages 200 not stored, 300 not a cell (it is
  // stored all the same).
  [[nodiscard]] KroResult SetTopo(const KroTopology_var& topo);
  [[nodiscard]] KroResult GetTopo(KroTopology_var& topo);
  KroResult SetIsAxis(unsigned char isAxis);
  KroResult GetIsAxis(unsigned char& isAxis);

  // Writes the stream of the sub-element; a volume is written "Wire", also one read as "Vlme".
  // Stages: 200 no sub-element set (even with the axis flag set); 300 the type; 400 its point
  // and direction.
  [[nodiscard]] KroResult GetGeomSelectorStreamForODT(KroUnicodeString& stream);
  // Reads a stream and finds its sub-element in the support's body. Stages: 100 no naming
  // context; 200 empty stream; 300 no buffer, or a version above 1 (a link stream is refused
  // here); 400 no type token; 410 the axis flag not stored; 500 the support gives no body; 600
  // no sub-element found; 700 not stored. Reading sets neither the support nor the context.
  [[nodiscard]] KroResult SetGeomSelectorStreamForODT(const KroUnicodeString& stream);

 private:
  void ResetStream();
  KroResult WriteVersion();
  unsigned char IsReadableVersion(int& version);
  KroResult WriteGeoType(MyGeoType type);
  KroResult ReadGeoType(MyGeoType& type);
  KroResult WriteSubElem();
  KroResult ReadSubElem(KroBody_var& body, MyGeoType type, KroTopology_var& subElement);

  KroINamingContext_var _NamingContext;
  KroMmdGNAOSpecODTStreamBuilder _Support;
  KroMmdBRepAccessODTStreamBuilder _Topology;
  MyGeoType _GeoType;
  unsigned char _IsAxis;
};

#endif
