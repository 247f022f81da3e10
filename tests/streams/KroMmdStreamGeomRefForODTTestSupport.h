// Test helpers for the geometric link streams: a link stream whose hooks follow a script and
// record what they receive, hand-made cells with exactly known geometry, and documents built
// from the kernel's parts.
#ifndef KroMmdStreamGeomRefForODTTestSupport_H
#define KroMmdStreamGeomRefForODTTestSupport_H

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "KroListPtrKroCell.h"
#include "KroMfPart.h"
#include "KroMmdStreamGeomRefForODT.h"
#include "KroSurface.h"
#include "KroSysTraceRecorder.h"
#include "KroVertex.h"

// A link stream whose writing hooks give scripted values and whose reading hooks record what
// they receive. Each hook answers results[its name], 0 unless the test sets it.
class ScriptedGeomLink : public KroMmdStreamGeomRefForODT {
 public:
  using KroMmdStreamGeomRefForODT::ParseGeomLinkForODT;
  using KroMmdStreamGeomRefForODT::StreamGeomLinkForODT;
  explicit ScriptedGeomLink(KroBody_var body = nullptr) : bodyToGive(body) {}

  KroUnicodeString identifier = "#42", specialized = "";  // writing script
  MyGeoType type = Feat;
  KroTopology_var subElement;
  KroBody_var bodyToGive;  // reading script
  std::map<std::string, KroResult> results;
  KroUnicodeString receivedIdentifier, receivedSpecialized;  // what the reading hooks received
  MyGeoType receivedType = NoGeoType;
  KroTopology_var receivedSubElement;
  std::vector<std::string> calls;  // every hook call, in order

  bool Called(const std::string& hook) const {
    return std::find(calls.begin(), calls.end(), hook) != calls.end();
  }

 private:
  template <class T, class U>
  KroResult Hook(const char* name, T& to, const U& from) {
    calls.push_back(name);
    to = from;
    return results[name];
  }
  KroResult GetBodyIdentifier(KroUnicodeString& out) override {
    return Hook("GetBodyIdentifier", out, identifier);
  }
  KroResult ParseBodyIdentifier(const KroUnicodeString& in, KroBody_var& body) override {
    body = bodyToGive;
    return Hook("ParseBodyIdentifier", receivedIdentifier, in);
  }
  KroResult GetMyGeoType(MyGeoType& out) override { return Hook("GetMyGeoType", out, type); }
  KroResult SetMyGeoType(MyGeoType in) override { return Hook("SetMyGeoType", receivedType, in); }
  KroResult GetSubElem(KroTopology_var& out) override {
    return Hook("GetSubElem", out, subElement);
  }
  KroResult SetSubElem(const KroTopology_var& in) override {
    return Hook("SetSubElem", receivedSubElement, in);
  }
  KroResult GetSpecializedStream(KroUnicodeString& out) override {
    return Hook("GetSpecializedStream", out, specialized);
  }
  KroResult SetSpecializedStream(const KroUnicodeString& in) override {
    return Hook("SetSpecializedStream", receivedSpecialized, in);
  }
};

// ---- Hand-made geometry: a surface with a fixed normal and cells at fixed points. ----

class FakeSurface : public virtual KroSurface {
 public:
  explicit FakeSurface(const KroMathDirection& normal) : _Normal(normal) {}
  KroResult EvalNormal(const KroSurParam&, KroMathDirection& normal) const override {
    normal = _Normal;
    return KRO_S_OK;
  }
  KroGeoFactory_var GetGeoFactory() const override { return nullptr; }

 private:
  KroMathDirection _Normal;
};

// A cell of the given dimension at a point (or without one), with the test's geometry.
class FakeCell : public virtual KroCell {
 public:
  FakeCell(short dimension, const KroMathPoint& point, KroGeometry_var geometry, bool hasPoint)
      : _Dimension(dimension), _Point(point), _Geometry(geometry), _HasPoint(hasPoint) {}
  unsigned int GetTag() const override { return 9999; }
  KroGeoFactory_var GetGeoFactory() const override { return nullptr; }
  short GetDimension() const override { return _Dimension; }
  KroResult GetPointOnCell(KroMathPoint& point) const override {
    point = _Point;
    return _HasPoint ? KRO_S_OK : KRO_E_FAIL;
  }
  KroResult GetAllCells(KroListPtrKroCell& cells, short) const override {
    cells.RemoveAll();
    return KRO_S_OK;
  }
  KroGeometry_var GetGeometry() const override { return _Geometry; }
  KroBody_var GetBody() const override { return nullptr; }

