// Reads the solids of a STEP or BREP file (told apart by content, not by extension): the shapes
// in file order (free shells closed into solids), their names (after the STEP product that
// holds each, the most specific one; else "Solid.N") and what the engine reported meanwhile.
// An implementation header: never installed.
#ifndef KroBRepModelReader_H
#define KroBRepModelReader_H

#include <TopoDS_Shape.hxx>
#include <string>
#include <vector>

#include "KroBRepTypes.h"

class STEPControl_Reader;

class KroBRepModelReader {
 public:
  struct Result {
    std::vector<TopoDS_Shape> solids;
    std::vector<std::string> names;     // one per solid
    std::vector<std::string> warnings;  // the engine's messages while it read the file
  };

  // FileNotFound for a file that cannot be opened, NotAModel for one that is not a readable
  // model or holds no solid; Failed for an engine failure.
  static KroBRepStatus Read(const std::string& path, Result& result);

 private:
  static KroBRepStatus _ReadStep(const std::string& path, Result& result);
  static KroBRepStatus _ReadBRep(const std::string& path, Result& result);
  static std::vector<TopoDS_Shape> _SolidsOf(const TopoDS_Shape& shape);
  static std::vector<std::string> _StepProductNames(STEPControl_Reader& reader,
                                                    const std::vector<TopoDS_Shape>& solids);
  static std::vector<std::string> _FinalNames(const std::vector<std::string>& productNames);
};

#endif
