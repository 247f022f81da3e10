// A unit vector of model space: an edge's tangent or a face's normal at a point. It is unit
// length after every change: setting one component keeps the other two and renormalises, and
// a zero or non-finite vector becomes (1, 0, 0), which is also the default direction.
#ifndef KroMathDirection_H
#define KroMathDirection_H

#include <cmath>

#include "KroMathVector.h"

class KroMathDirection {
 public:
  KroMathDirection() = default;
  KroMathDirection(double x, double y, double z) { SetCoord(x, y, z); }
  explicit KroMathDirection(const KroMathVector& v) { SetCoord(v.GetX(), v.GetY(), v.GetZ()); }

  double GetX() const { return _X; }
  double GetY() const { return _Y; }
  double GetZ() const { return _Z; }
  void GetCoord(double& x, double& y, double& z) const {
    x = _X;
    y = _Y;
    z = _Z;
  }
  KroMathVector GetVector() const { return KroMathVector(_X, _Y, _Z); }

  // Each setter renormalises: from (1, 0, 0), SetX(1), SetY(1), SetZ(1) give
  // (0.5, 0.5, 1/sqrt(2)). A vector of squared length exactly 1 is kept bit for bit.
  void SetX(double x) { SetCoord(x, _Y, _Z); }
  void SetY(double y) { SetCoord(_X, y, _Z); }
  void SetZ(double z) { SetCoord(_X, _Y, z); }
  void SetCoord(double x, double y, double z) {
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return SetXAxis();
    double square = x * x + y * y + z * z;
    if (square == 1.0) {
      _X = x;
      _Y = y;
      _Z = z;
      return;
    }
    if (!(square > 0.0) || !std::isfinite(square)) {
      // Very small or very large components: scale them first so that the square neither
      // underflows nor overflows.
      const double largest = std::fmax(std::fabs(x), std::fmax(std::fabs(y), std::fabs(z)));
      if (!(largest > 0.0)) return SetXAxis();
      x /= largest;
      y /= largest;
      z /= largest;
      square = x * x + y * y + z * z;
    }
    const double length = std::sqrt(square);
    _X = x / length;
    _Y = y / length;
    _Z = z / length;
  }

  double Dot(const KroMathDirection& o) const { return _X * o._X + _Y * o._Y + _Z * o._Z; }

  bool operator==(const KroMathDirection& o) const {
    return _X == o._X && _Y == o._Y && _Z == o._Z;
  }

 private:
  void SetXAxis() {
    _X = 1.0;
    _Y = 0.0;
    _Z = 0.0;
  }

  double _X = 1.0;
  double _Y = 0.0;
  double _Z = 0.0;
};

#endif
