// The axis-aligned box of every cell of a solid, made once on first need. A box must hold its
// cell, since the search never looks at a cell whose box is out of reach: the engine's usual
// box of each edge and face is checked against points that lie on the cell (its vertices,
// points along its edges, surface points inside a face) and replaced by the engine's exact box
// where one of them lies outside (the usual box of some torus faces comes out flat). The
// solid's box also holds every replaced box. An implementation header: never installed.
#ifndef KroBRepCellBoxes_H
#define KroBRepCellBoxes_H

#include <Bnd_Box.hxx>
#include <gp_Pnt.hxx>
#include <vector>

class KroBRepCellGeometry;
class KroBRepSolidCells;

class KroBRepCellBoxes {
 public:
  // Both must outlive the boxes. Making the boxes asks the geometry for points inside faces,
  // which needs no box.
  KroBRepCellBoxes(KroBRepSolidCells& cells, KroBRepCellGeometry& geometry)
      : _Cells(cells), _Geometry(geometry) {}
  KroBRepCellBoxes(const KroBRepCellBoxes&) = delete;
  KroBRepCellBoxes& operator=(const KroBRepCellBoxes&) = delete;

  // The box of a cell; the boxes are made on the first call (engine exceptions pass through).
  const Bnd_Box& Box(int dimension, int index);
  // The boxes of every cell of a dimension, made if need be.
  const std::vector<Bnd_Box>& Boxes(int dimension);
  // How many usual boxes were found not to hold their cell and replaced (once made).
  int ReplacedCount() const { return _Replaced; }

 private:
  void _Make();
  // The usual box of a cell, or the exact one when a point on the cell lies outside it.
  Bnd_Box _CheckedBox(int dimension, int index);
  // Points that lie on an edge or a face, for the check.
  void _PointsOn(int dimension, int index, std::vector<gp_Pnt>& points);

  KroBRepSolidCells& _Cells;
  KroBRepCellGeometry& _Geometry;
  bool _Made = false;
  std::vector<Bnd_Box> _Boxes[4];
  int _Replaced = 0;
  std::vector<gp_Pnt> _Scratch;
};

#endif
