// Test helpers for the geometric link streams: a link stream whose hooks follow a script and
// record what they receive, hand-made cells with exactly known geometry, a reader of private
// building blocks, and documents built from the kernel's parts.
#ifndef KroMmdStreamGeomRefForODTTestSupport_H
#define KroMmdStreamGeomRefForODTTestSupport_H

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "KroListPtrKroCell.h"
#include "KroMfPart.h"
#include "KroMmdStreamGeomRefForODT.h"
#include "KroPoint.h"
#include "KroSurface.h"
#include "KroSysTraceRecorder.h"
#include "KroVertex.h"

// A link stream whose writing hooks give scripted values and whose reading hooks record what
// they receive. Every hook can be scripted to fail.
class ScriptedGeomLink : public KroMmdStreamGeomRefForODT {
 public:
  using KroMmdStreamGeomRefForODT::ParseGeomLinkForODT;
  using KroMmdStreamGeomRefForODT::StreamGeomLinkForODT;

  // Writing script.
  KroUnicodeString identifier = "#42";
  MyGeoType type = Feat;
  KroTopology_var subElement;
  KroUnicodeString specialized = "";
  KroResult identifierResult = KRO_S_OK;
  KroResult typeResult = KRO_S_OK;
  KroResult subElementResult = KRO_S_OK;
  KroResult specializedResult = KRO_S_OK;

  // Reading script.
  KroBody_var bodyToGive;
  KroResult parseBodyResult = KRO_S_OK;
  KroResult setTypeResult = KRO_S_OK;
  KroResult setSubElementResult = KRO_S_OK;
  KroResult setSpecializedResult = KRO_S_OK;

  // What the reading hooks received, and the order of every hook call.
  KroUnicodeString receivedIdentifier;
  MyGeoType receivedType = NoGeoType;
  KroTopology_var receivedSubElement;
  KroUnicodeString receivedSpecialized;
  std::vector<std::string> calls;

  bool Called(const std::string& hook) const {
    for (const std::string& call : calls)
      if (call == hook) return true;
    return false;
  }

 private:
  KroResult GetBodyIdentifier(KroUnicodeString& out) override {
    calls.push_back("GetBodyIdentifier");
    if (identifierResult == KRO_S_OK) out = identifier;
    return identifierResult;
  }
  KroResult ParseBodyIdentifier(const KroUnicodeString& in, KroBody_var& body) override {
    calls.push_back("ParseBodyIdentifier");
    receivedIdentifier = in;
    body = bodyToGive;
    return parseBodyResult;
  }
  KroResult GetMyGeoType(MyGeoType& out) override {
    calls.push_back("GetMyGeoType");
    if (typeResult == KRO_S_OK) out = type;
    return typeResult;
  }
  KroResult SetMyGeoType(MyGeoType in) override {
    calls.push_back("SetMyGeoType");
    receivedType = in;
    return setTypeResult;
  }
  KroResult GetSubElem(KroTopology_var& out) override {
    calls.push_back("GetSubElem");
    out = subElement;
    return subElementResult;
  }
  KroResult SetSubElem(const KroTopology_var& in) override {
    calls.push_back("SetSubElem");
    receivedSubElement = in;
    return setSubElementResult;
  }
  KroResult GetSpecializedStream(KroUnicodeString& out) override {
    calls.push_back("GetSpecializedStream");
    out = specialized;
    return specializedResult;
  }
  KroResult SetSpecializedStream(const KroUnicodeString& in) override {
    calls.push_back("SetSpecializedStream");
    receivedSpecialized = in;
    return setSpecializedResult;
  }
};

// Reaches the private field readers of the link stream on a text of the test's choosing.
class KroMmdStreamGeomRefForODTTestAccess {
 public:
  // Loads text into the stream's buffer with the cursor at 0, as the reader does.
  static void Load(KroMmdStreamGeomRefForODT& stream, const std::string& text) {
    stream.Clear();
    stream._Text = KroUnicodeString(text);
    stream._BufferLength = static_cast<int>(text.size());
    stream._Buffer = new char[text.size()];
    std::memcpy(stream._Buffer, text.data(), text.size());
  }
  static int Cursor(const KroMmdStreamGeomRefForODT& stream) { return stream._Cursor; }
  static char GetChar(KroMmdStreamGeomRefForODT& stream) { return stream.GetChar(); }
  static KroResult ReadPoint(KroMmdStreamGeomRefForODT& stream, KroMathPoint& point) {
    return stream.ReadPoint(point);
  }
  static KroResult ReadDirection(KroMmdStreamGeomRefForODT& stream, KroMathDirection& direction) {
    return stream.ReadDirection(direction);
  }
  static KroResult ReadSpecName(KroMmdStreamGeomRefForODT& stream, KroUnicodeString& name) {
    return stream.ReadSpecName(name);
  }
  static bool HasBuffer(const KroMmdStreamGeomRefForODT& stream) {
    return stream._Buffer != nullptr;
  }
  static const char* Buffer(const KroMmdStreamGeomRefForODT& stream) { return stream._Buffer; }
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

class FakePoint : public virtual KroPoint {
 public:
  explicit FakePoint(const KroMathPoint& point) : _Point(point) {}
  KroMathPoint GetModelPoint() const override { return _Point; }
  KroGeoFactory_var GetGeoFactory() const override { return nullptr; }

