// Stream builder of a log element of the modeling log: "root", the log root as a nested GNAOSpec
// stream, and "logPath", the element's path in that root's log table ("Construction.Face.12").
// Reading needs "root" before "logPath".
#ifndef KroMmdLogElementODTStreamBuilder_H
#define KroMmdLogElementODTStreamBuilder_H

#include "KroIGnAssociatedObject.h"
#include "KroIMmiLogElement.h"
#include "KroMmdGNAOSpecODTStreamBuilder.h"
#include "KroMmdODTStreamBuilder.h"
#include "KroResult.h"
#include "KroUnicodeString.h"

class KroMmdLogElementODTStreamBuilder : public KroMmdODTStreamBuilder {
 public:
  KroMmdLogElementODTStreamBuilder();
  KroMmdLogElementODTStreamBuilder(const KroMmdLogElementODTStreamBuilder& other);
  KroMmdLogElementODTStreamBuilder& operator=(const KroMmdLogElementODTStreamBuilder& other);
  ~KroMmdLogElementODTStreamBuilder() override;

  // Stores the element and finds its root from the first number of its identifier (the
  // builder's context must be set). After a failure at 400 or 500 the element is stored
  // already; before, the builder is unchanged.
  [[nodiscard]] KroResult SetLogElement(const KroIMmiLogElement_var& element);
  KroResult GetLogElement(KroIMmiLogElement_var& element);
  // The element seen as an associated object (null when it is not one).
  KroResult GetSpecGNAO(KroIGnAssociatedObject_var& object);

 private:
  KroResult DeclareInputs() override;
  KroResult SetValueStream(const KroUnicodeString& key, const KroUnicodeString& value) override;
  KroResult GetValueStream(const KroUnicodeString& key, const KroUnicodeString& format,
                           KroUnicodeString& out) override;

  KroResult _SetRootStream(const KroUnicodeString& value);
  KroResult _GetRootStream(const KroUnicodeString& format, KroUnicodeString& out);
  KroResult _SetLogPathStream(const KroUnicodeString& value);
  KroResult _GetLogPathStream(KroUnicodeString& out);

  KroMmdGNAOSpecODTStreamBuilder _Root;
  KroIMmiLogElement_var _LogElement;
};

#endif
