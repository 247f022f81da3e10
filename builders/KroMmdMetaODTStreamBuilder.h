// Stream builder of a builder of any kind, behind three keys: "type" names the kind of the inner
// builder, "format" the output-format query to write it with, "value" holds its stream:
// {"type":"BRepAccess","format":"support{specId} topoTag","value":{"support":...}}.
// Includes run one way, framework <- streams <- builders: it makes every builder, so it is here.
#ifndef KroMmdMetaODTStreamBuilder_H
#define KroMmdMetaODTStreamBuilder_H

#include <memory>

#include "KroMmdODTStreamBuilder.h"
#include "KroResult.h"
#include "KroUnicodeString.h"

class KroMmdMetaODTStreamBuilder : public KroMmdODTStreamBuilder {
 public:
  // A chain of "Meta" streams makes one meta builder inside another per level, each read from
  // within the one above: at most this many levels are read, a deeper one is not made (stage 100
  // of SetValueStream), so that no stream can exhaust the stack.
  static constexpr int kMaxNesting = 64;

  KroMmdMetaODTStreamBuilder();
  // The copy gets a copy of its own of the inner builder (and of what that one holds).
  KroMmdMetaODTStreamBuilder(const KroMmdMetaODTStreamBuilder& other);
  KroMmdMetaODTStreamBuilder& operator=(const KroMmdMetaODTStreamBuilder& other);
  ~KroMmdMetaODTStreamBuilder() override;

  // Writes the inner builder's stream with the stored "format". Stages: 100 no inner builder
  // (no "type" read, or the last one named no builder); 200 the inner builder's write failed.
  // An inner meta builder writes its own three inputs, each as an empty string.
  [[nodiscard]] KroResult GetMetaODTStream(KroUnicodeString& stream);

  // The inner builder, owned by this one: null before a "type" is read and after one that
  // names no builder. Valid until the next "type" is read or this builder goes.
  KroMmdODTStreamBuilder* GetInnerBuilder() const { return _Builder.get(); }

 private:
  KroResult DeclareInputs() override;
  // "type" drops the inner builder, makes the one that the value names (compared exactly, in
  // the order of the type table) and hands it this builder's context; "format" is kept until
  // replaced, across streams; "value" is read by the inner builder. Stages: 1111 "type" names
  // no builder; 100 the builder is not made (out of memory, or a chain of "Meta" deeper than
  // kMaxNesting); 200 context; 300 "value" before any "type"; 400 the inner builder refused
  // "value"; 6969 any other key.
  KroResult SetValueStream(const KroUnicodeString& key, const KroUnicodeString& value) override;
  // Gives nothing for every key: GetODTStream on a meta builder writes three empty strings.
  KroResult GetValueStream(const KroUnicodeString& key, const KroUnicodeString& format,
                           KroUnicodeString& out) override;

  KroUnicodeString _Format;
  std::unique_ptr<KroMmdODTStreamBuilder> _Builder;
  int _Kind;   // the row of the type table that made _Builder, -1 without one; copies use it
  int _Depth;  // meta builders above this one in its chain, 0 for one made by a caller
};

#endif
