// The boxes of a solid's cells.
#include "KroBRepCellBoxes.h"

#include <BRepBndLib.hxx>
#include <BRep_Tool.hxx>

#include "KroBRepSolidCells.h"

const Bnd_Box& KroBRepCellBoxes::Box(int dimension, int index) { return Boxes(dimension)[index]; }

const std::vector<Bnd_Box>& KroBRepCellBoxes::Boxes(int dimension) {
  if (!_Made) _Make();
  return _Boxes[dimension];
}

void KroBRepCellBoxes::_Make() {
  for (int d = 0; d < 4; ++d) _Boxes[d].assign(_Cells.Count(d), Bnd_Box());
  for (int v = 0; v < _Cells.Count(0); ++v)
    BRepBndLib::Add(_Cells.Shape(0, v), _Boxes[0][v], false);
  for (int e = 0; e < _Cells.Count(1); ++e) {
    if (_Cells.EdgeHasCurve(e)) {
      BRepBndLib::Add(_Cells.Shape(1, e), _Boxes[1][e], false);
    } else {
      _Boxes[1][e].Add(_Cells.DegenerateEdgePoint(e));
      _Boxes[1][e].SetGap(BRep_Tool::Tolerance(_Cells.Edge(e)));
    }
  }
  for (int f = 0; f < _Cells.Count(2); ++f) BRepBndLib::Add(_Cells.Face(f), _Boxes[2][f], false);
  BRepBndLib::Add(_Cells.Solid(), _Boxes[3][0], false);
  _Made = true;
}
