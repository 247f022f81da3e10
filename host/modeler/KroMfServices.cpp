// The context services of the host modeler: from any object of a part document to the
// document's graph, factory, spec container and bodies.
#include "KroBrpGraph.h"
#include "KroCell.h"
#include "KroIGeometricalElement.h"
#include "KroMfBRepServices.h"
#include "KroMfBRepUtils.h"
#include "KroMfGNServices.h"
#include "KroMfPart.h"

KroBrpGraph* KroMfGNServices::GetGraph(KroBaseUnknown* context) {
  KroMfPart* part = KroMfPart::FromContext(context);
  return part ? part->GetBRepGraph() : nullptr;
}

KroGeoFactory_var KroMfBRepServices::GetGeoFactory(KroBaseUnknown* context) {
  KroMfPart* part = KroMfPart::FromContext(context);
  return part ? part->GetGeoFactory() : KroGeoFactory_var();
}

KroBrpGraph* KroMfBRepUtils::GetGraph(KroBaseUnknown* context) {
  return KroMfGNServices::GetGraph(context);
}

KroIContainer_var KroMfBRepUtils::GetSpecContainer(KroBaseUnknown* context) {
  KroMfPart* part = KroMfPart::FromContext(context);
  return part ? KroIContainer_var(part) : KroIContainer_var();
}

KroBody_var KroMfBRepUtils::GetBody(KroBaseUnknown* object) {
  if (!object) return KroBody_var();
  if (KroBody* body = dynamic_cast<KroBody*>(object)) return KroBody_var(body);
  if (KroIGeometricalElement* element = dynamic_cast<KroIGeometricalElement*>(object))
    return element->GetBodyResult();
  if (KroCell* cell = dynamic_cast<KroCell*>(object)) return cell->GetBody();
  if (KroBrpScope* scope = dynamic_cast<KroBrpScope*>(object)) return scope->GetBody(1);
  if (KroBrpObject* brep = dynamic_cast<KroBrpObject*>(object))
    return brep->GetScope() ? brep->GetScope()->GetBody(1) : KroBody_var();
  if (KroMfPart* part = dynamic_cast<KroMfPart*>(object)) return part->GetMainBody();
  return KroBody_var();
}

KroResult KroMfBRepUtils::GetAssociatedContainers(KroBaseUnknown* context, KroIContainer_var& specs,
                                                  KroBrpGraph*& graph, KroIContainer_var& second,
                                                  KroIContainer_var& third) {
  specs = nullptr;
  graph = nullptr;
  second = nullptr;
  third = nullptr;
  KroMfPart* part = KroMfPart::FromContext(context);
  if (!part) return KRO_E_FAIL;
  specs = KroIContainer_var(part);
  graph = part->GetBRepGraph();
  return KRO_S_OK;
}
