// The search index of a solid: box trees over edges and faces, a point grid over the vertices.
#include "KroBRepSearchIndex.h"

#include "KroBRepCellBoxes.h"
#include "KroBRepSolidCells.h"

void KroBRepSearchIndex::Build() {
  if (_Built) return;
  for (int d = 1; d < 3; ++d) {
    const std::vector<Bnd_Box>& boxes = _Boxes.Boxes(d);
    _Sets[d] = new BoxSet();
    _Sets[d]->SetSize(_Cells.Count(d));
    for (int i = 0; i < _Cells.Count(d); ++i) {
      const Bnd_Box& box = boxes[i];
      if (box.IsVoid()) continue;
      double x0, y0, z0, x1, y1, z1;
      box.Get(x0, y0, z0, x1, y1, z1);
      _Sets[d]->Add(i, BVH_Box<Standard_Real, 3>(BVH_Vec3d(x0, y0, z0), BVH_Vec3d(x1, y1, z1)));
    }
    _Sets[d]->Build();
  }
  std::vector<gp_Pnt> points(_Cells.Count(0));
  for (int v = 0; v < _Cells.Count(0); ++v) points[v] = _Cells.VertexPoint(v);
  _Vertices.Build(points);
  _Built = true;
}

void KroBRepSearchIndex::Candidates(int dimension, const gp_Pnt& p, double reach,
                                    std::vector<int>& out) const {
  out.clear();
  if (dimension == 0) {
    _Vertices.Within(p, reach, out);
    return;
  }
  const opencascade::handle<BoxSet>& set = _Sets[dimension];
  if (set.IsNull() || set->Size() == 0) return;
  const opencascade::handle<BVH_Tree<Standard_Real, 3>>& tree = set->BVH();
  if (tree.IsNull() || tree->Length() == 0) return;
  const double reach2 = reach * reach;
  const double c[3] = {p.X(), p.Y(), p.Z()};
  auto boxDistance2 = [&](const BVH_Vec3d& lo, const BVH_Vec3d& hi) {
    double sum = 0;
    for (int k = 0; k < 3; ++k) {
      const double gap = c[k] < lo[k] ? lo[k] - c[k] : (c[k] > hi[k] ? c[k] - hi[k] : 0.0);
      sum += gap * gap;
    }
    return sum;
  };
  int stack[128];
  int top = 0;
  stack[top++] = 0;
  while (top > 0) {
    const int node = stack[--top];
    if (boxDistance2(tree->MinPoint(node), tree->MaxPoint(node)) > reach2) continue;
    if (tree->IsOuter(node)) {
      for (int k = tree->BegPrimitive(node); k <= tree->EndPrimitive(node); ++k) {
        const BVH_Box<Standard_Real, 3> box = set->Box(k);
        if (boxDistance2(box.CornerMin(), box.CornerMax()) <= reach2)
          out.push_back(set->Element(k));
      }
    } else if (top + 2 <= 128) {
      stack[top++] = tree->template Child<0>(node);
      stack[top++] = tree->template Child<1>(node);
    }
  }
}

void KroBRepSearchIndex::VerticesWithin(const gp_Pnt& p, double distance,
                                        std::vector<int>& out) const {
  out.clear();
  _Vertices.Within(p, distance, out);
}
