// The search index of one solid: a bounding-volume tree over the boxes of its vertices, edges
// and faces, which gives the cells whose box lies within reach of a point. Built once. An
// implementation header: never installed.
#ifndef KroBRepSearchIndex_H
#define KroBRepSearchIndex_H

#include <BVH_BoxSet.hxx>
#include <gp_Pnt.hxx>
#include <vector>

class KroBRepCellBoxes;
class KroBRepSolidCells;

class KroBRepSearchIndex {
 public:
  // Both must outlive the index.
  KroBRepSearchIndex(KroBRepSolidCells& cells, KroBRepCellBoxes& boxes)
      : _Cells(cells), _Boxes(boxes) {}
  KroBRepSearchIndex(const KroBRepSearchIndex&) = delete;
  KroBRepSearchIndex& operator=(const KroBRepSearchIndex&) = delete;

  // Builds the trees (engine exceptions pass through); does nothing once built.
  void Build();
  bool Built() const { return _Built; }

  // Replaces out with the cells of dimension 0 to 2 whose box lies within reach of p, in no
  // set order. Needs Build.
  void Candidates(int dimension, const gp_Pnt& p, double reach, std::vector<int>& out) const;

 private:
  typedef BVH_BoxSet<Standard_Real, 3, Standard_Integer> BoxSet;

  KroBRepSolidCells& _Cells;
  KroBRepCellBoxes& _Boxes;
  bool _Built = false;
  opencascade::handle<BoxSet> _Sets[3];
};

#endif
