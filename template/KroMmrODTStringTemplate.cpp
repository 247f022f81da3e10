// String template renderer: entries, their sources, the three filters and the bounds of one
// rendering.
#include "KroMmrODTStringTemplate.h"

#include <algorithm>
#include <utility>

#include "KroMmdFSReadFileOperator.h"
#include "KroSysBftier.h"

namespace {
const char* const kRenderName = "KroMmrODTStringTemplate::Render";
const char* const kEntryName = "KroMmrODTStringTemplate::_HandleEntry";
const char* const kLoadName = "KroMmrODTStringTemplate::_LoadData";
const char* const kFilterName = "KroMmrODTStringTemplate::_PostFilter";

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Whether the path after "file:/" could lead above the root: it begins with a separator, or
// one of its segments is "..".
bool LeavesTheRoot(const std::string& relative) {
  if (!relative.empty() && IsSeparator(relative[0])) return true;
  size_t begin = 0;
  for (size_t pos = 0; pos <= relative.size(); ++pos) {
    if (pos == relative.size() || IsSeparator(relative[pos])) {
      if (pos - begin == 2 && relative.compare(begin, 2, "..") == 0) return true;
      begin = pos + 1;
    }
  }
  return false;
}

// The folder that file sources stay below: the root path up to its last separator, or the
// current folder when it has none.
KroUnicodeString RootFolderOf(const KroUnicodeString& root) {
  const std::string& text = root.ToStdString();
  const size_t last = text.find_last_of("/\\");
  return last == std::string::npos ? KroUnicodeString()
                                   : KroUnicodeString(text.substr(0, last + 1));
}
}  // namespace

KroResult KroMmrODTStringTemplate::SetTemplate(const KroUnicodeString& text) {
  _Template = text;
  return KRO_S_OK;
}

KroResult KroMmrODTStringTemplate::SetRootPath(const KroUnicodeString& path) {
  _RootPath = path;
  return KRO_S_OK;
}

KroResult KroMmrODTStringTemplate::Render(KroUnicodeString& output) {
  output = KroUnicodeString();
  _Depth = 0;
  _Entries = 0;
  _Text = 0;
  // _RRender sets its output only when it succeeds, so a failure leaves output empty.
  if (KroFailed(_RRender(_Template, output))) return KroSysFail(100, kRenderName);
  return KRO_S_OK;
}

KroResult KroMmrODTStringTemplate::_RRender(const KroUnicodeString& input,
                                            KroUnicodeString& output) {
  // The working text is done followed by text from live on. Text before the search position
  // is final and moves to done. An entry is replaced where it stands, in the room that its own
  // text and the dead text before it leave (the text is rebuilt with fresh room when that is
  // too small), so a rendering stays linear in what it reads and writes. The replacement
  // stands at the search position and is searched again.
  std::string text = input.ToStdString();
  std::string done;
  size_t live = 0;
  long start = 0;
  long end = 0;
  if (KroFailed(_ComputeNextEntryPosition(text, start, end))) {
    return KroSysFail(100, kRenderName);
  }
  while (start >= 0 && end >= 0) {
    const size_t at = static_cast<size_t>(start);
    const size_t after = static_cast<size_t>(end) + 2;
    done.append(text, live, at - live);
    KroUnicodeString result;
    if (KroFailed(_HandleEntry(KroUnicodeString(text.substr(at, after - at)), result))) {
      return KroSysFail(200, kRenderName);
    }
    const std::string& replacement = result.ToStdString();
    if (replacement.size() <= after) {
      live = after - replacement.size();
      std::copy(replacement.begin(), replacement.end(), text.begin() + static_cast<long>(live));
    } else {
      const size_t room = replacement.size() + (text.size() - after);
      std::string rebuilt;
      rebuilt.reserve(2 * room);
      rebuilt.assign(room, '\0');
      rebuilt += replacement;
      rebuilt.append(text, after, std::string::npos);
      text.swap(rebuilt);
      live = room;
    }
    start = static_cast<long>(live);
    if (KroFailed(_ComputeNextEntryPosition(text, start, end))) {
      return KroSysFail(100, kRenderName);
    }
  }
  done.append(text, live, std::string::npos);
  output = KroUnicodeString(std::move(done));
  return KRO_S_OK;
}

