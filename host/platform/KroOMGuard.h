// The object-model guard: while one lives, no other thread makes meta objects or changes the
// interface dictionary. Guards nest on one thread.
#ifndef KroOMGuard_H
#define KroOMGuard_H

class KroOMGuard {
 public:
  KroOMGuard();
  ~KroOMGuard();
  KroOMGuard(const KroOMGuard&) = delete;
  KroOMGuard& operator=(const KroOMGuard&) = delete;
};

#endif
