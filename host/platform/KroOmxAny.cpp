// Host variant: scalars inline, lists and maps in one ordered item vector.
#include "KroOmxAny.h"

namespace {
const std::vector<KroOmxAny::Item>& EmptyItems() {
  static const std::vector<KroOmxAny::Item> empty;
  return empty;
}

// Key equality, looking at the length and the last byte first: keys of one map often share
// their length and beginning ("input1", "input2").
bool SameKey(const KroOmxKeyString& a, const KroOmxKeyString& b) {
  const std::string& x = a.ToStdString();
  const std::string& y = b.ToStdString();
  return x.size() == y.size() && (x.empty() || x.back() == y.back()) && x == y;
}

// Room for the first items of a new map or list, so that small ones grow without moving.
constexpr size_t kFirstRoom = 8;
}  // namespace

KroOmxAny::KroOmxAny(const KroUnicodeString& text) : _Kind(kString), _String(text) {}
KroOmxAny::KroOmxAny(const char* text) : _Kind(kString), _String(text) {}
KroOmxAny::KroOmxAny(int value) : _Kind(kInteger), _Integer(value) {}
KroOmxAny::KroOmxAny(int64_t value) : _Kind(kInteger), _Integer(value) {}
KroOmxAny::KroOmxAny(unsigned char value) : _Kind(kInteger), _Integer(value) {}

KroOmxAny KroOmxAny::Boolean(bool value) {
  KroOmxAny any;
  any._Kind = kBoolean;
  any._Integer = value ? 1 : 0;
  return any;
}

KroOmxAny KroOmxAny::Real(double value) {
  KroOmxAny any;
  any._Kind = kReal;
  any._Real = value;
  return any;
}

KroOmxAny KroOmxAny::Null() {
  KroOmxAny any;
  any._Kind = kNull;
  return any;
}

KroOmxAny::KroOmxAny(const KroOmxAny& other)
    : _Kind(other._Kind),
      _Integer(other._Integer),
      _Real(other._Real),
      _String(other._String),
      _Items(other._Items) {}

KroOmxAny& KroOmxAny::operator=(const KroOmxAny& other) {
  if (this != &other) {
    KroOmxAny copy(other);
    *this = std::move(copy);
  }
  return *this;
}

std::vector<KroOmxAny::Item>& KroOmxAny::_OwnItems() {
  if (_Items.use_count() > 1) _Items = std::make_shared<std::vector<Item>>(*_Items);
  return *_Items;
}

KroOmxAny::~KroOmxAny() = default;

int KroOmxAny::CreateMap() {
  *this = KroOmxAny();
  _Kind = kMap;
  _Items = std::make_shared<std::vector<Item>>();
  return 0;
}

int KroOmxAny::CreateList() {
  *this = KroOmxAny();
  _Kind = kList;
  _Items = std::make_shared<std::vector<Item>>();
  return 0;
}

const KroOmxAny* KroOmxAny::MapFind(const KroOmxKeyString& key) const {
  if (_Kind != kMap || !_Items) return nullptr;
  // From the end: of a name that a parsed object repeats, the last member counts.
  for (auto item = _Items->rbegin(); item != _Items->rend(); ++item) {
    if (SameKey(item->first, key)) return &item->second;
  }
  return nullptr;
}

KroOmxAny* KroOmxAny::MapFindToChange(const KroOmxKeyString& key) {
  if (_Kind != kMap || !_Items) return nullptr;
  for (size_t at = _Items->size(); at-- > 0;) {
    if (SameKey((*_Items)[at].first, key)) return &_OwnItems()[at].second;
  }
  return nullptr;
}

int KroOmxAny::MapGetValue(const KroOmxKeyString& key, KroOmxAny& out) const {
  const KroOmxAny* found = MapFind(key);
  if (found == nullptr) return -1;
  if (found != &out) out = *found;
  return 0;
}

int KroOmxAny::MapSetValue(const KroOmxKeyString& key, const KroOmxAny& value) {
  if (_Kind != kMap || !_Items) return -1;
  // Found before copying: the value may be one of this map's own items, or share them. Of a
  // name that a parsed object repeats, the last member is replaced.
  size_t at = _Items->size();
  while (at > 0 && !SameKey((*_Items)[at - 1].first, key)) --at;
  KroOmxAny kept(value);
  std::vector<Item>& items = _OwnItems();
  if (at > 0) {
    items[at - 1].second = std::move(kept);
  } else {
    if (items.capacity() == 0) items.reserve(kFirstRoom);
    items.emplace_back(key, std::move(kept));
  }
  return 0;
}

const std::vector<KroOmxAny::Item>& KroOmxAny::MapItems() const {
  if (_Kind != kMap || !_Items) return EmptyItems();
  return *_Items;
}

int KroOmxAny::Size() const {
  if ((_Kind != kList && _Kind != kMap) || !_Items) return 0;
  return static_cast<int>(_Items->size());
}

const KroOmxAny& KroOmxAny::operator[](int index) const {
  static const KroOmxAny empty;
  if ((_Kind != kList && _Kind != kMap) || !_Items || index < 1 ||
      static_cast<size_t>(index) > _Items->size()) {
    return empty;
  }
  return (*_Items)[static_cast<size_t>(index - 1)].second;
}

int KroOmxAny::Append(const KroOmxAny& value) {
  if (_Kind != kList || !_Items) return -1;
  KroOmxAny kept(value);  // value may be an item of this very list
  std::vector<Item>& items = _OwnItems();
  if (items.capacity() == 0) items.reserve(kFirstRoom);
  items.emplace_back(KroOmxKeyString(), std::move(kept));
  return 0;
}

int64_t KroOmxAny::GetInteger() const {
  if (_Kind == kInteger || _Kind == kBoolean) return _Integer;
  return 0;
}

double KroOmxAny::GetReal() const {
  if (_Kind == kReal) return _Real;
  if (_Kind == kInteger) return static_cast<double>(_Integer);
  return 0.0;
}

bool KroOmxAny::operator==(const KroOmxAny& other) const {
  if (_Kind != other._Kind) return false;
  switch (_Kind) {
    case kEmpty:
    case kNull:
      return true;
    case kBoolean:
    case kInteger:
      return _Integer == other._Integer;
    case kReal:
      return _Real == other._Real;
    case kString:
      return _String == other._String;
    case kList:
    case kMap:
      return (_Items ? *_Items : EmptyItems()) == (other._Items ? *other._Items : EmptyItems());
  }
  return false;
}
