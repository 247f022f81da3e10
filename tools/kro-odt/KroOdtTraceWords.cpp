// Words for the traced steps of the operations that the kro-odt verbs call.
#include "KroOdtTraceWords.h"

#include <cstring>
#include <iterator>
#include <utility>

#include "KroMmdGeomCursorForODT.h"

namespace {

struct TraceWords {
  const char* name;  // qualified name, as traced
  int stage;
  const char* words;
};

// One row per traced step, grouped by operation, stages in step order. The words complete the
// sentence "cannot <do this>: ...".
const TraceWords kTraceWords[] = {
    // Output-format queries.
    {"KroMmdODTQueryParser::_ComputeOuterPairsPositions", 100, R"(there is no "{")"},
    {"KroMmdODTQueryParser::_ComputeOuterPairsPositions", 200,
     R"("{" and "}" do not pair up (their numbers differ, or a "}" comes before its "{"))"},
    {"KroMmdODTQueryParser::Parse", 600, R"(its braces do not pair up)"},

    // Generic-naming identifiers.
    {"KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier", 100,
     "the identifier gives no single number"},
    {"KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier", 200,
     "the identifier gives no pair of numbers"},
    {"KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier", 6969,
     "only identifiers of kind 1 and 3 have a text form"},
    {"KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream", 1000,
     R"(no hexadecimal number of at most 8 digits after the first "~")"},
    {"KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream", 1500,
     R"(no second "~" after the first number)"},
    {"KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream", 2000,
     R"(no hexadecimal number of at most 8 digits after the second "~")"},
    {"KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream", 3000,
     R"(the text has neither "~" nor "#")"},
    {"KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream", 4000,
     R"(no decimal number from 0 to 4294967295 after "#")"},

    // Reading a topology stream in a model. Placeholders are filled from the stream's fields.
    {"KroMmdStreamTopoForODT::GetTopoFromStream", 100, "the stream names nothing in this model"},
    {"KroMmdStreamGeomRefForODT::ParseGeomLinkForODT", 200, "the stream is empty"},
    {"KroMmdStreamGeomRefForODT::ParseGeomLinkForODT", 300,
     R"(no version from 0 to 3 followed by "_" at character 1)"},
    {"KroMmdStreamGeomRefForODT::ParseGeomLinkForODT", 400,
     "malformed length prefix at character <length-at> (a count of characters that the "
     R"(identifier after it does not have, or no "_" after it))"},
    {"KroMmdStreamGeomRefForODT::ParseGeomLinkForODT", 500, "no body named <id>"},
    {"KroMmdStreamGeomRefForODT::ParseGeomLinkForODT", 600,
     "the text ends before the type token at character <token-at>"},
    {"KroMmdStreamGeomRefForODT::ParseGeomLinkForODT", 700, "the type <token> is refused"},
    {"KroMmdStreamGeomRefForODT::ParseGeomLinkForODT", 800,
     "no <cell> within <tolerance> of the point <point>"},
    {"KroMmdStreamGeomRefForODT::ParseGeomLinkForODT", 900, "the cell found cannot be kept"},
    {"KroMmdStreamGeomRefForODT::ParseGeomLinkForODT", 1100,
     R"(the stream does not end with "_" after its last field at character <end-at>)"},
    {"KroMmdStreamTopoForODT::ParseBodyIdentifier", 100, "the model has no naming graph"},
    {"KroMmdStreamTopoForODT::ParseBodyIdentifier", 200,
     R"(the body identifier <id> is no identifier ("#n" or "~n~m"))"},
    {"KroMmdStreamTopoForODT::ParseBodyIdentifier", 300, "no body with the identifier <id>"},
    {"KroMmdStreamTopoForODT::SetSpecializedStream", 100,
     "unexpected text at character <end-at>: a topology stream has nothing after its last "
     "field"},
    {"KroMmdStreamGeomRefForODT::ReadSubElem", 100, "malformed point at character <point-at>"},
    {"KroMmdStreamGeomRefForODT::ReadSubElem", 200,
     "malformed direction at character <direction-at>"},
    {"KroMmdStreamGeomRefForODT::ReadSubElem", 300, "malformed second point of the volume"},
    {"KroMmdStreamGeomRefForODT::ReadSubElem", 400, "malformed second direction of the volume"},
    {"KroMmdStreamGeomRefForODT::ReadSubElem", 500, "the search for the first face failed"},
    {"KroMmdStreamGeomRefForODT::ReadSubElem", 600, "the search for the second face failed"},
    {"KroMmdStreamGeomRefForODT::ReadSubElem", 700, "no volume bounded by the two faces"},
    {"KroMmdStreamGeomRefForODT::ReadSubElem", 800,
     "the cell search failed (the identifier names no body with cells, or the type <token> "
     "names no dimension of cells)"},
    {"KroMmdStreamGeomRefForODT::ReadSubElem", 900,
     "no vertex within <tolerance> of the point <point>"},

    // Writing a topology stream.
    {"KroMmdStreamTopoForODT::GetStreamFromTopo", 100, "no body"},
    {"KroMmdStreamTopoForODT::GetStreamFromTopo", 200, "the stream cannot be written"},
    {"KroMmdStreamGeomRefForODT::StreamGeomLinkForODT", 200, "the body has no identifier"},
    {"KroMmdStreamGeomRefForODT::StreamGeomLinkForODT", 300, "the body identifier is empty"},
    {"KroMmdStreamGeomRefForODT::StreamGeomLinkForODT", 400, "the cell has no dimension"},
    {"KroMmdStreamGeomRefForODT::StreamGeomLinkForODT", 600, "the cell cannot be located"},
    {"KroMmdStreamGeomRefForODT::StreamGeomLinkForODT", 700, "no specialised part"},
    {"KroMmdStreamGeomRefForODT::WriteBodyIdentifier", 100, "the body identifier is empty"},
    {"KroMmdStreamTopoForODT::GetBodyIdentifier", 100, "the body belongs to no naming graph"},
    {"KroMmdStreamTopoForODT::GetBodyIdentifier", 300,
     "no feature makes the body (it has no scope in the naming graph)"},
    {"KroMmdStreamTopoForODT::GetBodyIdentifier", 400, "the body's scope has no feature"},
    {"KroMmdStreamTopoForODT::GetBodyIdentifier", 500, "the body's feature has no identifier"},
    {"KroMmdStreamTopoForODT::GetBodyIdentifier", 600,
     "the body's feature has an identifier without a text form"},
    {"KroMmdStreamGeomRefForODT::WriteSubElem", 100, "the cell is not given"},
    {"KroMmdStreamGeomRefForODT::WriteSubElem", 200, "it is not a cell"},
    {"KroMmdStreamGeomRefForODT::WriteSubElem", 300, "a cell of dimension 0 that is no vertex"},
    {"KroMmdStreamGeomRefForODT::WriteSubElem", 400,
     "the cell has no point to locate it by (a degenerate edge has none)"},
    {"KroMmdStreamGeomRefForODT::WriteSubElem", 500, "its point cannot be written"},
    {"KroMmdStreamGeomRefForODT::WriteSubElem", 600, "its direction cannot be computed"},
    {"KroMmdStreamGeomRefForODT::WriteSubElem", 700, "its direction cannot be written"},

    // Reading a BRepAccess stream and its geometric selector. Placeholders are filled from the
    // selector's fields.
    {"KroMmdBRepAccessODTStreamBuilder::SetValueStream", 6969,
     "a key that is no part of a BRep access stream (support, topoTag, topoId, brpEle, "
     "gnSelector, geomReroute)"},
    {"KroMmdBRepAccessODTStreamBuilder::_SetTopoTagStream", 100, "not an unsigned decimal number"},
    {"KroMmdBRepAccessODTStreamBuilder::_SetTopoTagStream", 200, "the model has no geometry"},
    {"KroMmdBRepAccessODTStreamBuilder::_SetTopoTagStream", 300, "no cell or body has that tag"},
    {"KroMmdBRepAccessODTStreamBuilder::_SetBrpEleStream", 100,
     R"(not an element number ("*n" or "n"))"},
    {"KroMmdBRepAccessODTStreamBuilder::_SetBrpEleStream", 200, "the model has no naming graph"},
    {"KroMmdBRepAccessODTStreamBuilder::_SetBrpEleStream", 400, "no BRep object has that number"},
    {"KroMmdBRepAccessODTStreamBuilder::_SetBrpEleStream", 500, "the BRep object has no cell"},
    {"KroMmdBRepAccessODTStreamBuilder::_SetGnSelectorStream", 100,
     "the model has no naming graph"},
    {"KroMmdBRepAccessODTStreamBuilder::_SetGnSelectorStream", 200,
     R"(not a report selector (such as "Face:Construction.Face.12"))"},
    {"KroMmdBRepAccessODTStreamBuilder::_SetGnSelectorStream", 300,
     R"(the support names nothing ("support" must come first))"},
    {"KroMmdBRepAccessODTStreamBuilder::_SetGnSelectorStream", 400,
     "it selects no cell of the support"},
    {"KroMmdBRepAccessODTStreamBuilder::_SetGeomRerouteStream", 200,
     R"(the support names nothing ("support" must come first))"},
    {"KroMmdBRepAccessODTStreamBuilder::GetBRepAccess", 100, "the support has no body"},
    {"KroMmdBRepAccessODTStreamBuilder::GetBRepAccess", 200,
     "the cell is none of the support's body"},
    {"KroMmdGeomSelectorForODT::SetGeomSelectorStreamForODT", 100, "no naming context"},
    {"KroMmdGeomSelectorForODT::SetGeomSelectorStreamForODT", 200, "the stream is empty"},
    {"KroMmdGeomSelectorForODT::SetGeomSelectorStreamForODT", 300,
     R"(no version from 0 to 1 followed by "_" at character 1)"},
    {"KroMmdGeomSelectorForODT::SetGeomSelectorStreamForODT", 400,
     "the text ends before the type token at character <token-at>"},
    {"KroMmdGeomSelectorForODT::SetGeomSelectorStreamForODT", 500, "the support has no body"},
    {"KroMmdGeomSelectorForODT::SetGeomSelectorStreamForODT", 600,
     "no <cell> within <tolerance> of the point <point>"},
    {"KroMmdGeomSelectorForODT::ReadSubElem", 100, "malformed point at character <point-at>"},
    {"KroMmdGeomSelectorForODT::ReadSubElem", 200,
     "malformed direction at character <direction-at>"},
    {"KroMmdGeomSelectorForODT::ReadSubElem", 300, "malformed second point of the volume"},
    {"KroMmdGeomSelectorForODT::ReadSubElem", 400, "malformed second direction of the volume"},
    {"KroMmdGeomSelectorForODT::ReadSubElem", 700, "no volume bounded by the two faces"},
    {"KroMmdGeomSelectorForODT::ReadSubElem", 900,
     "no vertex within <tolerance> of the point <point>"},

    // Reading a meta stream and writing its inner stream again.
    {"KroMmdMetaODTStreamBuilder::SetValueStream", 100,
     R"(the "Meta" streams nest deeper than <max-nesting> levels)"},
    {"KroMmdMetaODTStreamBuilder::SetValueStream", 300,
     R"(no "type" before "value" (members are read in text order))"},
    {"KroMmdMetaODTStreamBuilder::SetValueStream", 1111,
     "the type <type> names no kind of stream (letter case counts)"},
    {"KroMmdMetaODTStreamBuilder::SetValueStream", 6969,
     R"(a key that is no part of a meta stream (type, format, value))"},
    {"KroMmdMetaODTStreamBuilder::GetMetaODTStream", 100, R"(no "type" names its kind)"},
    {"KroMmdMetaODTStreamBuilder::GetMetaODTStream", 200,
     "the inner stream cannot be written with its format"},

    // Reading a selection (find names the item that failed).
    {"KroMmdSelectionResultODTStreamBuilder::SetValueStream", 6969,
     "a key that is no part of a selection (support, topoTags, geomReroutes)"},
    {"KroMmdSelectionResultODTStreamBuilder::_SetToposTagsStream", 100,
     R"("topoTags" is not a JSON array of strings)"},
    {"KroMmdSelectionResultODTStreamBuilder::_SetToposTagsStream", 200,
     "the model has no geometry"},
    {"KroMmdSelectionResultODTStreamBuilder::_SetToposTagsStream", 300,
     "not an unsigned decimal number"},
    {"KroMmdSelectionResultODTStreamBuilder::_SetToposTagsStream", 400,
     "no cell or body has that tag"},
    {"KroMmdSelectionResultODTStreamBuilder::_SetGeomReroutesStream", 100,
     R"("geomReroutes" is not a JSON array of strings)"},
    {"KroMmdSelectionResultODTStreamBuilder::_SetGeomReroutesStream", 200,
     R"(the support names nothing ("support" must come first))"},
    {"KroMmdSelectionResultODTStreamBuilder::GetToposInBody", 100, "the support has no body"},

    // Reading a delegate stream and a Delegate builder's stream. Placeholders are filled from the
    // stream's fields and the body tag given.
    {"KroMmdStreamDelegateForODT::GetDelegateFromStream", 100,
     "the stream names nothing in this model"},
    {"KroMmdStreamDelegateForODT::GetDelegateFromStream", 200, "no delegate can be made of it"},
    {"KroMmdStreamDelegateForODT::ParseBodyIdentifier", 100, "the stream names no feature"},
    {"KroMmdStreamDelegateForODT::ParseBodyIdentifier", 200,
     "the model has no features to look <id> up in"},
    {"KroMmdStreamDelegateForODT::ParseBodyIdentifier", 300, "the model holds no bodies"},
    {"KroMmdStreamDelegateForODT::ParseBodyIdentifier", 400, "the model has no naming graph"},
    {"KroMmdStreamDelegateForODT::ParseBodyIdentifier", 500, "no body has the tag <body-tag>"},
    {"KroMmdStreamDelegateForODT::ParseBodyIdentifier", 600, "the body tag names no body"},
    {"KroMmdStreamDelegateForODT::SetSpecializedStream", 100,
     "no contract has the identifier at character <end-at> (-1, 1, 2 and 12 do)"},
    {"KroMmdStreamDelegateForODT::_ComputeDelegateAndContract", 200,
     "the cell's BRep access makes no delegates"},
    {"KroMmdStreamDelegateForODT::_ComputeDelegateAndContract", 300,
     "the contract gives no support flags"},
    {"KroMmdStreamDelegateForODT::_ComputeDelegateAndContract", 400,
     "the modeler has no delegate factory"},
    {"KroMmdStreamDelegateForODT::_ComputeDelegateAndContract", 500,
     "the modeler has no delegate factory"},
    {"KroMmdStreamDelegateForODT::_ComputeDelegateAndContract", 600, "no feature named <id>"},
    {"KroMmdStreamDelegateForODT::_ComputeDelegateAndContract", 6969,
     "a delegate of a whole feature is found by its feature's name only, not by a body tag"},
    {"KroMmdDelegateODTStreamBuilder::SetValueStream", 100,
     R"("geomElem" is not read: a delegate is read from its "geomSubElem")"},
    {"KroMmdDelegateODTStreamBuilder::SetValueStream", 300,
     R"("contract" is not read: a delegate is read from its "geomSubElem")"},
    {"KroMmdDelegateODTStreamBuilder::SetValueStream", 6969,
     R"(a key that the Delegate builder does not read (it reads "geomSubElem" only))"},

    // Writing a delegate stream.
    {"KroMmdStreamDelegateForODT::GetStreamFromDelegate", 100, "no delegate"},
    {"KroMmdStreamDelegateForODT::GetBodyIdentifier", 100, "no delegate"},
    {"KroMmdStreamDelegateForODT::_ComputeStreamAttributes", 200,
     "the delegate gives no geometry access"},
    {"KroMmdStreamDelegateForODT::_ComputeStreamAttributes", 300,
     "the delegate's cells cannot be listed"},
    {"KroMmdStreamDelegateForODT::_ComputeStreamAttributes", 400, "the delegate has no cell"},
    {"KroMmdStreamDelegateForODT::_ComputeStreamAttributes", 500,
     "the delegate's contract cannot be had"},
    {"KroMmdStreamDelegateForODT::_ComputeStreamAttributes", 600,
     "the delegate's contract has no identifier"},

    // Dumping a cell's delegate stream through its BRep access's debugging extension.
    {"KroMmdUtilDebugExt::DumpStreamTrefle", 9001, "the extended object is no BRep access"},
    {"KroMmdUtilDebugExt::DumpStreamTrefle", 9002, "the BRep access makes no delegates"},
    {"KroMmdUtilDebugExt::DumpStreamTrefle", 9003, "the BRep access made no delegate"},
    {"KroMmdUtilDebugExt::DumpStreamTrefle", 9099, "a host error was raised while dumping"},

    // Reading a JSON stream (any builder).
    {"KroMmdODTStreamBuilder::SetODTStream", 100,
     "the text is not a JSON object (or nests too deep)"},
    {"KroMmdODTStreamBuilder::SetODTStream", 200,
     "a member's value is neither a string nor an object"},
    {"KroMmdODTStreamBuilder::SetODTStream", 400, "a member names nothing in this model"},

    // Reading a GNAOSpec stream.
    {"KroMmdGNAOSpecODTStreamBuilder::SetValueStream", 6969,
     "a key that is no way of naming an object (bodyTag, bodyId, specId, gnId, scopeEle, "
     "scopeId, alias, namingRef, logElement)"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetBodyTagStream", 100, "not an unsigned decimal number"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetBodyTagStream", 200, "the model has no geometry"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetBodyTagStream", 300, "the model has no naming graph"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetBodyTagStream", 400, "no body has that tag"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetBodyTagStream", 500,
     "no feature makes that body (it has no scope in the naming graph)"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetBodyTagStream", 600, "the body's scope has no object"},
    {"KroMmdGNAOSpecODTStreamBuilder::SetGnId", 100, "the model has no naming graph"},
    {"KroMmdGNAOSpecODTStreamBuilder::SetGnId", 200, "no object has that identifier"},
    {"KroMmdGNAOSpecODTStreamBuilder::SetGnId", 300, "the identifier's scope has no object"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetScopeEleStream", 100,
     R"(not an element number ("*n" or "n"))"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetScopeEleStream", 200, "the model has no naming graph"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetScopeEleStream", 300, "no scope has that number"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetScopeEleStream", 400, "the scope has no object"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetAliasStream", 100, "the model has no features"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetNamingRefStream", 100, "the model has no features"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetLogElementStream", 200,
     "the log element stream names nothing in this model"},
    {"KroMmdGNAOSpecODTStreamBuilder::_SetLogElementStream", 300,
     "the log element is no object of the naming graph"},

    // Reading a LogElement stream.
    {"KroMmdLogElementODTStreamBuilder::SetValueStream", 6969,
     R"(a key that is neither "root" nor "logPath")"},
    {"KroMmdLogElementODTStreamBuilder::_SetRootStream", 200, "the log root names nothing"},
    {"KroMmdLogElementODTStreamBuilder::_SetLogPathStream", 100,
     R"(no log root ("root" must come before "logPath"))"},
    {"KroMmdLogElementODTStreamBuilder::_SetLogPathStream", 200,
     "the log root has no software configuration"},
    {"KroMmdLogElementODTStreamBuilder::_SetLogPathStream", 300, "the root is no log root"},
    {"KroMmdLogElementODTStreamBuilder::_SetLogPathStream", 400,
     "the log of the root cannot be read"},
    {"KroMmdLogElementODTStreamBuilder::_SetLogPathStream", 500,
     "no log element at that path under the root"},

    // Writing a GNAOSpec or LogElement stream.
    {"KroMmdODTStreamBuilder::GetODTStream", 300, "the query cannot be parsed"},
    {"KroMmdODTStreamBuilder::GetODTStream", 400, "the query asks for a key the stream has not"},
    {"KroMmdGNAOSpecODTStreamBuilder::GetValueStream", 6969,
     "the query asks for a key the stream has not"},
    {"KroMmdGNAOSpecODTStreamBuilder::GetBody", 100, "the object has no scope"},
    {"KroMmdGNAOSpecODTStreamBuilder::GetBodyTag", 100, "the object has no body"},
    {"KroMmdGNAOSpecODTStreamBuilder::_GetSpecIdStream", 200, "the object has no identifier"},
    {"KroMmdGNAOSpecODTStreamBuilder::_GetSpecIdStream", 300,
     "the object's identifier has no text form"},
    {"KroMmdGNAOSpecODTStreamBuilder::_GetScopeEleStream", 100, "the object has no scope"},
    {"KroMmdGNAOSpecODTStreamBuilder::_GetAliasStream", 100, "it has no alias"},
    {"KroMmdGNAOSpecODTStreamBuilder::_GetNamingRefStream", 100, "it is no spec"},
    {"KroMmdGNAOSpecODTStreamBuilder::_GetNamingRefStream", 200,
     "its naming reference cannot be read"},
    {"KroMmdGNAOSpecODTStreamBuilder::_GetLogElementStream", 100, "it is no log element"},
    {"KroMmdGNAOSpecODTStreamBuilder::_GetLogElementStream", 200,
     "it is no element under a log root (a feature is a log root, not an element)"},
    {"KroMmdLogElementODTStreamBuilder::SetLogElement", 100, "it is no associated object"},
    {"KroMmdLogElementODTStreamBuilder::SetLogElement", 200, "it has no identifier"},
    {"KroMmdLogElementODTStreamBuilder::SetLogElement", 300,
     "its identifier has not the two numbers of a log element"},
    {"KroMmdLogElementODTStreamBuilder::SetLogElement", 500, "its log root cannot be found"},
    {"KroMmdLogElementODTStreamBuilder::_GetLogPathStream", 700,
     "the element has not exactly one path under its root"},

    // Rendering a string template.
    {"KroMmrODTStringTemplate::Render", 100, "it cannot be rendered"},
    {"KroMmrODTStringTemplate::_HandleEntry", 100,
     R"(an entry has no "|" between its source and its filter)"},
    {"KroMmrODTStringTemplate::_HandleEntry", 500,
     "entries nested deeper than <max-depth> levels (a file that includes itself?)"},
    {"KroMmrODTStringTemplate::_HandleEntry", 600,
     "it grows past <max-entries> entries or <max-text> of text (files that include each "
     "other many times?)"},
    {"KroMmrODTStringTemplate::_LoadData", 100,
     R"(a file source leads outside the root folder (a ".." segment, a path that begins with )"
     R"("/", or a link), or the root folder does not exist)"},
    {"KroMmrODTStringTemplate::_LoadData", 200,
     "a file source cannot be read (no such file, not a regular file, or larger than "
     "<max-text>)"},
    {"KroMmrODTStringTemplate::_PostFilter", 6969,
     R"(a filter is none of "JSToJSON", "JSONToJS" and "SemicolonToComa")"},
};

// Outer steps that say what was being read; their words come before the innermost reason.
// Stage 200 of SetValueStream covers "bodyTag" and "bodyId", 300 "specId" and "gnId", and so on.
const TraceWords kTraceContexts[] = {
    {"KroMmdStreamTopoForODT::ParseBodyIdentifier", 200, "body identifier <id>"},
    {"KroMmdGNAOSpecODTStreamBuilder::SetValueStream", 200, "body tag <value>"},
    {"KroMmdGNAOSpecODTStreamBuilder::SetValueStream", 300, "identifier <value>"},
    {"KroMmdGNAOSpecODTStreamBuilder::SetValueStream", 400, "scope element <value>"},
    {"KroMmdGNAOSpecODTStreamBuilder::SetValueStream", 500, "alias <value>"},
    {"KroMmdGNAOSpecODTStreamBuilder::SetValueStream", 600, "naming reference <value>"},
    {"KroMmdGNAOSpecODTStreamBuilder::SetValueStream", 700, "log element"},
    {"KroMmdLogElementODTStreamBuilder::SetValueStream", 200, "log root"},
    {"KroMmdLogElementODTStreamBuilder::SetValueStream", 300, "log path"},
    {"KroMmdDelegateODTStreamBuilder::SetValueStream", 200, "geometric sub-element"},
    {"KroMmdBRepAccessODTStreamBuilder::SetValueStream", 200, "support"},
    {"KroMmdBRepAccessODTStreamBuilder::SetValueStream", 300, "tag <value>"},
    {"KroMmdBRepAccessODTStreamBuilder::SetValueStream", 400, "BRep element <value>"},
    {"KroMmdBRepAccessODTStreamBuilder::SetValueStream", 500, "geometric selector <value>"},
    {"KroMmdBRepAccessODTStreamBuilder::SetValueStream", 600, "report selector <value>"},
};

// What a placeholder reads as when the caller did not fill it.
const std::pair<const char*, const char*> kPlaceholderFallbacks[] = {
    {"<id>", "given"},    {"<token>", "given"}, {"<cell>", "cell"},  {"<point>", "written"},
    {"<length-at>", "2"}, {"<token-at>", "?"},  {"<point-at>", "?"}, {"<direction-at>", "?"},
    {"<end-at>", "?"},    {"<value>", "given"}, {"<type>", "given"}, {"<body-tag>", "given"},
};

const TraceWords* FindRow(const TraceWords* begin, const TraceWords* end,
                          const KroSysTraceEntry& entry) {
  for (const TraceWords* row = begin; row != end; ++row) {
    if (row->stage == entry.stage && entry.name == row->name) return row;
  }
  return nullptr;
}

}  // namespace

const char* KroOdtTraceWords(const std::string& qualifiedName, int stage) {
  const TraceWords* row = FindRow(std::begin(kTraceWords), std::end(kTraceWords),
                                  KroSysTraceEntry{stage, qualifiedName});
  return row != nullptr ? row->words : nullptr;
}

std::string KroOdtExplainTrace(const std::vector<KroSysTraceEntry>& chain) {
  for (size_t i = 0; i < chain.size(); ++i) {
    const char* words = KroOdtTraceWords(chain[i].name, chain[i].stage);
    if (words == nullptr) continue;
    // The innermost outer step that says what was being read, unless it is this very step.
    for (size_t j = i + 1; j < chain.size(); ++j) {
      if (const TraceWords* context =
              FindRow(std::begin(kTraceContexts), std::end(kTraceContexts), chain[j])) {
        return std::string(context->words) + ": " + words;
      }
    }
    return words;
  }
  if (chain.empty()) return "";
  return chain.front().name + " stage " + std::to_string(chain.front().stage);
}

std::string KroOdtFillPlaceholders(const std::string& text,
                                   const std::map<std::string, std::string>& words) {
  std::string filled;
  for (size_t pos = 0; pos < text.size();) {
    const size_t open = text.find('<', pos);
    const size_t close = open == std::string::npos ? open : text.find('>', open);
    if (close == std::string::npos) {
      filled.append(text, pos, std::string::npos);
      break;
    }
    filled.append(text, pos, open - pos);
    const std::string name = text.substr(open, close - open + 1);
    const auto given = words.find(name);
    const char* fallback = nullptr;
    for (const auto& row : kPlaceholderFallbacks) {
      if (name == row.first) fallback = row.second;
    }
    if (given != words.end()) {
      filled += given->second;
    } else if (name == "<tolerance>") {
      KroUnicodeString tolerance;
      tolerance.BuildFromNum(KroMmdGeomCursorForODT::_LocationTolerance, "%g");
      filled += tolerance.ToStdString();
    } else if (fallback != nullptr) {
      filled += fallback;
    } else {
      filled += name;  // not a placeholder: "<" and ">" of the text itself
    }
    pos = close + 1;
  }
  return filled;
}

std::string KroOdtRawTrace(const std::vector<KroSysTraceEntry>& chain) {
  std::string raw;
  for (const KroSysTraceEntry& entry : chain) {
    if (!raw.empty()) raw += " < ";
    raw += entry.name + ":" + std::to_string(entry.stage);
  }
  return raw;
}
