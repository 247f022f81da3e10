// The log element table of a log root: its element paths and the selector queries on them.
#include "KroMmrLogElementTable.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "KroMfLog.h"

namespace {

// One token of a path or selector: a key, "*" (any one key) or an empty key (any number).
struct Token {
  enum Kind { kKey, kAnyKey, kAnyKeys } kind;
  KroUnicodeString key;
};

// Splits text at "." and "/". Paths (wildcards false) take every key literally and refuse an
// empty key; selectors turn "*" and empty keys into wildcards (runs of empty keys into one).
bool Tokenize(const KroUnicodeString& text, bool wildcards, std::vector<Token>& tokens) {
  tokens.clear();
  if (text.IsEmpty()) return false;
  const std::string& s = text.ToStdString();
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i < s.size() && s[i] != '.' && s[i] != '/') continue;
    const std::string key = s.substr(start, i - start);
    start = i + 1;
    if (key.empty()) {
      if (!wildcards) return false;
      if (tokens.empty() || tokens.back().kind != Token::kAnyKeys)
        tokens.push_back({Token::kAnyKeys, ""});
    } else if (wildcards && key == "*") {
      tokens.push_back({Token::kAnyKey, ""});
    } else {
      tokens.push_back({Token::kKey, KroUnicodeString(key)});
    }
  }
  return true;
}

// Whether the keys match the tokens, by dynamic programming over (token, key) positions, so
// that any number of wildcards costs no more than tokens x keys steps.
bool Matches(const std::vector<Token>& tokens, const std::vector<KroUnicodeString>& keys) {
  const size_t n = keys.size();
  std::vector<char> row(n + 1, 0), next(n + 1, 0);
  row[0] = 1;  // no token matches no key
  for (const Token& token : tokens) {
    std::fill(next.begin(), next.end(), 0);
    for (size_t j = 0; j <= n; ++j) {
      switch (token.kind) {
        case Token::kAnyKeys:
          next[j] = row[j] || (j > 0 && next[j - 1]);
          break;
        case Token::kAnyKey:
          next[j] = j > 0 && row[j - 1];
          break;
        case Token::kKey:
          next[j] = j > 0 && row[j - 1] && keys[j - 1] == token.key;
          break;
      }
    }
    row.swap(next);
  }
  return row[n] != 0;
}

const KroBaseUnknown* Identity(const KroIMmiLogElement* element) { return element; }

// Orders key lists as a dictionary orders words: key by key, a shorter list before the longer
// one that it begins.
bool KeysBefore(const std::vector<KroUnicodeString>& a, const std::vector<KroUnicodeString>& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end());
}

}  // namespace

struct KroMmrLogElementTable::ReadLog {
  struct Entry {
    std::vector<KroUnicodeString> keys;
    KroIMmiLogElement* element;
  };
  std::vector<Entry> entries;  // in table order: depth first, each child after its parent
  // References that keep the elements alive; empty for a document's own log, whose elements
  // live as long as the document (a reference from the document's own cache would keep it
  // alive forever).
  std::vector<KroIMmiLogElement_var> held;
  std::vector<uint32_t> byKeys;  // entry positions ordered by keys, then by position
  std::vector<std::pair<const KroBaseUnknown*, uint32_t>> byElement;  // ordered pairs
  // Answers already given to selectors: the distinct elements, in table order. Bounded, so
  // that callers asking many selectors do not grow it without end.
  typedef std::vector<KroIMmiLogElement*> Selection;
  static constexpr size_t kMaxSelections = 16;
  mutable std::map<std::string, std::shared_ptr<const Selection>> selections;

  // Reads every element under element, depth first; fails on a loop, past kMaxDepth or past
  // kMaxEntries.
  KroResult Walk(KroIMmiLogElement* element, bool hold, std::vector<KroUnicodeString>& keys,
                 std::vector<const KroBaseUnknown*>& ancestors);
  void Index();
};

