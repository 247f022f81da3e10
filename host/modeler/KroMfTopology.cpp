// The topology and geometry objects of a part document (bodies, cells, vertices, points,
// curves, surfaces, the geometric factory), the minimum-distance operators and the geometric
// cell search, all on top of the B-rep kernel.
#include <cmath>
#include <vector>

#include "GetCellsOnBodyFromPointByGeomReroute.h"
#include "KroBRepCell.h"
#include "KroBRepModel.h"
#include "KroBRepSolid.h"
#include "KroListPtrKroCell.h"
#include "KroMfPartImpl.h"
#include "KroVyxCreateDistanceMin.h"

KRO_REGISTER_INTERFACE(KroGeoFactory);
KRO_REGISTER_INTERFACE(KroGeometry);
KRO_REGISTER_INTERFACE(KroPoint);
KRO_REGISTER_INTERFACE(KroCurve);
KRO_REGISTER_INTERFACE(KroSurface);
KRO_REGISTER_INTERFACE(KroTopology);
KRO_REGISTER_INTERFACE(KroBody);
KRO_REGISTER_INTERFACE(KroCell);
KRO_REGISTER_INTERFACE(KroVertex);
KRO_REGISTER_INTERFACE(KroSoftwareConfiguration);
KRO_REGISTER_INTERFACE(KroVyxDistanceMin);

namespace {

KroBRepXYZ ToXYZ(const KroMathPoint& p) { return KroBRepXYZ{p.GetX(), p.GetY(), p.GetZ()}; }

KroGeoFactory_var FactoryOf(const KroMfPartObject* object) {
  KroMfPart* part = object->GetPart();
  return part ? part->GetGeoFactory() : KroGeoFactory_var();
}

// The geometric factory of a document.
class KroMfGeoFactory : public KroMfPartObject, public virtual KroGeoFactory {
 public:
  explicit KroMfGeoFactory(KroMfPart* part) : KroMfPartObject(part) {}
  const char* GetLateType() const override { return "KroMfGeoFactory"; }

  KroBaseUnknown_var FindObjectFromTag(unsigned int tag, unsigned int type) const override {
    if (tag == 0 || (type != kBodyType && type != kTopologyType)) return KroBaseUnknown_var();
    KroMfPart::Impl& impl = KroMfPartImplOf(*GetPart());
    auto body = impl.bodiesByTag.find(tag);
    if (body != impl.bodiesByTag.end()) return KroBaseUnknown_var(body->second);
    if (type == kBodyType) return KroBaseUnknown_var();
    return KroBaseUnknown_var(impl.CellObject(impl.model->CellByTag(tag)));
  }
};

// Geometry objects: each holds the kernel cell whose geometry it is.
class KroMfPointGeometry : public KroMfPartObject, public virtual KroPoint {
 public:
  KroMfPointGeometry(KroMfPart* part, const KroBRepCell& vertex, const KroMathPoint& point)
      : KroMfPartObject(part), _Vertex(vertex), _Point(point) {}
  const char* GetLateType() const override { return "KroMfPoint"; }
  KroGeoFactory_var GetGeoFactory() const override { return FactoryOf(this); }
  KroMathPoint GetModelPoint() const override { return _Point; }

 private:
  KroBRepCell _Vertex;
  KroMathPoint _Point;
};

class KroMfCurveGeometry : public KroMfPartObject, public virtual KroCurve {
 public:
  KroMfCurveGeometry(KroMfPart* part, const KroBRepCell& edge)
      : KroMfPartObject(part), _Edge(edge) {}
  const char* GetLateType() const override { return "KroMfCurve"; }
  KroGeoFactory_var GetGeoFactory() const override { return FactoryOf(this); }

  KroResult GetParamRange(KroCrvParam& start, KroCrvParam& end) const override {
    double first = 0.0, last = 0.0;
    if (!_Edge.ParameterRange(first, last).Ok()) return KRO_E_FAIL;
    start.SetParam(first);
    end.SetParam(last);
    return KRO_S_OK;
  }
  KroResult EvalFirstDeriv(const KroCrvParam& param, KroMathVector& derivative) const override {
    KroBRepXYZ d;
    if (!std::isfinite(param.GetParam()) || !_Edge.Tangent(param.GetParam(), d).Ok())
      return KRO_E_FAIL;
    derivative.SetCoord(d.x, d.y, d.z);
    return KRO_S_OK;
  }

