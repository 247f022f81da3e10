// What every source of the B-rep kernel shares when it talks to the geometric engine: the one
// place where engine exceptions become a failing status, and conversions between the kernel's
// plain values and the engine's. An implementation header (it includes engine headers): never
// installed, never included by a public header.
#ifndef KroBRepEngine_H
#define KroBRepEngine_H

#include <Bnd_Box.hxx>
#include <Standard_Failure.hxx>
#include <exception>
#include <gp_Pnt.hxx>
#include <gp_XYZ.hxx>
#include <limits>
#include <string>

#include "KroBRepTypes.h"

constexpr double kKroBRepInfinity = std::numeric_limits<double>::infinity();

inline gp_Pnt KroBRepToPnt(const KroBRepXYZ& p) { return gp_Pnt(p.x, p.y, p.z); }
inline KroBRepXYZ KroBRepToXYZ(const gp_XYZ& p) { return {p.X(), p.Y(), p.Z()}; }

// "Standard_OutOfRange: index 7" for an engine exception.
inline std::string KroBRepFailureText(const Standard_Failure& failure) {
  const char* message = failure.GetMessageString();
  std::string text = failure.DynamicType()->Name();
  if (message != nullptr && *message != '\0') text += std::string(": ") + message;
  return text;
}

// Runs fn (which gives a KroBRepStatus), turning any exception of the engine, or any other, into
// a failing status that says where it happened.
template <class Fn>
KroBRepStatus KroBRepGuard(const char* where, Fn&& fn) {
  try {
    return fn();
  } catch (const Standard_Failure& failure) {
    return KroBRepStatus::Failure(KroBRepCode::Failed,
                                  std::string(where) + ": " + KroBRepFailureText(failure));
  } catch (const std::exception& e) {
    return KroBRepStatus::Failure(KroBRepCode::Failed, std::string(where) + ": " + e.what());
  } catch (...) {
    return KroBRepStatus::Failure(KroBRepCode::Failed, std::string(where) + ": unknown error");
  }
}

// Squared distance from a point to a box (0 inside it); infinite for a void box.
inline double KroBRepBoxDistance2(const Bnd_Box& box, const gp_Pnt& p) {
  if (box.IsVoid()) return kKroBRepInfinity;
  double x0, y0, z0, x1, y1, z1;
  box.Get(x0, y0, z0, x1, y1, z1);
  auto axis = [](double v, double lo, double hi) {
    return v < lo ? lo - v : (v > hi ? v - hi : 0.0);
  };
  const double dx = axis(p.X(), x0, x1), dy = axis(p.Y(), y0, y1), dz = axis(p.Z(), z0, z1);
  return dx * dx + dy * dy + dz * dz;
}

#endif