KroResult KroMmrLogElementTable::ReadLog::Walk(KroIMmiLogElement* element, bool hold,
                                               std::vector<KroUnicodeString>& keys,
                                               std::vector<const KroBaseUnknown*>& ancestors) {
  if (static_cast<int>(ancestors.size()) >= kMaxDepth) return KRO_E_FAIL;
  if (std::find(ancestors.begin(), ancestors.end(), Identity(element)) != ancestors.end())
    return KRO_E_FAIL;  // the log loops back into itself
  ancestors.push_back(Identity(element));
  const int count = element->GetLogChildCount();
  for (int i = 1; i <= count; ++i) {
    KroListValKroUnicodeString childKeys;
    KroIMmiLogElement_var child;
    if (KroFailed(element->GetLogChild(i, childKeys, child)) || !child || childKeys.Size() < 1)
      return KRO_E_FAIL;
    if (entries.size() >= kMaxEntries) return KRO_E_FAIL;
    const size_t depth = keys.size();
    for (const KroUnicodeString& key : childKeys) keys.push_back(key);
    entries.push_back({keys, child.get()});
    if (hold) held.push_back(child);
    const KroResult walked = Walk(child.get(), hold, keys, ancestors);
    keys.resize(depth);
    if (KroFailed(walked)) return walked;
  }
  ancestors.pop_back();
  return KRO_S_OK;
}

void KroMmrLogElementTable::ReadLog::Index() {
  byKeys.resize(entries.size());
  byElement.resize(entries.size());
  for (uint32_t i = 0; i < entries.size(); ++i) {
    byKeys[i] = i;
    byElement[i] = {Identity(entries[i].element), i};
  }
  std::stable_sort(byKeys.begin(), byKeys.end(), [this](uint32_t a, uint32_t b) {
    return KeysBefore(entries[a].keys, entries[b].keys);
  });
  std::sort(byElement.begin(), byElement.end());
}

KroMmrLogElementTable::KroMmrLogElementTable(const KroMmrLogTransactionContext& context)
    : _Context(context) {}

KroResult KroMmrLogElementTable::Init(KroIMmiLogElement* root) {
  _Log = nullptr;
  _Root = nullptr;
  if (!root || !_Context.CanRead()) return KRO_E_FAIL;
  // A feature's log is the document's: read once, then shared until the document changes.
  uint32_t rootNumber = 0;
  KroMfLog* documentLog = KroMfLog::OfRoot(root, rootNumber);
  std::shared_ptr<const ReadLog> log = documentLog ? documentLog->FindRead(rootNumber) : nullptr;
  if (!log) {
    auto read = std::make_shared<ReadLog>();
    std::vector<KroUnicodeString> keys;
    std::vector<const KroBaseUnknown*> ancestors;
    if (KroFailed(read->Walk(root, !documentLog, keys, ancestors))) return KRO_E_FAIL;
    read->Index();
    if (documentLog) documentLog->KeepRead(rootNumber, read);
    log = std::move(read);
  }
  _Root = KroIMmiLogElement_var(root);
  _Log = std::move(log);
  return KRO_S_OK;
}

bool KroMmrLogElementTable::_IsRoot(KroIMmiLogElement* root) const {
  return _Root && root && Identity(_Root.get()) == Identity(root);
}

KroResult KroMmrLogElementTable::QueryLogSelector(KroIMmiLogElement* root,
                                                  const KroUnicodeString& path,
                                                  KroIMmiLogElement_var& element) const {
  element = nullptr;
  std::vector<Token> tokens;
  if (!_IsRoot(root) || !Tokenize(path, false, tokens)) return KRO_E_FAIL;
  // A path has no wildcards: the entries with exactly its keys stand together in byKeys.
  std::vector<KroUnicodeString> keys;
  keys.reserve(tokens.size());
  for (const Token& token : tokens) keys.push_back(token.key);
  const auto& entries = _Log->entries;
  auto first = std::lower_bound(_Log->byKeys.begin(), _Log->byKeys.end(), keys,
                                [&entries](uint32_t at, const std::vector<KroUnicodeString>& k) {
                                  return KeysBefore(entries[at].keys, k);
                                });
  KroIMmiLogElement* found = nullptr;
  for (auto at = first; at != _Log->byKeys.end() && entries[*at].keys == keys; ++at) {
    KroIMmiLogElement* candidate = entries[*at].element;
    if (found && Identity(found) != Identity(candidate)) return KRO_E_FAIL;
    found = candidate;
  }
  if (!found) return KRO_E_FAIL;
  found->AddRef();
  element = KroIMmiLogElement_var::Adopt(found);
  return KRO_S_OK;
}

