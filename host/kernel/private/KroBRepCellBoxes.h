// The axis-aligned box of every cell of a solid, as the engine gives it, made once on first
// need. An implementation header: never installed.
#ifndef KroBRepCellBoxes_H
#define KroBRepCellBoxes_H

#include <Bnd_Box.hxx>
#include <vector>

class KroBRepSolidCells;

class KroBRepCellBoxes {
 public:
  // Must outlive the boxes.
  explicit KroBRepCellBoxes(KroBRepSolidCells& cells) : _Cells(cells) {}
  KroBRepCellBoxes(const KroBRepCellBoxes&) = delete;
  KroBRepCellBoxes& operator=(const KroBRepCellBoxes&) = delete;

  // The box of a cell; the boxes are made on the first call (engine exceptions pass through).
  const Bnd_Box& Box(int dimension, int index);
  // The boxes of every cell of a dimension, made if need be.
  const std::vector<Bnd_Box>& Boxes(int dimension);

 private:
  void _Make();

  KroBRepSolidCells& _Cells;
  bool _Made = false;
  std::vector<Bnd_Box> _Boxes[4];
};

#endif
