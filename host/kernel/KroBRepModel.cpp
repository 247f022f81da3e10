// KroBRepModel: models read from files or built in code, and their solids.
#include "KroBRepModel.h"

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <TopoDS_Compound.hxx>

#include "KroBRepEngine.h"
#include "KroBRepEngineMessages.h"
#include "KroBRepModelBuilder.h"
#include "KroBRepModelReader.h"
#include "KroBRepParts.h"

namespace {

// Makes a built-in part, turning an engine failure into a status and a null model.
template <class Fn>
std::shared_ptr<KroBRepModel> MakePart(const char* where, KroBRepStatus* status, Fn&& make) {
  KroBRepEngineMessages::Collector messages(where);
  std::shared_ptr<KroBRepModel> out;
  const KroBRepStatus made = KroBRepGuard(where, [&] {
    out = KroBRepModelBuilder::Make(make());
    return KroBRepStatus::Success();
  });
  if (status) *status = made;
  if (!made.Ok()) out.reset();
  return out;
}

KroBRepModelBuilder::Parts OneSolid(const TopoDS_Shape& shape, const char* name) {
  KroBRepModelBuilder::Parts parts;
  parts.shapes.push_back(shape);
  parts.names.push_back(name);
  return parts;
}

}  // namespace

KroBRepModel::KroBRepModel() : _Impl(std::make_unique<Impl>()) {}
KroBRepModel::~KroBRepModel() = default;

std::shared_ptr<KroBRepModel> KroBRepModel::Load(const std::string& path, KroBRepStatus& status) {
  KroBRepModelReader::Result read;
  status = KroBRepModelReader::Read(path, read);
  if (!status.Ok()) return nullptr;
  std::shared_ptr<KroBRepModel> out;
  status = KroBRepGuard("KroBRepModel::Load", [&] {
    KroBRepModelBuilder::Parts parts;
    parts.shapes = std::move(read.solids);
    parts.names = std::move(read.names);
    parts.path = path;
    parts.readingWarnings = std::move(read.warnings);
    out = KroBRepModelBuilder::Make(std::move(parts));
    return KroBRepStatus::Success();
  });
  if (!status.Ok()) out.reset();
  return out;
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakeSamplePart(KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakeSamplePart", status, [] {
    KroBRepModelBuilder::Parts parts;
    KroBRepParts::SamplePart(parts.shapes, parts.features);
    for (const KroBRepFeature& f : parts.features) parts.names.push_back(f.name);
    return parts;
  });
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakeBox(double dx, double dy, double dz,
                                                    KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakeBox", status,
                  [&] { return OneSolid(KroBRepParts::Box(dx, dy, dz), "Box"); });
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakeHoledPlate(int rows, int cols, bool filleted,
                                                           KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakeHoledPlate", status, [&] {
    return OneSolid(KroBRepParts::HoledPlate(rows, cols, filleted), "Plate");
  });
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakeFilletedPlate(KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakeFilletedPlate", status,
                  [] { return OneSolid(KroBRepParts::FilletedPlate(), "Plate"); });
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakePlateVersion(int version, KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakePlateVersion", status,
                  [&] { return OneSolid(KroBRepParts::PlateVersion(version), "Plate"); });
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakeSphere(double radius, KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakeSphere", status,
                  [&] { return OneSolid(KroBRepParts::Sphere(radius), "Sphere"); });
}

std::shared_ptr<KroBRepModel> KroBRepModel::MakeCylinder(double radius, double height,
                                                         KroBRepStatus* status) {
  return MakePart("KroBRepModel::MakeCylinder", status,
                  [&] { return OneSolid(KroBRepParts::Cylinder(radius, height), "Cylinder"); });
}

KroBRepStatus KroBRepModel::SaveBRep(const std::string& path) const {
  KroBRepEngineMessages::Collector messages("KroBRepModel::SaveBRep");
  return KroBRepGuard("KroBRepModel::SaveBRep", [&] {
    TopoDS_Compound compound;
    BRep_Builder builder;
    builder.MakeCompound(compound);
    for (const TopoDS_Shape& shape : KroBRepModelBuilder::Shapes(*this))
      builder.Add(compound, shape);
    if (!BRepTools::Write(compound, path.c_str()))
      return KroBRepStatus::Failure(KroBRepCode::Failed, "cannot write " + path);
    return KroBRepStatus::Success();
  });
}

const std::string& KroBRepModel::SourcePath() const { return _Impl->path; }

const std::vector<std::string>& KroBRepModel::ReadingWarnings() const {
  return _Impl->readingWarnings;
}

int KroBRepModel::SolidCount() const { return static_cast<int>(_Impl->solids.size()); }

const KroBRepSolid* KroBRepModel::Solid(int index) const {
  if (index < 0 || index >= SolidCount()) return nullptr;
  return _Impl->solids[index].get();
}

const KroBRepSolid* KroBRepModel::SolidByTag(std::uint32_t tag) const {
  for (const auto& s : _Impl->solids)
    if (s->Tag() == tag) return s.get();
  return nullptr;
}

const KroBRepSolid* KroBRepModel::SolidByName(const std::string& name) const {
  for (const auto& s : _Impl->solids)
    if (s->Name() == name) return s.get();
  return nullptr;
}

KroBRepCell KroBRepModel::CellByTag(std::uint32_t tag) const {
  for (const auto& s : _Impl->solids) {
    KroBRepCell c = s->CellByTag(tag);
    if (!c.IsNull()) return c;
  }
  return KroBRepCell();
}

const std::vector<KroBRepFeature>& KroBRepModel::Features() const { return _Impl->features; }
