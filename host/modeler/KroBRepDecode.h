// Making BRep accesses: from a cell and the geometrical element (feature) whose body holds it,
// from a cell and a body of a container (document), the axis of a face of revolution, or a
// topological object within a body, supported by the feature that the naming graph gives for
// the body.
#ifndef KroBRepDecode_H
#define KroBRepDecode_H

#include "KroBody.h"
#include "KroCell.h"
#include "KroIBRepAccess.h"
#include "KroIContainer.h"
#include "KroIGeometricalElement.h"
#include "KroResult.h"
#include "KroTopology.h"

// The access of the cell, supported by the element; empty when either is empty or the element's
// body does not hold the cell.
KroIBRepAccess_var KroBRepDecode(const KroCell_var& cell,
                                 const KroIGeometricalElement_var& element);

// The access of the cell of the body, supported by the feature that the container's naming
// graph gives for the body; empty when the body is none of the container's document, no
// feature makes it, or it does not hold the cell.
KroIBRepAccess_var KroBRepDecode(const KroIContainer_var& container, const KroCell_var& cell,
                                 const KroBody_var& body);

// The axis of the face (kind code 7), supported by the element; empty as for KroBRepDecode, and
// for a cell that is no face or a face whose surface is not of revolution (cylinder, cone,
// sphere, torus, surface of revolution).
KroIBRepAccess_var KroBRepDecodeAxis(const KroCell_var& cell,
                                     const KroIGeometricalElement_var& element);

// The access of the cell within the body, supported by the object of the body's scope in its
// document's naming graph. access is emptied first. Fails for an empty body or topological
// object, one that is no cell of the body, or a body that no scope names.
[[nodiscard]] KroResult KroBRepDecodeTopologyInBody(KroIBRepAccess_var& access,
                                                    const KroTopology_var& topology,
                                                    const KroBody_var& body);

#endif