KroResult KroMmrLogElementTable::QueryLogSelectorAll(
    KroIMmiLogElement* root, const KroUnicodeString& selector,
    KroListValKroIMmiLogElement_var& elements) const {
  elements.RemoveAll();
  std::vector<Token> tokens;
  if (!_IsRoot(root) || !Tokenize(selector, true, tokens)) return KRO_E_FAIL;
  auto known = _Log->selections.find(selector.ToStdString());
  if (known == _Log->selections.end()) {
    auto selection = std::make_shared<ReadLog::Selection>();
    std::unordered_set<const KroBaseUnknown*> seen;
    for (const ReadLog::Entry& entry : _Log->entries) {
      if (Matches(tokens, entry.keys) && seen.insert(Identity(entry.element)).second)
        selection->push_back(entry.element);
    }
    if (_Log->selections.size() >= ReadLog::kMaxSelections) _Log->selections.clear();
    known = _Log->selections.emplace(selector.ToStdString(), std::move(selection)).first;
  }
  // The list shares the answer with what keeps its elements alive: the reading (which holds
  // the elements of a log outside a document) and the root (whose document holds the others).
  struct Shared {
    std::shared_ptr<const ReadLog> log;
    KroIMmiLogElement_var root;
    std::shared_ptr<const ReadLog::Selection> selection;
  };
  auto shared = std::make_shared<const Shared>(Shared{_Log, _Root, known->second});
  elements.Share(std::shared_ptr<const ReadLog::Selection>(shared, shared->selection.get()));
  return KRO_S_OK;
}

KroResult KroMmrLogElementTable::GetLogPathes(KroIMmiLogElement* element,
                                              const KroUnicodeString& separator,
                                              KroListValKroUnicodeString& paths) const {
  paths.RemoveAll();
  if (!element || !_Root) return KRO_E_FAIL;
  const auto& byElement = _Log->byElement;
  auto at = std::lower_bound(byElement.begin(), byElement.end(),
                             std::make_pair(Identity(element), uint32_t{0}));
  for (; at != byElement.end() && at->first == Identity(element); ++at) {
    const std::vector<KroUnicodeString>& keys = _Log->entries[at->second].keys;
    KroUnicodeString path;
    for (size_t i = 0; i < keys.size(); ++i) {
      if (i > 0) path += separator;
      path += keys[i];
    }
    paths.Append(path);
  }
  return KRO_S_OK;
}

// --- Lists of log elements -----------------------------------------------------------------

int KroListValKroIMmiLogElement_var::Size() const {
  return static_cast<int>(_Shared ? _Shared->size() : _Items.size());
}

const KroIMmiLogElement_var& KroListValKroIMmiLogElement_var::operator[](int index) const {
  return _Own().at(static_cast<size_t>(index - 1));
}

void KroListValKroIMmiLogElement_var::Append(const KroIMmiLogElement_var& element) {
  _Own().push_back(element);
}

void KroListValKroIMmiLogElement_var::RemoveAll() {
  _Shared = nullptr;
  _Items.clear();
}

void KroListValKroIMmiLogElement_var::Share(
    std::shared_ptr<const std::vector<KroIMmiLogElement*>> shared) {
  RemoveAll();
  _Shared = std::move(shared);
}

std::vector<KroIMmiLogElement_var>& KroListValKroIMmiLogElement_var::_Own() const {
  if (_Shared) {
    _Items.reserve(_Shared->size());
    for (KroIMmiLogElement* element : *_Shared) {
      element->AddRef();
      _Items.push_back(KroIMmiLogElement_var::Adopt(element));
    }
    _Shared = nullptr;
  }
  return _Items;
}
