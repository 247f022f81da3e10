// The debugging interface of BRep accesses: its meta object.
#include "KroIMmrUtilDebug.h"

KRO_REGISTER_INTERFACE(KroIMmrUtilDebug);

const KroMetaClass* KroIMmrUtilDebug::MetaObject() {
  static const KroMetaClass* const meta =
      KroMetaClass::Retrieve(InterfaceName(), KroClassInterface, nullptr, nullptr, "KroModeler", 0);
  return meta;
}