  const KroBRepCell& Edge() const { return _Edge; }

 private:
  KroBRepCell _Edge;
};

class KroMfSurfaceGeometry : public KroMfPartObject, public virtual KroSurface {
 public:
  KroMfSurfaceGeometry(KroMfPart* part, const KroBRepCell& face)
      : KroMfPartObject(part), _Face(face) {}
  const char* GetLateType() const override { return "KroMfSurface"; }
  KroGeoFactory_var GetGeoFactory() const override { return FactoryOf(this); }

  KroResult EvalNormal(const KroSurParam& param, KroMathDirection& normal) const override {
    KroBRepXYZ n;
    if (!std::isfinite(param.GetU()) || !std::isfinite(param.GetV()) ||
        !_Face.Normal(param.GetU(), param.GetV(), n).Ok())
      return KRO_E_FAIL;
    normal.SetCoord(n.x, n.y, n.z);
    return KRO_S_OK;
  }

  const KroBRepCell& Face() const { return _Face; }

 private:
  KroBRepCell _Face;
};

// A cell of a document; I is KroCell, or KroVertex for vertices.
template <class I>
class KroMfCellT : public KroMfPartObject, public KroMfCellData, public virtual I {
 public:
  KroMfCellT(KroMfPart* part, KroMfBody* body, const KroBRepCell& cell)
      : KroMfPartObject(part), KroMfCellData(body, cell) {}

  unsigned int GetTag() const override { return _Cell.Tag(); }
  KroGeoFactory_var GetGeoFactory() const override { return FactoryOf(this); }
  short GetDimension() const override { return static_cast<short>(_Cell.Dimension()); }

  KroResult GetPointOnCell(KroMathPoint& point) const override {
    KroBRepXYZ p;
    if (!_Cell.Point(p).Ok()) return KRO_E_FAIL;
    point.SetCoord(p.x, p.y, p.z);
    return KRO_S_OK;
  }

  KroResult GetAllCells(KroListPtrKroCell& cells, short dimension) const override {
    cells.RemoveAll();
    if (dimension < kKroBRepVertex || dimension > kKroBRepVolume) return KRO_E_FAIL;
    const int own = _Cell.Dimension();
    if (dimension == own) {
      cells.Append(const_cast<KroMfCellT*>(this));
      return KRO_S_OK;
    }
    if (dimension > own) return KRO_S_OK;
    KroMfPart::Impl& impl = KroMfPartImplOf(*GetPart());
    for (const KroBRepCell& sub : _Cell.SubCells(dimension)) cells.Append(impl.CellObject(sub));
    return KRO_S_OK;
  }

  KroGeometry_var GetGeometry() const override {
    if (!_GeometryMade) {
      _GeometryMade = true;
      _Geometry = MakeGeometry();
    }
    return KroGeometry_var(_Geometry);
  }

  KroBody_var GetBody() const override { return KroBody_var(_BodyObject); }

 protected:
  KroGeometry* MakeGeometry() const {
    KroMfPart* part = GetPart();
    switch (_Cell.Dimension()) {
      case kKroBRepVertex: {
        KroBRepXYZ p;
        if (!_Cell.Point(p).Ok()) return nullptr;
        return new KroMfPointGeometry(part, _Cell, KroMathPoint(p.x, p.y, p.z));
      }
      case kKroBRepEdge:
        if (!_Cell.HasGeometry() || _Cell.IsDegenerate()) return nullptr;
        return new KroMfCurveGeometry(part, _Cell);
      case kKroBRepFace:
        if (!_Cell.HasGeometry()) return nullptr;
        return new KroMfSurfaceGeometry(part, _Cell);
      default:
        return nullptr;
    }
  }

