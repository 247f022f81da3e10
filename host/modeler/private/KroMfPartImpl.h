// Implementation side of a part document, shared by the document's objects: the kernel model,
// the bodies, features, factory and graph, and the cache that gives one cell object per tag.
// Host code outside the document's own sources has no need of it.
#ifndef KroMfPartImpl_H
#define KroMfPartImpl_H

#include <map>
#include <memory>
#include <vector>

#include "KroBRepCell.h"
#include "KroBRepModel.h"
#include "KroBRepSolid.h"
#include "KroBody.h"
#include "KroCell.h"
#include "KroCurve.h"
#include "KroGeoFactory.h"
#include "KroMfPart.h"
#include "KroMfPartObject.h"
#include "KroPoint.h"
#include "KroSurface.h"
#include "KroVertex.h"

class KroBrpGraph;
class KroMfBody;
class KroMfCellData;
class KroMfFeature;
class KroMfLog;

struct KroMfPart::Impl {
  KroMfPart* part = nullptr;
  std::shared_ptr<KroBRepModel> model;
  KroGeoFactory* factory = nullptr;
  KroBrpGraph* graph = nullptr;
  std::vector<KroMfBody*> bodies;  // by solid index
  std::map<unsigned int, KroMfBody*> bodiesByTag;
  std::vector<KroMfFeature*> features;
  std::vector<KroCell*> cellsByTag;  // by tag (tags are dense), made on first request
  // The modeling log, made on first need (KroMfLog::Of).
  KroMfLog* log = nullptr;

  // The document's object of a kernel cell (made on first request), or null for a null cell
  // or a cell of another model.
  KroCell* CellObject(const KroBRepCell& cell);
  KroMfBody* BodyOfSolid(const KroBRepSolid* solid) const;
};

// The implementation data of a document.
KroMfPart::Impl& KroMfPartImplOf(const KroMfPart& part);

// Makes the geometric factory of a document (owned by the document).
KroGeoFactory* KroMfMakeGeoFactory(KroMfPart* part);

// The kernel cell behind a cell object of a document.
class KroMfCellData {
 public:
  KroMfCellData(KroMfBody* body, const KroBRepCell& cell) : _BodyObject(body), _Cell(cell) {}
  virtual ~KroMfCellData() = default;
  const KroBRepCell& GetKernelCell() const { return _Cell; }
  KroMfBody* GetBodyObject() const { return _BodyObject; }

  // The kernel cell of a cell object of a document, or null when it is not one.
  static const KroBRepCell* KernelCellOf(const KroBaseUnknown* object);

 protected:
  KroMfBody* _BodyObject;
  KroBRepCell _Cell;
};

// A body: one solid of the document's kernel model.
class KroMfBody : public KroMfPartObject, public virtual KroBody {
 public:
  KroMfBody(KroMfPart* part, const KroBRepSolid* solid) : KroMfPartObject(part), _Solid(solid) {}
  const char* GetLateType() const override { return "KroMfBody"; }
  unsigned int GetTag() const override { return _Solid->Tag(); }
  KroGeoFactory_var GetGeoFactory() const override;
  KroResult GetAllCells(KroListPtrKroCell& cells, short dimension) const override;
  int GetCellCount(short dimension) const override;
  KroUnicodeString GetName() const override { return KroUnicodeString(_Solid->Name()); }
  // From the solid's index of its vertices.
  KroResult GetFirstVertexNear(double tolerance, const KroMathPoint& point,
                               KroVar<KroCell>& vertex) const override;

  const KroBRepSolid* GetSolid() const { return _Solid; }

 private:
  const KroBRepSolid* _Solid;
};

#endif
