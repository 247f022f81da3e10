// KroBRepTypes.h
//
// Plain value types shared by the B-rep kernel classes (KroBRepModel, KroBRepSolid, KroBRepCell):
//  - KroBRepXYZ: a point or a vector in model units.
//  - KroBRepCode / KroBRepStatus: the result of a kernel call (code + message); the kernel never
//    throws, every failure of the geometric engine comes back as a failing status.
//  - KroBRepFeature: one entry of a model's feature list (name, optional alias and journaling
//    name, and the solid the feature produced).
//  - KroBRepCellHit: one answer of the cell search (cell, exact distance, direction agreement).
//
// No geometric-engine type appears here or in any other kernel header.
#ifndef KroBRepTypes_H
#define KroBRepTypes_H

#include <cstdint>
#include <string>

struct KroBRepXYZ {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

enum class KroBRepCode : int {
  Ok = 0,
  Failed = 1,        // the geometric engine failed (message says where)
  FileNotFound = 2,  // the file does not exist or cannot be opened
  NotAModel = 3,     // the file is not a readable STEP/BREP model, or holds no solid
  NoGeometry = 4,    // the cell has no curve/surface/point (e.g. a degenerate edge)
  BadArgument = 5,   // wrong dimension, null cell, index out of range...
  NotFound = 6,      // nothing matches (e.g. no vertex within the tolerance)
};

struct KroBRepStatus {
  KroBRepCode code = KroBRepCode::Ok;
  std::string message;

  bool Ok() const { return code == KroBRepCode::Ok; }
  static KroBRepStatus Success() { return {}; }
  static KroBRepStatus Failure(KroBRepCode c, std::string m) { return {c, std::move(m)}; }
};

// Cell dimensions.
constexpr int kKroBRepVertex = 0;
constexpr int kKroBRepEdge = 1;
constexpr int kKroBRepFace = 2;
constexpr int kKroBRepVolume = 3;

// Cosine above which a cell's direction (face: outward unit normal; edge: unit tangent, either
// sense) is taken to agree with the direction given to the cell search.
constexpr double kKroBRepDirectionAgreement = 0.99;

// One feature of a model. Built-in parts have several features, each with its own solid; a model
// read from a file has one feature per solid, named as the solid.
struct KroBRepFeature {
  std::string name;            // e.g. "Plate", "Boss", "Hole.1"
  std::string alias;           // optional, empty when none
  std::string journalingName;  // optional, empty when none
  int solidIndex = -1;         // index of the feature's solid in the model (0-based)
};

#endif