  mutable bool _GeometryMade = false;
  mutable KroGeometry* _Geometry = nullptr;  // owned by the document
};

class KroMfCell final : public KroMfCellT<KroCell> {
 public:
  using KroMfCellT<KroCell>::KroMfCellT;
  const char* GetLateType() const override { return "KroMfCell"; }
};

class KroMfVertex final : public KroMfCellT<KroVertex> {
 public:
  using KroMfCellT<KroVertex>::KroMfCellT;
  const char* GetLateType() const override { return "KroMfVertex"; }
  KroPoint_var GetPoint() const override { return KroPoint_var(GetGeometry()); }
};

// A minimum-distance operator that has run.
class KroMfDistanceMin : public virtual KroVyxDistanceMin {
 public:
  KroMfDistanceMin(bool onCurve, const KroCrvParam& crv, const KroSurParam& sur, double distance)
      : _OnCurve(onCurve), _Crv(crv), _Sur(sur), _Distance(distance) {}
  const char* GetLateType() const override { return "KroMfDistanceMin"; }
  KroResult GetCrvParam(KroCrvParam& param) const override {
    if (!_OnCurve) return KRO_E_FAIL;
    param = _Crv;
    return KRO_S_OK;
  }
  KroResult GetSurParam(KroSurParam& param) const override {
    if (_OnCurve) return KRO_E_FAIL;
    param = _Sur;
    return KRO_S_OK;
  }
  double GetDistance() const override { return _Distance; }

 private:
  ~KroMfDistanceMin() override = default;
  bool _OnCurve;
  KroCrvParam _Crv;
  KroSurParam _Sur;
  double _Distance;
};

bool IsFinite(const KroMathPoint& p) {
  return std::isfinite(p.GetX()) && std::isfinite(p.GetY()) && std::isfinite(p.GetZ());
}

}  // namespace

// --- Document side -------------------------------------------------------------------------

KroGeoFactory* KroMfMakeGeoFactory(KroMfPart* part) { return new KroMfGeoFactory(part); }

KroCell* KroMfPart::Impl::CellObject(const KroBRepCell& cell) {
  if (cell.IsNull() || !model) return nullptr;
  const KroBRepSolid* solid = cell.Solid();
  if (&solid->Model() != model.get()) return nullptr;
  const unsigned int tag = cell.Tag();
  if (tag >= cellsByTag.size()) cellsByTag.resize(static_cast<size_t>(tag) + 1, nullptr);
  if (cellsByTag[tag]) return cellsByTag[tag];
  KroMfBody* body = BodyOfSolid(solid);
  KroCell* made = nullptr;
  if (cell.Dimension() == kKroBRepVertex)
    made = new KroMfVertex(part, body, cell);
  else
    made = new KroMfCell(part, body, cell);
  cellsByTag[tag] = made;
  return made;
}

KroMfBody* KroMfPart::Impl::BodyOfSolid(const KroBRepSolid* solid) const {
  if (!solid) return nullptr;
  const int index = solid->Index();
  if (index < 0 || index >= static_cast<int>(bodies.size())) return nullptr;
  return bodies[static_cast<size_t>(index)];
}

const KroBRepCell* KroMfCellData::KernelCellOf(const KroBaseUnknown* object) {
  const KroMfCellData* data = dynamic_cast<const KroMfCellData*>(object);
  return data ? &data->_Cell : nullptr;
}

KroGeoFactory_var KroMfBody::GetGeoFactory() const { return FactoryOf(this); }

KroResult KroMfBody::GetAllCells(KroListPtrKroCell& cells, short dimension) const {
  cells.RemoveAll();
  if (dimension < kKroBRepVertex || dimension > kKroBRepVolume) return KRO_E_FAIL;
  KroMfPart::Impl& impl = KroMfPartImplOf(*GetPart());
  const int count = _Solid->CellCount(dimension);
  for (int i = 0; i < count; ++i) cells.Append(impl.CellObject(_Solid->Cell(dimension, i)));
  return KRO_S_OK;
}

int KroMfBody::GetCellCount(short dimension) const { return _Solid->CellCount(dimension); }

KroResult KroMfBody::GetFirstVertexNear(double tolerance, const KroMathPoint& point,
                                        KroCell_var& vertex) const {
  KroBRepCell found;
  if (!_Solid->FirstVertexNear(ToXYZ(point), tolerance, found).Ok()) return KRO_E_FAIL;
  KroCell* cell = GetPart() ? KroMfPartImplOf(*GetPart()).CellObject(found) : nullptr;
  if (!cell) return KRO_E_FAIL;
  cell->AddRef();  // taken over as it is: no view through the interface to look up
  vertex = KroCell_var::Adopt(cell);
  return KRO_S_OK;
}

