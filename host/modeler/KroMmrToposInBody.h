// Topological objects within one body, as the modeler hands a selection result around: the
// body and a list of its cells. A value; it holds a reference to each object it lists.
#ifndef KroMmrToposInBody_H
#define KroMmrToposInBody_H

#include "KroBody.h"
#include "KroIMmiMechanicalFeature.h"
#include "KroListPtrKroTopology.h"
#include "KroListValKroBaseUnknown_var.h"
#include "KroResult.h"

class KroMmrToposInBody {
 public:
  KroMmrToposInBody() = default;
  KroMmrToposInBody(const KroBody_var& body, const KroListValKroBaseUnknown_var& topos)
      : _Body(body), _Topos(topos) {}

  // Appends the listed objects that are topological objects, in order (an empty entry names
  // none and is skipped), each with a reference that KroMmrQubConversionsServices::ReleaseList
  // gives back. mode: 2 (every value behaves as 2); feature: empty (every value behaves as an
  // empty one). Always 0.
  KroResult GetTopos(KroListPtrKroTopology& topos, int mode,
                     const KroIMmiMechanicalFeature_var& feature) const;
  // The body; fails, body empty, when there is none.
  KroResult GetBody(KroBody_var& body) const;

 private:
  KroBody_var _Body;
  KroListValKroBaseUnknown_var _Topos;
};

#endif
