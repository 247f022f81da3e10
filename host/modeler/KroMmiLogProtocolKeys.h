// Keys of the modeling log protocol: the first key of the paths under which a log root keeps
// the elements of each of its logs.
#ifndef KroMmiLogProtocolKeys_H
#define KroMmiLogProtocolKeys_H

class KroMmiLogProtocolKeys {
 public:
  // The generic feature log.
  class GFLog {
   public:
    // The elements that building the feature made: one per cell of its body.
    static constexpr const char* _Construction = "Construction";
  };
};

#endif
