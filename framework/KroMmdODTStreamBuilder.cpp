// Builder base: the declared-input tree, reading a JSON stream and writing one.
#include "KroMmdODTStreamBuilder.h"

#include "KroMmdODTQueryParser.h"
#include "KroOmxJson.h"
#include "KroOmxTextStream.h"
#include "KroOmxUTF8String.h"
#include "KroSysBftier.h"

namespace {

const KroOmxKeyString kRoot("_root_");
const KroOmxKeyString kIsAND("isAND");
const KroOmxKeyString kIsOpt("isOpt");
const KroOmxKeyString kChildren("children");
const KroOmxKeyString kParent("parent");
const KroOmxKeyString kIsValuated("isValuated");

// Flags are read back as integers; only their low byte counts.
bool IsSet(const KroOmxAny& flag) { return (flag.GetInteger() & 0xFF) != 0; }

// Whether text starts, after JSON whitespace, with "{": only such text can parse as an object,
// so every other value text is kept as a string without running the parser.
bool MayBeJSONObject(const KroUnicodeString& text) {
  for (const char c : text.ToStdString()) {
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return c == '{';
  }
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Life cycle and context

KroMmdODTStreamBuilder::KroMmdODTStreamBuilder() = default;

KroMmdODTStreamBuilder::KroMmdODTStreamBuilder(const KroMmdODTStreamBuilder& other)
    : _Context(other._Context), _InputMap(other._InputMap) {}

KroMmdODTStreamBuilder& KroMmdODTStreamBuilder::operator=(const KroMmdODTStreamBuilder& other) {
  if (this != &other) {
    _Context = other._Context;
    _InputMap = other._InputMap;
  }
  return *this;
}

KroMmdODTStreamBuilder::~KroMmdODTStreamBuilder() = default;

KroResult KroMmdODTStreamBuilder::SetContext(const KroBaseUnknown_var& context) {
  _Context = context;
  return KRO_S_OK;
}

KroBaseUnknown_var& KroMmdODTStreamBuilder::GetContext() { return _Context; }

// ---------------------------------------------------------------------------------------------
// Declared-input tree

KroResult KroMmdODTStreamBuilder::_ResetInputs() {
  static const char* const kName = "KroMmdODTStreamBuilder::_ResetInputs";
  _InputMap.CreateMap();
  KroOmxAny root;
  root.CreateMap();
  if (KroFailed(root.MapSetValue(kIsAND, KroOmxAny(0)))) return KroSysFail(100, kName);
  KroOmxAny children;
  children.CreateList();
  root.MapSetValue(kIsOpt, KroOmxAny(0));
  root.MapSetValue(kChildren, children);
  root.MapSetValue(kIsValuated, KroOmxAny(0));
  _InputMap.MapSetValue(kRoot, root);
  return KRO_S_OK;
}

KroResult KroMmdODTStreamBuilder::DeclareInput(const KroUnicodeString& parent,
                                               const KroUnicodeString& key, unsigned char isAND,
                                               unsigned char isOpt) {
  static const char* const kName = "KroMmdODTStreamBuilder::DeclareInput";
  if (_InputMap.MapFind(key) != nullptr) return KroSysFail(100, kName);

  KroOmxAny node;
  node.CreateMap();
  if (KroFailed(node.MapSetValue(kIsAND, KroOmxAny(isAND)))) return KroSysFail(300, kName);
  if (KroFailed(node.MapSetValue(kIsOpt, KroOmxAny(isOpt)))) return KroSysFail(400, kName);
  KroOmxAny children;
  children.CreateList();
  if (KroFailed(node.MapSetValue(kChildren, children))) return KroSysFail(600, kName);

  const KroUnicodeString& parentKey = parent.IsEmpty() ? kRoot : parent;
  KroOmxAny* parentNode = _InputMap.MapFindToChange(parentKey);
  if (parentNode == nullptr) return KroSysFail(700, kName);
  if (KroFailed(node.MapSetValue(kParent, KroOmxAny(parentKey)))) return KroSysFail(800, kName);

  KroOmxAny* siblings = parentNode->MapFindToChange(kChildren);
  if (siblings == nullptr || KroFailed(siblings->Append(KroOmxAny(key)))) {
    return KroSysFail(900, kName);
  }

  if (KroFailed(node.MapSetValue(kIsValuated, KroOmxAny(0)))) return KroSysFail(1200, kName);
  if (KroFailed(_InputMap.MapSetValue(key, node))) return KroSysFail(1300, kName);
  return KRO_S_OK;
}

KroResult KroMmdODTStreamBuilder::_UpdateInputMap(KroOmxAny& tree, const KroUnicodeString& key) {
  static const char* const kName = "KroMmdODTStreamBuilder::_UpdateInputMap";
  KroOmxAny* node = tree.MapFindToChange(key);
  if (node == nullptr) return KroSysFail(100, kName);
  if (KroFailed(node->MapSetValue(kIsValuated, KroOmxAny(1)))) return KroSysFail(150, kName);
  if (key == kRoot) return KRO_S_OK;

  const KroOmxAny* isAND = node->MapFind(kIsAND);
  if (isAND == nullptr) return KroSysFail(200, kName);
  const bool alternative = !IsSet(*isAND);
  const KroOmxAny* parentValue = node->MapFind(kParent);
  if (parentValue == nullptr) return KroSysFail(300, kName);
  const KroUnicodeString parentKey = parentValue->GetString();
  if (parentKey.IsEmpty()) return KRO_S_OK;

  // The sibling keys are copied out: the marks below replace nodes of the tree.
  const KroOmxAny* parentNode = tree.MapFind(parentKey);
  if (parentNode == nullptr) return KroSysFail(400, kName);
  const KroOmxAny* children = parentNode->MapFind(kChildren);
  if (children == nullptr || children->Size() == 0) return KroSysFail(500, kName);
  const KroOmxAny siblings = *children;

  // Giving an alternative gives its whole group.
  if (alternative) {
    for (int i = 1; i <= siblings.Size(); ++i) {
      KroOmxAny* siblingNode = tree.MapFindToChange(siblings[i].GetString());
      if (siblingNode == nullptr) return KroSysFail(600, kName);
      if (KroFailed(siblingNode->MapSetValue(kIsValuated, KroOmxAny(1)))) {
        return KroSysFail(700, kName);
      }
    }
  }

  // The parent is given once every member of the group is given or optional.
  for (int i = 1; i <= siblings.Size(); ++i) {
    const KroOmxAny* siblingNode = tree.MapFind(siblings[i].GetString());
    if (siblingNode == nullptr) return KroSysFail(900, kName);
    const KroOmxAny* isValuated = siblingNode->MapFind(kIsValuated);
    if (isValuated == nullptr) return KroSysFail(1000, kName);
    const KroOmxAny* isOpt = siblingNode->MapFind(kIsOpt);
    if (isOpt == nullptr) return KroSysFail(1100, kName);
    if (!IsSet(*isValuated) && !IsSet(*isOpt)) return KRO_S_OK;
  }
  if (KroFailed(_UpdateInputMap(tree, parentKey))) return KroSysFail(1200, kName);
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Reading

KroResult KroMmdODTStreamBuilder::SetODTStream(const KroUnicodeString& stream) {
  static const char* const kName = "KroMmdODTStreamBuilder::SetODTStream";
  // A stream in the writer's own form, as every stream written by a builder, is split without
  // building a tree: the text of each object member is already what rendering it again gives.
  std::vector<KroOmxJsonWriter::WrittenMember> members;
  if (KroOmxJsonWriter::IsWrittenObject(stream.ToStdString(), KroOmxJson::kMaxDepth, &members)) {
    for (const KroOmxJsonWriter::WrittenMember& member : members) {
      if (KroFailed(SetValueStream(member.key, member.value))) return KroSysFail(400, kName);
    }
    return KRO_S_OK;
  }

  KroOmxAny parsed;
  if (KroFailed(KroOmxJson::ParseString(KroOmxUTF8String(stream), parsed)))
    return KroSysFail(100, kName);
  if (!parsed.IsMap()) return KroSysFail(100, kName);

  for (const KroOmxAny::Item& member : parsed.MapItems()) {
    KroUnicodeString value;
    if (KroFailed(_StringifyNode(member.second, value))) return KroSysFail(200, kName);
    if (KroFailed(SetValueStream(member.first, value))) return KroSysFail(400, kName);
  }
  return KRO_S_OK;
}

KroResult KroMmdODTStreamBuilder::ParseJSONList(const KroUnicodeString& text,
                                                KroListValKroUnicodeString& items) const {
  static const char* const kName = "KroMmdODTStreamBuilder::ParseJSONList";
  // The text is parsed before the list is emptied: it may be one of the list's own items, as
  // when an item that is itself a list is split into the list it came from.
  KroOmxAny parsed;
  const KroResult parsedRc = KroOmxJson::ParseString(KroOmxUTF8String(text), parsed);
  items.RemoveAll();
  if (KroFailed(parsedRc)) return KroSysFail(100, kName);
  // An object or a single string is no list: refused rather than split into members.
  if (!parsed.IsList()) return KroSysFail(100, kName);

  const int size = parsed.Size();
  for (int i = 1; i <= size; ++i) {
    KroUnicodeString item;
    if (KroFailed(_StringifyNode(parsed[i], item))) return KroSysFail(200, kName);
    items.Append(item);
  }
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Rendering

KroResult KroMmdODTStreamBuilder::_StringifyNode(const KroOmxAny& value,
                                                 KroUnicodeString& text) const {
  static const char* const kName = "KroMmdODTStreamBuilder::_StringifyNode";
  if (value.IsString()) {
    text = value.GetString();
    return KRO_S_OK;
  }
  if (value.IsMap()) {
    if (KroFailed(_StringifyMap(value, text))) return KroSysFail(200, kName);
    return KRO_S_OK;
  }
  if (value.IsList()) {
    if (KroFailed(_StringifyList(value, text))) return KroSysFail(300, kName);
    return KRO_S_OK;
  }
  return KroSysFail(6969, kName);
}

KroResult KroMmdODTStreamBuilder::_StringifyMap(const KroOmxAny& value,
                                                KroUnicodeString& text) const {
  KroOmxTextStream stream;
  KroOmxJsonWriter::Object object(stream);
  object.Write(true);
  const KroResult rc = _RWriteJSONObject(object, value);
  object.Write(false);
  if (KroFailed(rc)) return KroSysFail(100, "KroMmdODTStreamBuilder::_StringifyMap");
  text = stream.Take();
  return KRO_S_OK;
}

KroResult KroMmdODTStreamBuilder::_StringifyMap(const _ResultMap& result,
                                                KroUnicodeString& text) const {
  KroOmxTextStream stream;
  KroOmxJsonWriter::Object object(stream);
  object.Write(true);
  const KroResult rc = _RWriteJSONObject(object, result);
  object.Write(false);
  if (KroFailed(rc)) return KroSysFail(100, "KroMmdODTStreamBuilder::_StringifyMap");
  text = stream.Take();
  return KRO_S_OK;
}

KroResult KroMmdODTStreamBuilder::_StringifyList(const KroOmxAny& value,
                                                 KroUnicodeString& text) const {
  KroOmxTextStream stream;
  KroOmxJsonWriter::List list(stream);
  list.Write(true);
  const KroResult rc = _RWriteJSONList(list, value);
  list.Write(false);
  if (KroFailed(rc)) return KroSysFail(100, "KroMmdODTStreamBuilder::_StringifyList");
  text = stream.Take();
  return KRO_S_OK;
}

KroResult KroMmdODTStreamBuilder::_RWriteJSONObject(KroOmxJsonWriter::Object& object,
                                                    const KroOmxAny& value, int depth) const {
  static const char* const kName = "KroMmdODTStreamBuilder::_RWriteJSONObject";
  if (!value.IsMap()) return KroSysFail(100, kName);
  // Deeper than any text the parser accepts: refused before it can exhaust the stack.
  if (depth > KroOmxJson::kMaxDepth) return KroSysFail(6969, kName);

  for (const KroOmxAny::Item& member : value.MapItems()) {
    if (member.second.IsMap()) {
      KroOmxJsonWriter::Attribute::Start(object, member.first);
      KroOmxJsonWriter::Object nested(object.Stream());
      nested.Write(true);
      const KroResult rc = _RWriteJSONObject(nested, member.second, depth + 1);
      nested.Write(false);
      if (KroFailed(rc)) return KRO_E_FAIL;  // traced by the nested walk
    } else if (member.second.IsString()) {
      KroOmxJsonWriter::Attribute::Start(object, member.first,
                                         KroOmxJsonWriter::Atom(member.second.GetString()));
    } else {
      return KroSysFail(6969, kName);
    }
  }
  return KRO_S_OK;
}

KroResult KroMmdODTStreamBuilder::_RWriteJSONObject(KroOmxJsonWriter::Object& object,
                                                    const _ResultMap& result) const {
  // The members stand at the first level: nested objects start at the second.
  for (const _ResultMember& member : result) {
    KroOmxJsonWriter::Attribute::Start(object, member.key);
    if (member.form == _ResultMember::kWrittenObject) {
      object.Stream().Put(member.text.ToStdString());
    } else if (member.form == _ResultMember::kParsedObject) {
      KroOmxJsonWriter::Object nested(object.Stream());
      nested.Write(true);
      const KroResult rc = _RWriteJSONObject(nested, member.object, 2);
      nested.Write(false);
      if (KroFailed(rc)) return KRO_E_FAIL;  // traced by the nested walk
    } else {
      KroOmxJsonWriter::PutQuoted(object.Stream(), member.text.ToStdString());
    }
  }
  return KRO_S_OK;
}

KroResult KroMmdODTStreamBuilder::_RWriteJSONList(KroOmxJsonWriter::List& list,
                                                  const KroOmxAny& value, int depth) const {
  static const char* const kName = "KroMmdODTStreamBuilder::_RWriteJSONList";
  if (depth > KroOmxJson::kMaxDepth) return KroSysFail(6969, kName);

  const int size = value.Size();
  for (int i = 1; i <= size; ++i) {
    const KroOmxAny& item = value[i];
    if (item.IsMap()) {
      list.Comma();
      KroOmxJsonWriter::Object nested(list.Stream());
      nested.Write(true);
      const KroResult rc = _RWriteJSONObject(nested, item, depth + 1);
      nested.Write(false);
      if (KroFailed(rc)) return KRO_E_FAIL;  // traced by the nested walk
    } else if (item.IsString()) {
      list.Item(item.GetString());
    } else {
      return KroSysFail(6969, kName);
    }
  }
  return KRO_S_OK;
}

// ---------------------------------------------------------------------------------------------
// Writing

KroResult KroMmdODTStreamBuilder::GetODTStream(const KroUnicodeString& format,
                                               KroUnicodeString& stream) {
  static const char* const kName = "KroMmdODTStreamBuilder::GetODTStream";
  if (KroFailed(_ResetInputs())) return KroSysFail(100, kName);
  if (KroFailed(DeclareInputs())) return KroSysFail(200, kName);

  _ResultMap result;
  KroOmxAny tree = _InputMap;

  KroListValKroUnicodeString keys;
  KroListValKroUnicodeString subQueries;
  if (KroFailed(KroMmdODTQueryParser::Parse(format, keys, subQueries)) ||
      keys.Size() != subQueries.Size()) {
    return KroSysFail(300, kName);
  }

  for (int i = 1; i <= keys.Size(); ++i) {
    if (KroFailed(_UpdateInputMap(tree, keys[i]))) return KroSysFail(400, kName);
    if (KroFailed(_MapGetValueStream(keys[i], subQueries[i], result)))
      return KroSysFail(500, kName);
  }

  if (KroFailed(_FillMandatoryInputs(result, tree))) return KroSysFail(600, kName);

  KroUnicodeString text;
  if (KroFailed(_StringifyMap(result, text))) return KroSysFail(700, kName);
  stream = std::move(text);
  return KRO_S_OK;
}

KroResult KroMmdODTStreamBuilder::_MapGetValueStream(const KroUnicodeString& key,
                                                     const KroUnicodeString& format,
                                                     _ResultMap& result) {
  static const char* const kName = "KroMmdODTStreamBuilder::_MapGetValueStream";
  _ResultMember member;
  member.key = key;
  if (KroFailed(GetValueStream(key, format, member.text))) return KroSysFail(100, kName);

  // A value that is a JSON object (a nested builder's stream) is written as an object; any
  // other text, JSON or not, as a string. Object text already in the writer's own form is
  // nested as it stands, when it nests one level less deep than the writer takes (it goes
  // one level down).
  if (MayBeJSONObject(member.text)) {
    if (KroOmxJsonWriter::IsWrittenObject(member.text.ToStdString(), KroOmxJson::kMaxDepth - 1)) {
      member.form = _ResultMember::kWrittenObject;
    } else if (KroSucceeded(
                   KroOmxJson::ParseString(KroOmxUTF8String(member.text), member.object)) &&
               member.object.IsMap()) {
      member.form = _ResultMember::kParsedObject;
    }
  }
  // A key named twice keeps its place; the later value replaces the earlier one.
  for (_ResultMember& written : result) {
    if (written.key == key) {
      written = std::move(member);
      return KRO_S_OK;
    }
  }
  result.push_back(std::move(member));
  return KRO_S_OK;
}

KroResult KroMmdODTStreamBuilder::_FillMandatoryInputs(_ResultMap& result, KroOmxAny& tree) {
  static const char* const kName = "KroMmdODTStreamBuilder::_FillMandatoryInputs";
  bool filled = false;
  for (;;) {
    const KroOmxAny* root = tree.MapFind(kRoot);
    if (root == nullptr) return KroSysFail(100, kName);
    const KroOmxAny* isValuated = root->MapFind(kIsValuated);
    if (isValuated == nullptr) return KroSysFail(200, kName);
    if (IsSet(*isValuated)) return KRO_S_OK;
    // One pass writes every mandatory leaf that is still missing; when "_root_" is open after
    // it, some group can never be completed and another pass would change nothing.
    if (filled) return KroSysFail(400, kName);
    if (KroFailed(_FillNextMandatoryInput(result, tree, kRoot))) return KroSysFail(300, kName);
    filled = true;
  }
}

KroResult KroMmdODTStreamBuilder::_FillNextMandatoryInput(_ResultMap& result, KroOmxAny& tree,
                                                          const KroUnicodeString& key) {
  static const char* const kName = "KroMmdODTStreamBuilder::_FillNextMandatoryInput";
  const KroOmxAny* node = tree.MapFind(key);
  if (node == nullptr) return KroSysFail(100, kName);
  const KroOmxAny* isValuated = node->MapFind(kIsValuated);
  if (isValuated == nullptr) return KroSysFail(200, kName);
  if (IsSet(*isValuated)) return KRO_S_OK;

  const KroOmxAny* childList = node->MapFind(kChildren);
  if (childList == nullptr) return KroSysFail(300, kName);
  if (childList->Size() > 0) {
    // The keys are copied out: the walk below replaces nodes of the tree. The node's own
    // "isOpt" is not consulted: the mandatory leaves below an optional node are written too,
    // unless an earlier mark of this walk has given them.
    const KroOmxAny children = *childList;
    for (int i = 1; i <= children.Size(); ++i) {
      if (KroFailed(_FillNextMandatoryInput(result, tree, children[i].GetString()))) {
        return KroSysFail(400, kName);
      }
    }
    return KRO_S_OK;
  }

  const KroOmxAny* isOpt = node->MapFind(kIsOpt);
  if (isOpt == nullptr) return KroSysFail(500, kName);
  if (IsSet(*isOpt)) return KRO_S_OK;
  if (KroFailed(_UpdateInputMap(tree, key))) return KroSysFail(600, kName);
  if (KroFailed(_MapGetValueStream(key, KroUnicodeString(), result))) return KroSysFail(700, kName);
  return KRO_S_OK;
}