KroResult KroMmrODTStringTemplate::_ComputeNextEntryPosition(const std::string& text, long& start,
                                                             long& end) {
  static const std::string kOpen("{{");
  static const std::string kClose("}}");
  const size_t from = start < 0 ? 0 : static_cast<size_t>(start);
  start = -1;
  end = -1;
  const size_t open = text.find(kOpen, from);
  if (open == std::string::npos) return KRO_S_OK;
  // For each "}}" after the "{{" in turn: the "{" from the "{{" up to the "}}", less the "}"
  // up to the end of the "}}". Both bounds only move forward, so each character is counted
  // once however many "}}" are tried.
  long balance = 0;
  size_t opensCounted = open;
  size_t closesCounted = open;
  for (size_t close = text.find(kClose, open + 2); close != std::string::npos;
       close = text.find(kClose, close + 1)) {
    for (; opensCounted < close; ++opensCounted) {
      if (text[opensCounted] == '{') ++balance;
    }
    for (; closesCounted < close + 2; ++closesCounted) {
      if (text[closesCounted] == '}') --balance;
    }
    if (balance == 0) {
      start = static_cast<long>(open);
      end = static_cast<long>(close);
      return KRO_S_OK;
    }
  }
  return KRO_S_OK;
}

bool KroMmrODTStringTemplate::_Spend(size_t bytes) {
  _Text += bytes;
  return _Text <= kMaxText;
}

KroResult KroMmrODTStringTemplate::_HandleEntry(const KroUnicodeString& entry,
                                                KroUnicodeString& result) {
  static const KroUnicodeString kBar("|");
  static const KroUnicodeChar kSpace(' ');
  result = KroUnicodeString();
  // The bounds come first, so that nothing is read for an entry past them.
  if (_Depth >= kMaxDepth) return KroSysFail(500, kEntryName);
  if (++_Entries > kMaxEntries) return KroSysFail(600, kEntryName);

  const int bar = entry.SearchSubString(kBar, 0, 1);
  if (bar <= 0) return KroSysFail(100, kEntryName);
  KroUnicodeString source = entry.SubString(2, bar - 2);
  source.Strip(3, kSpace);
  KroUnicodeString filter = entry.SubString(bar + 1, entry.GetLengthInChar() - bar - 3);
  filter.Strip(3, kSpace);

  KroUnicodeString data;
  if (KroFailed(_LoadData(source, data))) return KroSysFail(200, kEntryName);
  if (!_Spend(static_cast<size_t>(data.GetLengthInChar()))) return KroSysFail(600, kEntryName);
  ++_Depth;
  const KroResult rendered = _RRender(data, data);
  --_Depth;
  if (KroFailed(rendered)) return KroSysFail(300, kEntryName);
  if (KroFailed(_PostFilter(filter, data, result))) return KroSysFail(400, kEntryName);
  if (!_Spend(static_cast<size_t>(result.GetLengthInChar()))) return KroSysFail(600, kEntryName);
  return KRO_S_OK;
}

KroResult KroMmrODTStringTemplate::_LoadData(const KroUnicodeString& source,
                                             KroUnicodeString& data) const {
  static const KroUnicodeString kFilePrefix("file:/");
  data = KroUnicodeString();
  if (source.SearchSubString(kFilePrefix, 0, 1) != 0) {
    data = source;
    return KRO_S_OK;
  }
  const int prefixLength = kFilePrefix.GetLengthInChar();
  const KroUnicodeString relative =
      source.SubString(prefixLength, source.GetLengthInChar() - prefixLength);
  if (LeavesTheRoot(relative.ToStdString())) return KroSysFail(100, kLoadName);
  // The host's spelling: every "/" becomes "\", those of the root path too, and no separator
  // is put between the root path and the source.
  KroUnicodeString path = _RootPath + relative;
  path.ReplaceAll("/", "\\");
  KroMmdFSReadFileOperator reader;
  reader.SetMaxSize(kMaxText);
  // The reader checks again, links resolved, that the file lies below the root's folder.
  if (KroFailed(reader.SetRootFolder(RootFolderOf(_RootPath))) ||
      KroFailed(reader.SetFilePath(path))) {
    return KroSysFail(100, kLoadName);
  }
  if (KroFailed(reader.Run())) return KroSysFail(200, kLoadName);
  if (KroFailed(reader.GetFullText(data))) return KroSysFail(300, kLoadName);
  return KRO_S_OK;
}

KroResult KroMmrODTStringTemplate::_PostFilter(const KroUnicodeString& filter,
                                               const KroUnicodeString& data,
                                               KroUnicodeString& result) {
  KroUnicodeString text(data);
  if (filter == KroUnicodeString("JSToJSON")) {
    // The backslash first, so that the ones added for quotes and line feeds stay single.
    text.ReplaceAll("\\", "\\\\");
    text.ReplaceAll("\"", "\\\"");
    text.ReplaceAll("\n", "\\n");
  } else if (filter == KroUnicodeString("SemicolonToComa")) {
    text.ReplaceAll(";", ",");
  } else if (filter != KroUnicodeString("JSONToJS")) {
    return KroSysFail(6969, kFilterName);
  }
  result = std::move(text);
  return KRO_S_OK;
}