 protected:
  short _Dimension;
  KroMathPoint _Point;
  KroGeometry_var _Geometry;
  bool _HasPoint;
};

// Takes over the creation reference of a new host object.
template <class I, class T>
KroVar<I> Own(T* object) {
  KroVar<I> result(static_cast<KroBaseUnknown*>(object));
  object->Release();
  return result;
}

// A vertex without a geometric point.
class FakeVertex : public FakeCell, public virtual KroVertex {
 public:
  FakeVertex() : FakeCell(0, KroMathPoint(), nullptr, false) {}
  KroPoint_var GetPoint() const override { return nullptr; }
};

// A face at point whose normal is normal, everywhere.
inline KroTopology_var MakeFakeFace(const KroMathPoint& point, const KroMathDirection& normal) {
  return Own<KroTopology>(new FakeCell(2, point, Own<KroGeometry>(new FakeSurface(normal)), true));
}

// ---- Documents. ----

// A document of the model; its features as given, when given.
inline KroMfPart_var MakeDocument(const std::shared_ptr<KroBRepModel>& model,
                                  const std::vector<KroMfPart::FeatureDescription>& features = {}) {
  KroMfPart_var part;
  EXPECT_EQ(features.empty() ? KroMfPart::CreateFromModel(model, part)
                             : KroMfPart::CreateFromModel(model, features, part),
            KRO_S_OK);
  return part;
}

// A box from (0, 0, 0) to (20, 10, 10) as feature "#1" of a document that lives for the whole
// run. Its top face lies at z = 10 and is written with the point (6.25, 5, 10).
inline const KroMfPart_var& BoxDocument() {
  static const KroMfPart_var* document =
      new KroMfPart_var(MakeDocument(KroBRepModel::MakeBox(20, 10, 10)));
  return *document;
}

inline KroBody_var BoxBody() { return BoxDocument()->GetBody(1); }

inline KroINamingContext_var ContextOf(const KroMfPart_var& part) {
  return KroINamingContext_var(static_cast<KroBaseUnknown*>(part.get()));
}

inline std::vector<KroCell_var> CellsOf(const KroBody_var& body, short dimension) {
  std::vector<KroCell_var> result;
  KroListPtrKroCell cells;
  body->GetAllCells(cells, dimension);
  for (int index = 1; index <= cells.Size(); ++index)
    result.push_back(KroCell_var(static_cast<KroBaseUnknown*>(cells[index])));
  return result;
}

// The cell of the body of that dimension whose point is at (x, y, z), or an empty reference.
inline KroCell_var CellAt(const KroBody_var& body, short dimension, const KroMathPoint& at) {
  for (const KroCell_var& cell : CellsOf(body, dimension)) {
    KroMathPoint point;
    if (cell->GetPointOnCell(point) == KRO_S_OK && point.DistanceTo(at) < 1e-9) return cell;
  }
  return nullptr;
}

inline KroCell_var BoxTopFace() { return CellAt(BoxBody(), 2, KroMathPoint(6.25, 5, 10)); }
inline KroCell_var BoxOriginVertex() { return CellAt(BoxBody(), 0, KroMathPoint(0, 0, 0)); }

inline KroTopology_var AsTopology(const KroCell_var& cell) { return KroTopology_var(cell); }

// The trace chain as "name:stage" entries, innermost first.
inline std::vector<std::string> Chain(const KroSysTraceRecorder& recorder) {
  std::vector<std::string> chain;
  for (const KroSysTraceEntry& entry : recorder.Entries())
    chain.push_back(entry.name + ":" + std::to_string(entry.stage));
  return chain;
}

#endif
