// The shapes of the kernel's built-in parts (the sample bracket, holed plates, plate versions,
// a sphere, a cylinder), as the engine makes them; KroBRepModel's Make functions turn them into
// models. Throws on an engine failure. An implementation header: never installed.
#ifndef KroBRepParts_H
#define KroBRepParts_H

#include <TopoDS_Shape.hxx>
#include <vector>

#include "KroBRepTypes.h"

class KroBRepParts {
 public:
  // The bracket, feature by feature: each entry of solids is the part as the feature leaves it.
  static void SamplePart(std::vector<TopoDS_Shape>& solids, std::vector<KroBRepFeature>& features);
  static TopoDS_Shape Box(double dx, double dy, double dz);
  // A plate with a grid of holes, extruded from a face with one inner wire per hole.
  static TopoDS_Shape HoledPlate(int rows, int cols, bool filleted);
  static TopoDS_Shape FilletedPlate();
  static TopoDS_Shape PlateVersion(int version);
  static TopoDS_Shape Sphere(double radius);
  static TopoDS_Shape Cylinder(double radius, double height);
};

#endif
