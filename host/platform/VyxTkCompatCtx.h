// The host's protected block: a scope inside which host errors (KroError) may be raised and are
// caught by the code that opened it. Blocks nest; the host asks Depth() whether one is open.
// The usual shape:
//
//   VyxTkCompatCtx block;
//   try {
//     ...  // host calls that may throw a KroError
//   } catch (KroError& error) {
//     try {
//       Flush(error);
//       block.Close();
//       return KroSysFail(stage, kName);
//     } catch (KroError& again) {
//       VyxTkCompatCtx::Rethrow(again);  // to the block of the caller
//     }
//   }
#ifndef VyxTkCompatCtx_H
#define VyxTkCompatCtx_H

#include "KroError.h"

class VyxTkCompatCtx {
 public:
  // Opens a block; the destructor closes it if Close has not.
  VyxTkCompatCtx();
  ~VyxTkCompatCtx();
  VyxTkCompatCtx(const VyxTkCompatCtx&) = delete;
  VyxTkCompatCtx& operator=(const VyxTkCompatCtx&) = delete;

  // Closes the block; a second call does nothing.
  void Close();
  bool IsOpen() const { return _Open; }

  // How many blocks are open on this thread.
  static int Depth();

  // Passes a caught error on to the caller's block: the same error (not a copy of its
  // message), so that whoever catches it there can flush it. An empty reference is passed on as
  // an error that says so.
  [[noreturn]] static void Rethrow(const KroError& error);

 private:
  bool _Open;
};

#endif
