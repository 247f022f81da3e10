// The host's file reader: reads the whole text of one file, byte for byte. Paths are in the
// host's spelling, where "\" separates folders as "/" does. A reader may be kept below a root
// folder; it then refuses every path that leads outside that folder, links included.
#ifndef KroMmdFSReadFileOperator_H
#define KroMmdFSReadFileOperator_H

#include <cstddef>
#include <string>

#include "KroResult.h"
#include "KroUnicodeString.h"

class KroMmdFSReadFileOperator {
 public:
  KroMmdFSReadFileOperator() = default;
  KroMmdFSReadFileOperator(const KroMmdFSReadFileOperator&) = delete;
  KroMmdFSReadFileOperator& operator=(const KroMmdFSReadFileOperator&) = delete;

  // Keeps the reader below folder (empty: the current folder); call it before SetFilePath.
  // Fails, and the reader then refuses every path, when the folder cannot be resolved.
  [[nodiscard]] KroResult SetRootFolder(const KroUnicodeString& folder);
  // Fails for an empty path or one holding a zero character. Below a root folder it also fails
  // when the path does not begin with the folder, when the rest begins with a separator or has
  // a ".." segment, and when an existing file at the path resolves, links included, outside
  // the folder. Nothing is read.
  [[nodiscard]] KroResult SetFilePath(const KroUnicodeString& path);
  // Files larger than this are not read; unlimited by default.
  void SetMaxSize(size_t bytes) { _MaxSize = bytes; }
  // Reads the file. Fails when no path was accepted, when the file is missing, not a regular
  // file, larger than the maximum size or unreadable, and below a root folder when it now
  // resolves outside the folder (a link made after SetFilePath). The text of an earlier Run is
  // dropped first.
  [[nodiscard]] KroResult Run();
  // The text of the last successful Run; fails, text empty, when there is none.
  [[nodiscard]] KroResult GetFullText(KroUnicodeString& text) const;

 private:
  enum class Place { kMissing, kBelow, kOutside };
  // Where path leads once its links are resolved (resolved is then the real path): nowhere
  // (no file there), below the root folder, or outside it.
  Place _Resolve(const std::string& path, std::string& resolved) const;

  bool _Confined = false;     // SetRootFolder was called
  std::string _RootText;      // the folder as given, "/" separators, ending in "/" unless empty
  std::string _RootResolved;  // its real path, ending in "/"; empty when it cannot be resolved
  std::string _Path;          // the accepted path, "/" separators; empty when none
  size_t _MaxSize = static_cast<size_t>(-1);
  std::string _Text;
  bool _HasText = false;
};

#endif
