// The cells of a uniform grid over a box.
#include "KroBRepGridLayout.h"

#include <cmath>

void KroBRepGridLayout::Fit(const double low[3], const double high[3], double target, double flat,
                            int maxCells) {
  double extent[3], volume = 1.0, scale = 0.0;
  int spread = 0;
  for (int a = 0; a < 3; ++a) {
    _Low[a] = low[a];
    extent[a] = high[a] - low[a];
    scale = std::max({scale, std::abs(low[a]), std::abs(high[a])});
  }
  const double largest = std::max({extent[0], extent[1], extent[2]});
  for (int a = 0; a < 3; ++a)
    if (extent[a] > flat * largest) volume *= extent[a], ++spread;
  // The side of a cell that gives about target cells over the axes the box spreads along.
  const double side = spread == 0 ? 1.0 : std::pow(volume / target, 1.0 / spread);
  for (int a = 0; a < 3; ++a) {
    const double cells =
        extent[a] > flat * largest && side > 0.0 ? std::ceil(extent[a] / side) : 1.0;
    _Size[a] = static_cast<int>(std::max(1.0, std::min(cells, double(maxCells))));
    _Step[a] = extent[a] > 0.0 ? extent[a] / _Size[a] : 1.0;
  }
  _Slack = 1e-9 * (scale + largest) + std::numeric_limits<double>::min();
}

int KroBRepGridLayout::Cell(double coordinate, int axis) const {
  const double at = std::floor((coordinate - _Low[axis]) / _Step[axis]);
  if (!(at > 0.0)) return 0;
  return at >= _Size[axis] - 1 ? _Size[axis] - 1 : static_cast<int>(at);
}
