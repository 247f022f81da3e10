// Abstract base of every JSON stream builder. It keeps the caller's context and the tree of
// declared inputs, reads a JSON stream member by member into the concrete builder, and writes
// the builder's state as a JSON stream shaped by an output-format query.
#ifndef KroMmdODTStreamBuilder_H
#define KroMmdODTStreamBuilder_H

#include <vector>

#include "KroList.h"
#include "KroOmxAny.h"
#include "KroOmxJsonWriter.h"
#include "KroResult.h"
#include "KroUnicodeString.h"
#include "KroVar.h"

class KroMmdODTStreamBuilder {
 public:
  KroMmdODTStreamBuilder();
  KroMmdODTStreamBuilder(const KroMmdODTStreamBuilder& other);
  KroMmdODTStreamBuilder& operator=(const KroMmdODTStreamBuilder& other);
  virtual ~KroMmdODTStreamBuilder();

  // Stores the context that this builder and its nested builders reach the host through.
  KroResult SetContext(const KroBaseUnknown_var& context);

  // Reads one JSON object: every member, in text order, goes to SetValueStream with its value
  // text (a string as it is, an object or array rendered again as JSON). The builder is not
  // reset first. Stages: 100 not JSON, not an object, or nested deeper than
  // KroOmxJson::kMaxDepth; 200 a member value that cannot be rendered (numbers, booleans,
  // null, arrays inside objects); 400 SetValueStream failed. Members read before a failure
  // keep their effect.
  [[nodiscard]] KroResult SetODTStream(const KroUnicodeString& stream);

  // Writes the requested inputs of the query (keys in query order, each with its sub-query),
  // then every mandatory input still missing, as one JSON object. stream is replaced only on
  // success. Stages: 100 reset; 200 DeclareInputs; 300 query not parsable; 400 a requested
  // key not declared; 500 a requested value not obtained; 600 mandatory fill (including a
  // group that can never be completed); 700 rendering (including values nested too deep).
  [[nodiscard]] KroResult GetODTStream(const KroUnicodeString& format, KroUnicodeString& stream);

 protected:
  KroBaseUnknown_var& GetContext();

  // Declares key under parent (the root "_root_" when parent is empty); parents first.
  // isAND 0 makes the input an alternative of its group, 1 a conjunct; isOpt 1 makes it
  // optional. The parent's children list is changed where it stands. Stages: 100 key already
  // declared; 700 parent not declared; 300, 400, 600, 800, 1200, 1300 storing the node
  // failed; 900 adding the key to the parent's children failed.
  [[nodiscard]] KroResult DeclareInput(const KroUnicodeString& parent, const KroUnicodeString& key,
                                       unsigned char isAND, unsigned char isOpt);

  // Splits the text of a JSON array into the texts of its items (strings as they are, objects
  // and arrays rendered again as JSON). items is emptied first. Stages: 100 the text is not
  // JSON, nests deeper than KroOmxJson::kMaxDepth, or is JSON but not an array (items stays
  // empty); 200 an item cannot be rendered (the items before it stay in the list).
  [[nodiscard]] KroResult ParseJSONList(const KroUnicodeString& text,
                                        KroListValKroUnicodeString& items) const;

 private:
  // Hooks of the concrete builder. DeclareInputs calls DeclareInput once per input;
  // SetValueStream takes the value text of one input; GetValueStream gives it, format being
  // the sub-query of that key (empty when none).
  virtual KroResult DeclareInputs() = 0;
  virtual KroResult SetValueStream(const KroUnicodeString& key, const KroUnicodeString& value) = 0;
  virtual KroResult GetValueStream(const KroUnicodeString& key, const KroUnicodeString& format,
                                   KroUnicodeString& out) = 0;

  // Declared-input tree.
  KroResult _ResetInputs();
  KroResult _UpdateInputMap(KroOmxAny& tree, const KroUnicodeString& key);

  // Rendering of a parsed value as JSON text. text is changed only on success. The recursive
  // walks carry the nesting level of the object or list they write (1 for the outermost) and
  // refuse, with stage 6969, anything nested deeper than KroOmxJson::kMaxDepth, so that a tree
  // built in code cannot exhaust the stack and the text written can always be read again.
  KroResult _StringifyNode(const KroOmxAny& value, KroUnicodeString& text) const;
  KroResult _StringifyMap(const KroOmxAny& value, KroUnicodeString& text) const;
  KroResult _StringifyList(const KroOmxAny& value, KroUnicodeString& text) const;
  KroResult _RWriteJSONObject(KroOmxJsonWriter::Object& object, const KroOmxAny& value,
                              int depth = 1) const;
  KroResult _RWriteJSONList(KroOmxJsonWriter::List& list, const KroOmxAny& value,
                            int depth = 1) const;

  // Writing. The result of one write is a map from written key to value, in writing order.
  // A value is written as a string (kString), as the object parsed from its text
  // (kParsedObject), or, for object text already in the writer's own form such as a nested
  // builder's stream, as that text as it stands (kWrittenObject): parsing and writing it
  // again would give the same bytes.
  struct _ResultMember {
    enum Form { kString, kWrittenObject, kParsedObject };
    KroUnicodeString key;
    Form form = kString;
    KroUnicodeString text;  // the value text; kParsedObject: parsed into object
    KroOmxAny object;
  };
  typedef std::vector<_ResultMember> _ResultMap;

  KroResult _StringifyMap(const _ResultMap& result, KroUnicodeString& text) const;
  KroResult _RWriteJSONObject(KroOmxJsonWriter::Object& object, const _ResultMap& result) const;
  KroResult _MapGetValueStream(const KroUnicodeString& key, const KroUnicodeString& format,
                               _ResultMap& result);
  // Stage 400: a fill pass ended with "_root_" still not given (a group that can never be
  // completed); a further pass could not change anything, so the fill stops there.
  KroResult _FillMandatoryInputs(_ResultMap& result, KroOmxAny& tree);
  KroResult _FillNextMandatoryInput(_ResultMap& result, KroOmxAny& tree,
                                    const KroUnicodeString& key);

  KroBaseUnknown_var _Context;
  KroOmxAny _InputMap;
};

#endif
