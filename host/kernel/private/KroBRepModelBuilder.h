// Makes models from solids as the engine gives them: one KroBRepSolid per shape, and the tags
// of the solids and their cells, numbered in a fixed walk (solid by solid: the solid, then its
// volume, faces, edges and vertices, each in the order of the engine's map walk), so that the
// same file gives the same tags at every load. Also holds the model's implementation side. An
// implementation header: never installed.
#ifndef KroBRepModelBuilder_H
#define KroBRepModelBuilder_H

#include <TopoDS_Shape.hxx>
#include <memory>
#include <string>
#include <vector>

#include "KroBRepModel.h"

struct KroBRepModel::Impl {
  std::string path;
  std::vector<std::unique_ptr<KroBRepSolid>> solids;
  std::vector<KroBRepFeature> features;
  std::vector<std::string> readingWarnings;
};

class KroBRepModelBuilder {
 public:
  // What a model is made of. Without features, one feature per solid, named as the solid.
  struct Parts {
    std::vector<TopoDS_Shape> shapes;
    std::vector<std::string> names;  // one per shape
    std::vector<KroBRepFeature> features;
    std::string path;  // empty for a built-in part
    std::vector<std::string> readingWarnings;
  };

  static std::shared_ptr<KroBRepModel> Make(Parts parts);

  // The shapes of a model's solids, in order.
  static std::vector<TopoDS_Shape> Shapes(const KroBRepModel& model);
};

#endif
