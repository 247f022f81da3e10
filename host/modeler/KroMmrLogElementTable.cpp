// The log element table of a log root: its element paths and the selector queries on them.
#include "KroMmrLogElementTable.h"

#include <algorithm>
#include <set>

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

}  // namespace

KroMmrLogElementTable::KroMmrLogElementTable(const KroMmrLogTransactionContext& context)
    : _Context(context) {}

KroResult KroMmrLogElementTable::Init(KroIMmiLogElement* root) {
  _Root = nullptr;
  _Entries.clear();
  if (!root || !_Context.CanRead()) return KRO_E_FAIL;
  std::vector<KroUnicodeString> keys;
  std::vector<const KroBaseUnknown*> ancestors;
  if (KroFailed(_Walk(root, keys, ancestors))) {
    _Entries.clear();
    return KRO_E_FAIL;
  }
  _Root = KroIMmiLogElement_var(root);
  return KRO_S_OK;
}

KroResult KroMmrLogElementTable::_Walk(KroIMmiLogElement* element,
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
    if (_Entries.size() >= kMaxEntries) return KRO_E_FAIL;
    const size_t depth = keys.size();
    for (const KroUnicodeString& key : childKeys) keys.push_back(key);
    _Entries.push_back({keys, child});
    const KroResult walked = _Walk(child.get(), keys, ancestors);
    keys.resize(depth);
    if (KroFailed(walked)) return walked;
  }
  ancestors.pop_back();
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
  const KroIMmiLogElement* found = nullptr;
  for (const Entry& entry : _Entries) {
    if (!Matches(tokens, entry.keys)) continue;
    if (found && Identity(found) != Identity(entry.element.get())) return KRO_E_FAIL;
    found = entry.element.get();
  }
  if (!found) return KRO_E_FAIL;
  element = KroIMmiLogElement_var(const_cast<KroIMmiLogElement*>(found));
  return KRO_S_OK;
}

KroResult KroMmrLogElementTable::QueryLogSelectorAll(
    KroIMmiLogElement* root, const KroUnicodeString& selector,
    KroListValKroIMmiLogElement_var& elements) const {
  elements.RemoveAll();
  std::vector<Token> tokens;
  if (!_IsRoot(root) || !Tokenize(selector, true, tokens)) return KRO_E_FAIL;
  std::set<const KroBaseUnknown*> seen;
  for (const Entry& entry : _Entries) {
    if (!Matches(tokens, entry.keys)) continue;
    if (!seen.insert(Identity(entry.element.get())).second) continue;
    elements.Append(entry.element);
  }
  return KRO_S_OK;
}

KroResult KroMmrLogElementTable::GetLogPathes(KroIMmiLogElement* element,
                                              const KroUnicodeString& separator,
                                              KroListValKroUnicodeString& paths) const {
  paths.RemoveAll();
  if (!element || !_Root) return KRO_E_FAIL;
  for (const Entry& entry : _Entries) {
    if (Identity(entry.element.get()) != Identity(element)) continue;
    KroUnicodeString path;
    for (size_t i = 0; i < entry.keys.size(); ++i) {
      if (i > 0) path += separator;
      path += entry.keys[i];
    }
    paths.Append(path);
  }
  return KRO_S_OK;
}
