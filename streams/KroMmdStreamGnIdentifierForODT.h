// Text form of a generic-naming identifier: "#42" for one number, "~FF~10" for two. Used for
// the identifiers that the GNAOSpec builder writes and for the body identifier of topology
// streams; the text never contains "_".
#ifndef KroMmdStreamGnIdentifierForODT_H
#define KroMmdStreamGnIdentifierForODT_H

#include "KroGnIdentifier.h"
#include "KroResult.h"
#include "KroUnicodeString.h"

class KroMmdStreamGnIdentifierForODT {
 public:
  // Writes "#" and the number ("%u") for kind 1, "~", first ("%X"), "~", second ("%X") for
  // kind 3. Any other kind fails; the output is then empty.
  [[nodiscard]] static KroResult GetStreamFromGnIdentifier(const KroGnIdentifier& identifier,
                                                           KroUnicodeString& stream);
  // Reads either form ("~" wins when the text has both) and assigns the identifier. On failure
  // the identifier is left as it was. Numbers are unsigned 32-bit: a sign or a larger value is
  // no number.
  [[nodiscard]] static KroResult GetGnIdentifierFromStream(const KroUnicodeString& stream,
                                                           KroGnIdentifier& identifier);
};

#endif
