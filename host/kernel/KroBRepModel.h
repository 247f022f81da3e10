// KroBRepModel.h
//
// KroBRepModel: a model (the host's document of B-rep bodies): an ordered list of solids, each
// one body, with a feature list. Models come from
//  - Load: a STEP (.step/.stp) or BREP (.brep) file; solids in file order, named after their
//    STEP product when there is one, else "Solid.1", "Solid.2", ...; a missing file or a file
//    that is not a model fails with a status (no exception);
//  - the built-in parts below (deterministic: the same shapes, names, tags every time).
// Tags: the solids and all their cells get 32-bit tags, unique in the model, assigned in a fixed
// walk (solid by solid: the solid, its volume, faces, edges, vertices), so they are the same at
// every load of the same file.
// SaveBRep writes all solids to a .brep file (names are not kept: they reload as "Solid.N").
// Nothing the geometric engine reports reaches standard output: while a file is read, its
// messages become the model's reading warnings (and go to the trace channel, KroSysBftier.h).
#ifndef KroBRepModel_H
#define KroBRepModel_H

#include "KroBRepCell.h"
#include "KroBRepSolid.h"
#include "KroBRepTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class KroBRepModel {
 public:
  ~KroBRepModel();
  KroBRepModel(const KroBRepModel&) = delete;
  KroBRepModel& operator=(const KroBRepModel&) = delete;

  // Reads a STEP or BREP file (chosen by content, not by extension). Null model on failure,
  // with the reason in status.
  static std::shared_ptr<KroBRepModel> Load(const std::string& path, KroBRepStatus& status);

  // --- Built-in parts (null on an engine failure, reason in status when given) ---

  // A bracket built feature by feature; each feature has its own solid, the part as that
  // feature leaves it, in this order: "Plate" (base plate with rounded corners), "Boss"
  // (cylindrical boss fused on it), "Fillet.1" (round at the boss foot: a toroidal face),
  // "Rib" (a wedge between plate and boss), "Loft" (a square-to-circle knob: B-spline faces),
  // "Hole.1", "Hole.2" (through holes in the plate), "BossHole" (bore through boss and plate).
  // Most features have an alias; all but "Hole.2" have a journaling name, most of them other
  // than their spec name ("Boss" is "Pad.2"). Planar, cylindrical, toroidal
  // and B-spline faces; several hundred cells in all.
  static std::shared_ptr<KroBRepModel> MakeSamplePart(KroBRepStatus* status = nullptr);
  // A box from (0,0,0) to (dx,dy,dz); one solid "Box".
  static std::shared_ptr<KroBRepModel> MakeBox(double dx, double dy, double dz,
                                               KroBRepStatus* status = nullptr);
  // A plate with a rows x cols grid of round through holes: 6 + rows*cols faces (one cylinder
  // per hole). With filleted = true, the 12 outer edges of the plate are also filleted. One
  // solid "Plate".
  static std::shared_ptr<KroBRepModel> MakeHoledPlate(int rows, int cols, bool filleted,
                                                      KroBRepStatus* status = nullptr);
  // A plate (box) whose 12 edges are filleted; one solid "Plate".
  static std::shared_ptr<KroBRepModel> MakeFilletedPlate(KroBRepStatus* status = nullptr);
  // Two versions of the same plate, made by boolean cuts (so hole faces are reversed):
  // version 1 has two holes, version 2 the same two plus a third hole elsewhere. One solid
  // "Plate".
  static std::shared_ptr<KroBRepModel> MakePlateVersion(int version,
                                                        KroBRepStatus* status = nullptr);
  // A sphere (two degenerate edges at the poles, a seam) and a cylinder (a seam); one solid
  // each, named "Sphere" / "Cylinder".
  static std::shared_ptr<KroBRepModel> MakeSphere(double radius, KroBRepStatus* status = nullptr);
  static std::shared_ptr<KroBRepModel> MakeCylinder(double radius, double height,
                                                    KroBRepStatus* status = nullptr);

  KroBRepStatus SaveBRep(const std::string& path) const;

  const std::string& SourcePath() const;  // file it was read from, empty for built-in parts
  // What the engine reported while reading the file (an unresolved reference in a STEP file,
  // say), one message each, in order; empty for built-in parts and clean files.
  const std::vector<std::string>& ReadingWarnings() const;

  int SolidCount() const;
  const KroBRepSolid* Solid(int index) const;  // null when out of range
  const KroBRepSolid* SolidByTag(std::uint32_t tag) const;
  const KroBRepSolid* SolidByName(const std::string& name) const;  // first of that name
  KroBRepCell CellByTag(std::uint32_t tag) const;                  // any solid; null when none

  const std::vector<KroBRepFeature>& Features() const;

 private:
  friend class KroBRepModelBuilder;
  struct Impl;  // private/KroBRepModelBuilder.h
  KroBRepModel();
  std::unique_ptr<Impl> _Impl;
};

#endif
