// Reading STEP and BREP files into solids and their names.
#include "KroBRepModelReader.h"

#include <BRepBuilderAPI_MakeSolid.hxx>
#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_InterfaceModel.hxx>
#include <STEPControl_Reader.hxx>
#include <StepBasic_Product.hxx>
#include <StepBasic_ProductDefinition.hxx>
#include <StepBasic_ProductDefinitionFormation.hxx>
#include <TCollection_HAsciiString.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Shell.hxx>
#include <TransferBRep.hxx>
#include <Transfer_TransientProcess.hxx>
#include <XSControl_TransferReader.hxx>
#include <XSControl_WorkSession.hxx>
#include <fstream>
#include <limits>
#include <map>

#include "KroBRepEngine.h"
#include "KroBRepEngineMessages.h"

namespace {

std::string Trimmed(const Handle(TCollection_HAsciiString) & s) {
  if (s.IsNull()) return std::string();
  std::string t = s->ToCString();
  const auto b = t.find_first_not_of(" \t");
  if (b == std::string::npos) return std::string();
  return t.substr(b, t.find_last_not_of(" \t") - b + 1);
}

}  // namespace

KroBRepStatus KroBRepModelReader::Read(const std::string& path, Result& result) {
  result = Result();
  std::ifstream in(path, std::ios::binary);
  if (!in) return KroBRepStatus::Failure(KroBRepCode::FileNotFound, "cannot open " + path);
  char head[256] = {0};
  in.read(head, sizeof(head) - 1);
  in.close();
  const std::string start(head);
  const bool isStep = start.find("ISO-10303-21") != std::string::npos;
  const bool isBRep = start.find("CASCADE Topology") != std::string::npos ||
                      start.find("DBRep_DrawableShape") != std::string::npos;
  if (!isStep && !isBRep)
    return KroBRepStatus::Failure(KroBRepCode::NotAModel, path + " is not a STEP or BREP model");
  KroBRepEngineMessages::Collector messages("KroBRepModel::Load");
  KroBRepStatus status = KroBRepGuard("KroBRepModel::Load", [&] {
    const KroBRepStatus read = isStep ? _ReadStep(path, result) : _ReadBRep(path, result);
    if (read.Ok() && result.solids.empty())
      return KroBRepStatus::Failure(KroBRepCode::NotAModel, path + ": no solid in the model");
    return read;
  });
  result.warnings = messages.Messages();
  return status;
}

KroBRepStatus KroBRepModelReader::_ReadStep(const std::string& path, Result& result) {
  STEPControl_Reader reader;
  if (reader.ReadFile(path.c_str()) != IFSelect_RetDone)
    return KroBRepStatus::Failure(KroBRepCode::NotAModel, path + ": unreadable STEP file");
  reader.TransferRoots();
  result.solids = _SolidsOf(reader.OneShape());
  result.names = _FinalNames(_StepProductNames(reader, result.solids));
  return KroBRepStatus::Success();
}

KroBRepStatus KroBRepModelReader::_ReadBRep(const std::string& path, Result& result) {
  TopoDS_Shape shape;
  BRep_Builder builder;
  if (!BRepTools::Read(shape, path.c_str(), builder) || shape.IsNull())
    return KroBRepStatus::Failure(KroBRepCode::NotAModel, path + ": unreadable BREP file");
  result.solids = _SolidsOf(shape);
  for (std::size_t k = 0; k < result.solids.size(); ++k)
    result.names.push_back("Solid." + std::to_string(k + 1));
  return KroBRepStatus::Success();
}

std::vector<TopoDS_Shape> KroBRepModelReader::_SolidsOf(const TopoDS_Shape& shape) {
  std::vector<TopoDS_Shape> out;
  TopTools_IndexedMapOfShape solids;
  TopExp::MapShapes(shape, TopAbs_SOLID, solids);
  for (int i = 1; i <= solids.Extent(); ++i) out.push_back(solids(i));
  if (out.empty()) {
    TopTools_IndexedMapOfShape shells;
    TopExp::MapShapes(shape, TopAbs_SHELL, shells);
    for (int i = 1; i <= shells.Extent(); ++i) {
      BRepBuilderAPI_MakeSolid maker(TopoDS::Shell(shells(i)));
      if (maker.IsDone()) out.push_back(maker.Solid());
    }
  }
  return out;
}

std::vector<std::string> KroBRepModelReader::_StepProductNames(
    STEPControl_Reader& reader, const std::vector<TopoDS_Shape>& solids) {
  std::vector<std::string> names(solids.size());
  std::vector<int> weight(solids.size(), std::numeric_limits<int>::max());
  Handle(XSControl_WorkSession) session = reader.WS();
  if (session.IsNull() || session->TransferReader().IsNull()) return names;
  Handle(Transfer_TransientProcess) process = session->TransferReader()->TransientProcess();
  Handle(Interface_InterfaceModel) model = session->Model();
  if (process.IsNull() || model.IsNull()) return names;
  std::map<const void*, std::size_t> byTShape;
  for (std::size_t k = 0; k < solids.size(); ++k) byTShape[solids[k].TShape().get()] = k;
  for (int i = 1; i <= model->NbEntities(); ++i) {
    Handle(StepBasic_ProductDefinition) definition =
        Handle(StepBasic_ProductDefinition)::DownCast(model->Value(i));
    if (definition.IsNull() || definition->Formation().IsNull() ||
        definition->Formation()->OfProduct().IsNull())
      continue;
    const std::string name = Trimmed(definition->Formation()->OfProduct()->Name());
    if (name.empty()) continue;
    Handle(Transfer_Binder) binder = process->Find(definition);
    if (binder.IsNull()) continue;
    const TopoDS_Shape shape = TransferBRep::ShapeResult(process, binder);
    if (shape.IsNull()) continue;
    TopTools_IndexedMapOfShape held;
    TopExp::MapShapes(shape, TopAbs_SOLID, held);
    // The product that holds the fewest solids names them.
    for (int j = 1; j <= held.Extent(); ++j) {
      auto it = byTShape.find(held(j).TShape().get());
      if (it == byTShape.end()) continue;
      if (held.Extent() < weight[it->second]) {
        weight[it->second] = held.Extent();
        names[it->second] = name;
      }
    }
  }
  return names;
}

// Several solids named after the same product become "Name.1", "Name.2"...; unnamed solids are
// "Solid.N" after their position.
std::vector<std::string> KroBRepModelReader::_FinalNames(
    const std::vector<std::string>& productNames) {
  std::vector<std::string> names(productNames.size());
  std::map<std::string, int> uses, seen;
  for (const std::string& n : productNames)
    if (!n.empty()) ++uses[n];
  for (std::size_t k = 0; k < productNames.size(); ++k) {
    const std::string& n = productNames[k];
    if (n.empty())
      names[k] = "Solid." + std::to_string(k + 1);
    else if (uses[n] > 1)
      names[k] = n + "." + std::to_string(++seen[n]);
    else
      names[k] = n;
  }
  return names;
}
