// Implementation side of a solid (KroBRepSolid::Impl): its place in the model, its name and
// tags, and the parts that answer for its cells: the cells themselves, their boxes, their
// geometry, the search index and the search. Only the kernel's own sources use it; it includes
// engine headers and is never installed.
#ifndef KroBRepSolidImpl_H
#define KroBRepSolidImpl_H

#include <TopoDS_Shape.hxx>
#include <cstdint>
#include <string>
#include <vector>

#include "KroBRepCellBoxes.h"
#include "KroBRepCellGeometry.h"
#include "KroBRepCellSearch.h"
#include "KroBRepSearchIndex.h"
#include "KroBRepSolid.h"
#include "KroBRepSolidCells.h"

struct KroBRepSolid::Impl {
  Impl(const KroBRepModel* owner, int position, std::string solidName, const TopoDS_Shape& shape)
      : model(owner),
        index(position),
        name(std::move(solidName)),
        cells(shape),
        boxes(cells, geometry),
        geometry(cells, boxes),
        searchIndex(cells, boxes),
        search(cells, boxes, geometry, searchIndex) {}

  const KroBRepModel* model;
  int index;  // position in the model, from 0
  std::string name;
  std::uint32_t tag = 0;
  std::uint32_t firstTag[4] = {0, 0, 0, 0};  // tag of the first cell of each dimension

  // In this order: each refers to those above it (boxes and geometry to each other).
  KroBRepSolidCells cells;
  KroBRepCellBoxes boxes;
  KroBRepCellGeometry geometry;
  KroBRepSearchIndex searchIndex;
  KroBRepCellSearch search;
  std::vector<KroBRepCellSearch::Hit> scratchHits;  // kept to spare allocations
};

#endif
