// KroBRepEdit: the next version of a model after one edit (a through hole drilled into it, or
// the whole model moved), to compare two versions of a model: which cells of the first a
// stream still finds in the second.
#ifndef KroBRepEdit_H
#define KroBRepEdit_H

#include <memory>

#include "KroBRepModel.h"
#include "KroBRepTypes.h"

// Each edit gives a new model and leaves the given one as it is: the engine works on a copy of
// its solids, geometry included. Like a model read from a BREP file, the new one has no feature
// list and its solids are named "Solid.1", "Solid.2"...; it has no source path. Null, with the
// reason in status, for a null model, a bad argument (BadArgument) or an engine failure.
class KroBRepEdit {
 public:
  // The solids of model, in order, each cut by a cylinder of the radius whose axis is the
  // line through (x, y) along z and which reaches through the whole model. A solid that the
  // cylinder misses comes back unchanged; one that the cut splits gives all its pieces. The
  // radius must be positive; null too when the cut leaves no solid.
  static std::shared_ptr<KroBRepModel> ThroughHole(const std::shared_ptr<KroBRepModel>& model,
                                                   double x, double y, double radius,
                                                   KroBRepStatus* status = nullptr);
  // The solids of model, in order, moved by the offset.
  static std::shared_ptr<KroBRepModel> Translated(const std::shared_ptr<KroBRepModel>& model,
                                                  const KroBRepXYZ& offset,
                                                  KroBRepStatus* status = nullptr);
};

#endif
