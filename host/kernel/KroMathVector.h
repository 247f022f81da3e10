// A vector of model space, of any length: for example the first derivative of a curve at a
// parameter, which the caller normalises into a direction.
#ifndef KroMathVector_H
#define KroMathVector_H

#include <cmath>

class KroMathVector {
 public:
  KroMathVector() = default;
  KroMathVector(double x, double y, double z) : _X(x), _Y(y), _Z(z) {}

  double GetX() const { return _X; }
  double GetY() const { return _Y; }
  double GetZ() const { return _Z; }
  void GetCoord(double& x, double& y, double& z) const {
    x = _X;
    y = _Y;
    z = _Z;
  }
  void SetCoord(double x, double y, double z) {
    _X = x;
    _Y = y;
    _Z = z;
  }

  double SquareNorm() const { return _X * _X + _Y * _Y + _Z * _Z; }
  double Norm() const { return std::sqrt(SquareNorm()); }
  double Dot(const KroMathVector& o) const { return _X * o._X + _Y * o._Y + _Z * o._Z; }

  bool operator==(const KroMathVector& o) const { return _X == o._X && _Y == o._Y && _Z == o._Z; }

 private:
  double _X = 0.0;
  double _Y = 0.0;
  double _Z = 0.0;
};

#endif