 private:
  KroMathPoint _Point;
};

// A cell of the given dimension at a point. Its geometry is given by the test (or none).
class FakeCell : public virtual KroCell {
 public:
  FakeCell(short dimension, const KroMathPoint& point, KroGeometry_var geometry, bool hasPoint)
      : _Dimension(dimension), _Point(point), _Geometry(geometry), _HasPoint(hasPoint) {}
  unsigned int GetTag() const override { return 9999; }
  KroGeoFactory_var GetGeoFactory() const override { return nullptr; }
  short GetDimension() const override { return _Dimension; }
  KroResult GetPointOnCell(KroMathPoint& point) const override {
    if (!_HasPoint) return KRO_E_FAIL;
    point = _Point;
    return KRO_S_OK;
  }
  KroResult GetAllCells(KroListPtrKroCell& cells, short) const override {
    cells.RemoveAll();
    return KRO_S_OK;
  }
  KroGeometry_var GetGeometry() const override { return _Geometry; }
  KroBody_var GetBody() const override { return nullptr; }

 private:
  short _Dimension;
  KroMathPoint _Point;
  KroGeometry_var _Geometry;
  bool _HasPoint;
};

// A vertex, with or without a geometric point.
class FakeVertex : public FakeCell, public virtual KroVertex {
 public:
  FakeVertex(const KroMathPoint& point, bool hasPoint)
      : FakeCell(0, point, nullptr, hasPoint), _Point(point), _HasPoint(hasPoint) {}
  KroPoint_var GetPoint() const override {
    if (!_HasPoint) return nullptr;
    FakePoint* point = new FakePoint(_Point);
    KroPoint_var result(static_cast<KroBaseUnknown*>(point));
    point->Release();
    return result;
  }

 private:
  KroMathPoint _Point;
  bool _HasPoint;
};

// Takes over the creation reference of a new host object.
template <class I, class T>
KroVar<I> Own(T* object) {
  KroVar<I> result(static_cast<KroBaseUnknown*>(object));
  object->Release();
  return result;
}

// A face at point whose normal is normal, everywhere.
inline KroTopology_var MakeFakeFace(const KroMathPoint& point, const KroMathDirection& normal) {
  KroGeometry_var surface = Own<KroGeometry>(new FakeSurface(normal));
  return Own<KroTopology>(new FakeCell(2, point, surface, true));
}

// ---- Documents. ----

inline KroMfPart_var MakeDocument(const std::shared_ptr<KroBRepModel>& model) {
  KroMfPart_var part;
  KroUnicodeString message;
  EXPECT_EQ(KroMfPart::CreateFromModel(model, part, &message), KRO_S_OK) << message.CastToCharPtr();
  return part;
}

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

inline KroTopology_var AsTopology(const KroCell_var& cell) { return KroTopology_var(cell); }

// The point and direction fields of a written stream, after its type token.
struct SubElementFields {
  KroMathPoint point;
  double direction[3];
};

inline SubElementFields FieldsOf(const KroUnicodeString& stream) {
  std::vector<double> numbers;
  const std::string text = stream.ToStdString();
  // Version "_" length "_" identifier "_" token "_": the numbers start after the token.
  const size_t lengthStart = text.find('_') + 1;
  const size_t identifierStart = text.find('_', lengthStart) + 1;
  const size_t length = std::stoul(text.substr(lengthStart, identifierStart - 1 - lengthStart));
  size_t start = identifierStart + length + 1 + 4 + 1;
  while (numbers.size() < 6) {
    const size_t end = text.find('_', start);
    double number = 0.0;
    KroUnicodeString(text.substr(start, end - start)).ConvertToNum(&number, "%le");
    numbers.push_back(number);
    start = end + 1;
  }
  return {KroMathPoint(numbers[0], numbers[1], numbers[2]), {numbers[3], numbers[4], numbers[5]}};
}

// The trace chain as "name:stage" entries, innermost first.
inline std::vector<std::string> Chain(const KroSysTraceRecorder& recorder) {
  std::vector<std::string> chain;
  for (const KroSysTraceEntry& entry : recorder.Entries())
    chain.push_back(entry.name + ":" + std::to_string(entry.stage));
  return chain;
}

#endif
