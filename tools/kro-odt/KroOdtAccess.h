// BRep access streams for the kro-odt verbs: the access of a cell, or of the axis of a face,
// supported by the feature of the cell's body; its stream written with an output-format query;
// and a stream read back in a model the way find reads it, "support" first.
#ifndef KroOdtAccess_H
#define KroOdtAccess_H

#include <map>
#include <string>

#include "KroIBRepAccess.h"
#include "KroMfPart.h"
#include "KroOdtModel.h"
#include "KroOmxAny.h"

// The access of the cell (the axis of the face when axis is set), supported by the feature that
// the naming graph gives for the cell's body; empty when there is none (no feature, or a cell
// that is no face of revolution for an axis).
KroIBRepAccess_var KroOdtAccessOf(const KroMfPart_var& part, const KroOdtCellEntry& entry,
                                  bool axis);

// Writes the BRepAccess stream of the access with the output-format query (the model is the
// builder's context).
KroOdtOutcome KroOdtWriteAccessStream(const KroMfPart_var& part, const KroIBRepAccess_var& access,
                                      const std::string& query, std::string& stream);

// Whether a text is a JSON object with a "support" member: a BRepAccess stream.
bool KroOdtIsAccessStream(const std::string& text);

// The text of a string member of a JSON object, "" when it has none.
std::string KroOdtAccessMember(const std::string& stream, const std::string& key);

// The stream with "support" moved first in every object that has it later (a BRepAccess stream
// inside a meta stream, say), so that a builder reads it in one go; other texts unchanged.
std::string KroOdtSupportFirst(const std::string& stream);
// What the reasons of a failed read of a BRepAccess stream may name, from its parsed members:
// <value>, the value of its sub-element member, and the fields of a geometric selector.
std::map<std::string, std::string> KroOdtAccessPlaceholders(const KroOmxAny& tree);

// Reads a BRepAccess stream in the model and gives the access it names: a cell, or an axis. A
// stream written with the query "geomReroute" or "gnSelector" holds that key before "support",
// in an order that the builder cannot read in one go, so the builder reads it with "support"
// moved first (KroOdtSupportFirst).
KroOdtOutcome KroOdtReadAccessStream(const KroMfPart_var& part, const std::string& stream,
                                     KroIBRepAccess_var& access);

#endif
