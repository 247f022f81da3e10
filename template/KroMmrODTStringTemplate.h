// Fills a text template for host code. Each entry, "{{ source | filter }}", is replaced by the
// filtered content of its source: literal text, or "file:/" and a path below the root path.
// The content of a source is rendered first, so files include further files.
//
// Filters: "JSToJSON" escapes "\", the double quote and the line feed for use inside a JSON
// string; "JSONToJS" passes the text on; "SemicolonToComa" turns ";" into ",". An entry's
// closing "}}" is found by counting braces, so a literal source may hold a pair of single
// braces; the "|" that ends the source is the first one of the entry. A "{{" that no "}}"
// balances stays in the output as it is, and so does the rest of the text after it.
//
// A file source is the root path followed directly by the path after "file:/", every "/"
// written "\" (the host's separator); a root path that names a folder ends in "/". A file
// source never leaves the folder of the root path (the root path itself when it ends in a
// separator, else the folder it lies in): a path with a ".." segment, one that begins with a
// separator, or one that leads outside through a link is refused, and nothing is read.
#ifndef KroMmrODTStringTemplate_H
#define KroMmrODTStringTemplate_H

#include <cstddef>
#include <string>

#include "KroResult.h"
#include "KroUnicodeString.h"

class KroMmrODTStringTemplate {
 public:
  // Bounds of one rendering: entries nested deeper than kMaxDepth (a file that includes itself,
  // directly or through others), more than kMaxEntries entries in all, or more than kMaxText
  // bytes of loaded and filtered text in all make it fail. A source counts once as loaded and
  // once as filtered at each level it passes, so one file included directly may hold half of
  // kMaxText.
  static constexpr int kMaxDepth = 32;
  static constexpr size_t kMaxEntries = 100000;
  static constexpr size_t kMaxText = size_t{64} << 20;

  KroMmrODTStringTemplate() = default;

  KroResult SetTemplate(const KroUnicodeString& text);
  KroResult SetRootPath(const KroUnicodeString& path);

  // Renders the template into output. Stages of "KroMmrODTStringTemplate::Render": 100 the
  // rendering failed (then output is empty). Each file is read anew at each rendering.
  [[nodiscard]] KroResult Render(KroUnicodeString& output);

 private:
  // Renders input into output (they may be the same string), entry by entry from the left;
  // each replacement is searched again for entries. Traced under Render's name: 100 the entry
  // search failed, 200 an entry was not handled.
  KroResult _RRender(const KroUnicodeString& input, KroUnicodeString& output);
  // Finds the first entry whose "{{" is the first one at or after start: start becomes the
  // position of its "{{" and end that of its closing "}}", both -1 when that "{{" is not
  // balanced or there is none. Always 0.
  static KroResult _ComputeNextEntryPosition(const std::string& text, long& start, long& end);
  // The replacement of one entry (from "{{" to "}}" included). Stages: 100 no "|" in the entry,
  // 200 source not loaded, 300 source content not rendered, 400 filter failed; 500 the entry is
  // nested deeper than kMaxDepth, 600 the rendering went past kMaxEntries or kMaxText.
  KroResult _HandleEntry(const KroUnicodeString& entry, KroUnicodeString& result);
  // The content of a source: the source itself, or the text of its file. Stages: 100 file path
  // refused, 200 file not read, 300 text not obtained.
  KroResult _LoadData(const KroUnicodeString& source, KroUnicodeString& data) const;
  // The data through the named filter. Stage 6969: no filter of that name.
  static KroResult _PostFilter(const KroUnicodeString& filter, const KroUnicodeString& data,
                               KroUnicodeString& result);
  // Counts text against kMaxText; false once the rendering has gone past it.
  bool _Spend(size_t bytes);

  KroUnicodeString _RootPath;
  KroUnicodeString _Template;
  // The rendering under way: entries open around the current one, entries and text so far.
  int _Depth = 0;
  size_t _Entries = 0;
  size_t _Text = 0;
};

#endif
