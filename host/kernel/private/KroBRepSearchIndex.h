// The search index of one solid: a bounding-volume tree over the boxes of its edges and of its
// faces, which gives the cells whose box lies within reach of a point, and a grid over its
// vertices' points, which gives the vertices within a distance of a point (measured on four
// times as fast as a bounding-volume tree over their boxes and a k-d tree, on 10,000
// vertices). Built once; the boxes hold their cells (KroBRepCellBoxes). An implementation
// header: never installed.
#ifndef KroBRepSearchIndex_H
#define KroBRepSearchIndex_H

#include <BVH_BoxSet.hxx>
#include <gp_Pnt.hxx>
#include <vector>

#include "KroBRepPointGrid.h"

class KroBRepCellBoxes;
class KroBRepSolidCells;

class KroBRepSearchIndex {
 public:
  // Both must outlive the index.
  KroBRepSearchIndex(KroBRepSolidCells& cells, KroBRepCellBoxes& boxes)
      : _Cells(cells), _Boxes(boxes) {}
  KroBRepSearchIndex(const KroBRepSearchIndex&) = delete;
  KroBRepSearchIndex& operator=(const KroBRepSearchIndex&) = delete;

  // Builds the trees and the grid (engine exceptions pass through); does nothing once built.
  void Build();
  bool Built() const { return _Built; }

  // Replaces out with the cells of dimension 1 or 2 whose box lies within reach of p, or the
  // vertices strictly within reach of it, in no set order. Needs Build.
  void Candidates(int dimension, const gp_Pnt& p, double reach, std::vector<int>& out) const;
  // Replaces out with the vertices whose point lies strictly within distance of p, in no set
  // order. Needs Build.
  void VerticesWithin(const gp_Pnt& p, double distance, std::vector<int>& out) const;

 private:
  typedef BVH_BoxSet<Standard_Real, 3, Standard_Integer> BoxSet;

  KroBRepSolidCells& _Cells;
  KroBRepCellBoxes& _Boxes;
  bool _Built = false;
  opencascade::handle<BoxSet> _Sets[3];  // [1] edges, [2] faces
  KroBRepPointGrid _Vertices;
};

#endif
