// KroBRepEdit: models after one edit, made on a copy of the engine's shapes of a model.
#include "KroBRepEdit.h"

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepBndLib.hxx>
#include <BRepBuilderAPI_Copy.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRep_Builder.hxx>
#include <Bnd_Box.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS_Compound.hxx>
#include <cmath>
#include <functional>
#include <gp_Ax2.hxx>
#include <gp_Trsf.hxx>
#include <gp_Vec.hxx>
#include <string>
#include <vector>

#include "KroBRepEngine.h"
#include "KroBRepEngineMessages.h"
#include "KroBRepModelBuilder.h"

namespace {

KroBRepStatus Failure(const char* where, KroBRepCode code, const std::string& why) {
  return KroBRepStatus::Failure(code, std::string(where) + ": " + why);
}

// The edit of a shape (a compound of the model's solids): the solids of the result, in order;
// false, with the reason in status, when it fails.
using ShapeEdit = std::function<KroBRepStatus(const TopoDS_Shape&, std::vector<TopoDS_Shape>&)>;

// Steps of every edit: copy the model's solids, geometry included, into one compound (solids
// that share a face or an edge share its copy), edit the copy, and make a model of the result,
// its solids named as a BREP file's.
std::shared_ptr<KroBRepModel> Edit(const char* where, const std::shared_ptr<KroBRepModel>& model,
                                   const ShapeEdit& edit, KroBRepStatus* status) {
  std::shared_ptr<KroBRepModel> out;
  KroBRepStatus result;
  if (!model) {
    result = Failure(where, KroBRepCode::BadArgument, "no model");
  } else {
    KroBRepEngineMessages::Collector messages(where);
    result = KroBRepGuard(where, [&] {
      TopoDS_Compound solids;
      BRep_Builder builder;
      builder.MakeCompound(solids);
      for (const TopoDS_Shape& shape : KroBRepModelBuilder::Shapes(*model))
        builder.Add(solids, shape);
      // The edit works on a copy, so that the engine leaves the model's own shapes as they are.
      BRepBuilderAPI_Copy copy(solids, true);
      KroBRepModelBuilder::Parts parts;
      const KroBRepStatus edited = edit(copy.Shape(), parts.shapes);
      if (!edited.Ok()) return edited;
      for (std::size_t k = 0; k < parts.shapes.size(); ++k)
        parts.names.push_back("Solid." + std::to_string(k + 1));
      out = KroBRepModelBuilder::Make(std::move(parts));
      return KroBRepStatus::Success();
    });
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
      [&](const TopoDS_Shape& shape, std::vector<TopoDS_Shape>& edited) {
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
        for (TopExp_Explorer solid(shape, TopAbs_SOLID); solid.More(); solid.Next()) {
          BRepAlgoAPI_Cut cut(solid.Current(), tool);
          if (!cut.IsDone()) return Failure(kWhere, KroBRepCode::Failed, "the cut failed");
          for (TopExp_Explorer piece(cut.Shape(), TopAbs_SOLID); piece.More(); piece.Next())
            edited.push_back(piece.Current());
        }
        if (edited.empty()) return Failure(kWhere, KroBRepCode::Failed, "the cut leaves no solid");
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
      [&](const TopoDS_Shape& shape, std::vector<TopoDS_Shape>& edited) {
        gp_Trsf move;
        move.SetTranslation(gp_Vec(offset.x, offset.y, offset.z));
        for (TopExp_Explorer solid(shape, TopAbs_SOLID); solid.More(); solid.Next()) {
          // A copy of the geometry, moved, rather than a location on the same geometry.
          BRepBuilderAPI_Transform moved(solid.Current(), move, true);
          if (!moved.IsDone()) return Failure(kWhere, KroBRepCode::Failed, "the move failed");
          edited.push_back(moved.Shape());
        }
        return KroBRepStatus::Success();
      },
      status);
}
