// KroBRepEdit: models after one edit, made on the engine's shapes of a saved copy.
#include "KroBRepEdit.h"

#include <unistd.h>

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <Bnd_Box.hxx>
#include <Standard_Failure.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS_Compound.hxx>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gp_Ax2.hxx>
#include <gp_Trsf.hxx>
#include <gp_Vec.hxx>
#include <string>

namespace {

// A fresh empty file in the temporary folder, removed with the object.
class TempFile {
 public:
  TempFile() {
    std::error_code error;
    std::string pattern = std::filesystem::temp_directory_path(error).string();
    if (error || pattern.empty()) pattern = "/tmp";
    pattern += "/kroodt-edit-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd >= 0) {
      close(fd);
      _Path = pattern;
    }
  }
  ~TempFile() {
    if (!_Path.empty()) std::remove(_Path.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& Path() const { return _Path; }

 private:
  std::string _Path;
};

KroBRepStatus Failure(const char* where, KroBRepCode code, const std::string& why) {
  return KroBRepStatus::Failure(code, std::string(where) + ": " + why);
}

// The edit of a shape: the solids of the result added to the compound; false, with the reason
// in status, when it fails.
using ShapeEdit =
    std::function<KroBRepStatus(const TopoDS_Shape&, BRep_Builder&, TopoDS_Compound&)>;

// Steps of every edit: save the model, read its shape back, edit it, write the result and load
// it as a model.
std::shared_ptr<KroBRepModel> Edit(const char* where, const std::shared_ptr<KroBRepModel>& model,
                                   const ShapeEdit& edit, KroBRepStatus* status) {
  std::shared_ptr<KroBRepModel> out;
  KroBRepStatus result;
  TempFile before, after;
  if (!model) {
    result = Failure(where, KroBRepCode::BadArgument, "no model");
  } else if (before.Path().empty() || after.Path().empty()) {
    result = Failure(where, KroBRepCode::Failed, "no temporary file");
  } else if ((result = model->SaveBRep(before.Path())).Ok()) {
    try {
      TopoDS_Shape shape;
      BRep_Builder builder;
      TopoDS_Compound edited;
      builder.MakeCompound(edited);
      if (!BRepTools::Read(shape, before.Path().c_str(), builder) || shape.IsNull()) {
        result = Failure(where, KroBRepCode::Failed, "the saved model cannot be read back");
      } else if ((result = edit(shape, builder, edited)).Ok()) {
        if (!BRepTools::Write(edited, after.Path().c_str())) {
          result = Failure(where, KroBRepCode::Failed, "the edited model cannot be written");
        } else {
          out = KroBRepModel::Load(after.Path(), result);
        }
      }
    } catch (const Standard_Failure& failure) {
      result = Failure(where, KroBRepCode::Failed,
                       std::string("engine failure: ") + failure.DynamicType()->Name());
    }
  }
  if (!result.Ok()) out.reset();
  if (status != nullptr) *status = result;
  return out;
}

}  // namespace

std::shared_ptr<KroBRepModel> KroBRepEdit::ThroughHole(const std::shared_ptr<KroBRepModel>& model,
                                                       double x, double y, double radius,
                                                       KroBRepStatus* status) {
  const char* const kWhere = "KroBRepEdit::ThroughHole";
  if (!(radius > 0.0) || !std::isfinite(radius) || !std::isfinite(x) || !std::isfinite(y)) {
    if (status != nullptr) {
      *status = Failure(kWhere, KroBRepCode::BadArgument,
                        "the hole needs a finite centre and a finite radius above 0");
    }
    return nullptr;
  }
  return Edit(
      kWhere, model,
      [&](const TopoDS_Shape& shape, BRep_Builder& builder, TopoDS_Compound& edited) {
        Bnd_Box box;
        BRepBndLib::Add(shape, box);
        if (box.IsVoid()) return Failure(kWhere, KroBRepCode::Failed, "the model has no extent");
        double xmin, ymin, zmin, xmax, ymax, zmax;
        box.Get(xmin, ymin, zmin, xmax, ymax, zmax);
        // One unit beyond the model's box, so that no face of the tool lies on a face of a
        // solid.
        const TopoDS_Shape tool =
            BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(x, y, zmin - 1.0), gp::DZ()), radius,
                                     zmax - zmin + 2.0)
                .Shape();
        int count = 0;
        for (TopExp_Explorer solid(shape, TopAbs_SOLID); solid.More(); solid.Next()) {
          BRepAlgoAPI_Cut cut(solid.Current(), tool);
          if (!cut.IsDone()) return Failure(kWhere, KroBRepCode::Failed, "the cut failed");
          for (TopExp_Explorer piece(cut.Shape(), TopAbs_SOLID); piece.More(); piece.Next()) {
            builder.Add(edited, piece.Current());
            ++count;
          }
        }
        if (count == 0) return Failure(kWhere, KroBRepCode::Failed, "the cut leaves no solid");
        return KroBRepStatus::Success();
      },
      status);
}

std::shared_ptr<KroBRepModel> KroBRepEdit::Translated(const std::shared_ptr<KroBRepModel>& model,
                                                      const KroBRepXYZ& offset,
                                                      KroBRepStatus* status) {
  const char* const kWhere = "KroBRepEdit::Translated";
  if (!std::isfinite(offset.x) || !std::isfinite(offset.y) || !std::isfinite(offset.z)) {
    if (status != nullptr) {
      *status = Failure(kWhere, KroBRepCode::BadArgument, "the offset is not finite");
    }
    return nullptr;
  }
  return Edit(
      kWhere, model,
      [&](const TopoDS_Shape& shape, BRep_Builder& builder, TopoDS_Compound& edited) {
        gp_Trsf move;
        move.SetTranslation(gp_Vec(offset.x, offset.y, offset.z));
        for (TopExp_Explorer solid(shape, TopAbs_SOLID); solid.More(); solid.Next()) {
          // A copy of the geometry, moved, rather than a location on the same geometry.
          BRepBuilderAPI_Transform moved(solid.Current(), move, true);
          if (!moved.IsDone()) return Failure(kWhere, KroBRepCode::Failed, "the move failed");
          builder.Add(edited, moved.Shape());
        }
        return KroBRepStatus::Success();
      },
      status);
}
