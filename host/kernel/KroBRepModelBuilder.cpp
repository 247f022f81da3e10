// Models from engine shapes: solids, features and the fixed numbering of tags.
#include "KroBRepModelBuilder.h"

#include "KroBRepSolidImpl.h"

std::shared_ptr<KroBRepModel> KroBRepModelBuilder::Make(Parts parts) {
  std::shared_ptr<KroBRepModel> model(new KroBRepModel());
  KroBRepModel::Impl& impl = *model->_Impl;
  impl.path = std::move(parts.path);
  impl.features = std::move(parts.features);
  impl.readingWarnings = std::move(parts.readingWarnings);
  std::uint32_t next = 1;
  for (std::size_t k = 0; k < parts.shapes.size(); ++k) {
    auto solid = std::make_unique<KroBRepSolid::Impl>(model.get(), static_cast<int>(k),
                                                      parts.names[k], parts.shapes[k]);
    solid->tag = next++;
    for (int d : {3, 2, 1, 0}) {
      solid->firstTag[d] = next;
      next += static_cast<std::uint32_t>(solid->cells.Count(d));
    }
    impl.solids.push_back(std::unique_ptr<KroBRepSolid>(new KroBRepSolid(std::move(solid))));
  }
  if (impl.features.empty())
    for (std::size_t k = 0; k < parts.shapes.size(); ++k) {
      KroBRepFeature feature;
      feature.name = parts.names[k];
      feature.solidIndex = static_cast<int>(k);
      impl.features.push_back(feature);
    }
  return model;
}

std::vector<TopoDS_Shape> KroBRepModelBuilder::Shapes(const KroBRepModel& model) {
  std::vector<TopoDS_Shape> shapes;
  for (const auto& solid : model._Impl->solids) shapes.push_back(solid->GetImpl().cells.Solid());
  return shapes;
}
