// A point of model space (x, y, z in model units): the coordinates that the topology and
// geometry objects give and that the compact streams write and read.
#ifndef KroMathPoint_H
#define KroMathPoint_H

#include <cmath>

class KroMathPoint {
 public:
  KroMathPoint() = default;
  KroMathPoint(double x, double y, double z) : _X(x), _Y(y), _Z(z) {}

  double GetX() const { return _X; }
  double GetY() const { return _Y; }
  double GetZ() const { return _Z; }
  void GetCoord(double& x, double& y, double& z) const {
    x = _X;
    y = _Y;
    z = _Z;
  }
  void SetX(double x) { _X = x; }
  void SetY(double y) { _Y = y; }
  void SetZ(double z) { _Z = z; }
  void SetCoord(double x, double y, double z) {
    _X = x;
    _Y = y;
    _Z = z;
  }

  double SquareDistanceTo(const KroMathPoint& other) const {
    const double dx = _X - other._X, dy = _Y - other._Y, dz = _Z - other._Z;
    return dx * dx + dy * dy + dz * dz;
  }
  double DistanceTo(const KroMathPoint& other) const { return std::sqrt(SquareDistanceTo(other)); }

  bool operator==(const KroMathPoint& o) const { return _X == o._X && _Y == o._Y && _Z == o._Z; }
  bool operator!=(const KroMathPoint& o) const { return !(*this == o); }

 private:
  double _X = 0.0;
  double _Y = 0.0;
  double _Z = 0.0;
};

#endif