// --- Distance operators --------------------------------------------------------------------

KroVyxDistanceMin* KroVyxCreateDistanceMin(KroGeoFactory* factory,
                                           KroSoftwareConfiguration* /*config*/,
                                           const KroMathPoint& point, KroCurve* curve,
                                           int /*skill*/) {
  if (!factory || !curve || !IsFinite(point)) return nullptr;
  const KroMfCurveGeometry* geometry = dynamic_cast<const KroMfCurveGeometry*>(curve);
  if (!geometry) return nullptr;
  const KroBRepXYZ p = ToXYZ(point);
  double parameter = 0.0, distance = 0.0;
  if (!geometry->Edge().ProjectOnCurve(p, parameter).Ok()) return nullptr;
  if (!geometry->Edge().DistanceTo(p, distance).Ok()) return nullptr;
  return new KroMfDistanceMin(true, KroCrvParam(parameter), KroSurParam(), distance);
}

KroVyxDistanceMin* KroVyxCreateDistanceMin(KroGeoFactory* factory,
                                           KroSoftwareConfiguration* /*config*/,
                                           const KroMathPoint& point, KroSurface* surface,
                                           int /*flag*/, int /*skill*/) {
  if (!factory || !surface || !IsFinite(point)) return nullptr;
  const KroMfSurfaceGeometry* geometry = dynamic_cast<const KroMfSurfaceGeometry*>(surface);
  if (!geometry) return nullptr;
  const KroBRepXYZ p = ToXYZ(point);
  double u = 0.0, v = 0.0, distance = 0.0;
  if (!geometry->Face().ProjectOnSurface(p, u, v).Ok()) return nullptr;
  if (!geometry->Face().DistanceTo(p, distance).Ok()) return nullptr;
  return new KroMfDistanceMin(false, KroCrvParam(), KroSurParam(u, v), distance);
}

// --- Cell search ---------------------------------------------------------------------------

KroResult GetCellsOnBodyFromPointByGeomReroute(int /*mode*/, double tolerance, short dimension,
                                               int useDirection, KroMathPoint* point,
                                               KroMathDirection* direction, KroBody* body,
                                               KroListPtrKroCell*& cells,
                                               KroRawColldouble*& distances,
                                               KroRawCollint* agreements) {
  cells = nullptr;
  distances = nullptr;
  if (agreements) agreements->RemoveAll();
  if (!point || !body || !IsFinite(*point) || !(tolerance >= 0.0) || dimension < kKroBRepVertex ||
      dimension > kKroBRepVolume)
    return KRO_E_FAIL;
  const KroMfBody* bodyObject = dynamic_cast<const KroMfBody*>(body);
  if (!bodyObject || !bodyObject->GetPart()) return KRO_E_FAIL;

  KroBRepXYZ wanted;
  const KroBRepXYZ* wantedPtr = nullptr;
  if (useDirection != 0 && direction) {
    wanted = KroBRepXYZ{direction->GetX(), direction->GetY(), direction->GetZ()};
    wantedPtr = &wanted;
  }
  std::vector<KroBRepCellHit> hits;
  if (!bodyObject->GetSolid()->Search(dimension, tolerance, ToXYZ(*point), wantedPtr, hits).Ok())
    return KRO_E_FAIL;

  KroMfPart::Impl& impl = KroMfPartImplOf(*bodyObject->GetPart());
  cells = new KroListPtrKroCell;
  distances = new KroRawColldouble;
  for (const KroBRepCellHit& hit : hits) {
    KroCell* cell = impl.CellObject(hit.cell);
    if (!cell) continue;
    cells->Append(cell);
    distances->Append(hit.distance);
    if (agreements) agreements->Append(hit.directionAgrees ? 1 : 0);
  }
  return KRO_S_OK;
}

KroResult GetFirstVertexOnBodyFromPoint(double tolerance, KroMathPoint* point, KroBody* body,
                                        KroCell_var& vertex) {
  if (!point || !body) return KRO_E_FAIL;
  return body->GetFirstVertexNear(tolerance, *point, vertex);
}
