// The host's maker of extensions: the creation function that a library registers for an
// extension (KroFillDictionary) hands its arguments here with the extension's meta object, the
// interface it serves and the factory that allocates it.
#ifndef ToCreateBOA_H
#define ToCreateBOA_H

#include "KroBaseUnknown.h"
#include "KroMetaClass.h"

// Makes the extension of implementation (object when implementation is null): the factory
// allocates it with one reference, which goes to the caller, and the extension holds a
// reference to the object it extends until it goes, answering for it (KroBaseUnknown). Null,
// with nothing left alive, when both objects are null, the meta object describes no extension
// of the object's late type, or the factory makes nothing, an object of another class than the
// meta object describes, or one that does not implement the interface.
KroBaseUnknown* ToCreateBOA(KroBaseUnknown* object, KroBaseUnknown* implementation,
                            const KroMetaClass* meta, const KroIID& iid, KroBOAFactory factory);

#endif
