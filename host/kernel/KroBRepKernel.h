// host/kernel: the B-rep kernel on Open CASCADE (models, solids, cells, geometry views, the
// cell search and its index). It includes only host/platform.
//
// KroBRepKernel.h
//
// The B-rep kernel of the host modeler in one include: KroBRepModel (models read from STEP/BREP
// files or built in code), KroBRepSolid (a body: cells by dimension, tags, geometric cell search)
// and KroBRepCell (a vertex, edge, face or volume and its local geometry).
#ifndef KroBRepKernel_H
#define KroBRepKernel_H

#include "KroBRepCell.h"
#include "KroBRepModel.h"
#include "KroBRepSolid.h"
#include "KroBRepTypes.h"

#endif
