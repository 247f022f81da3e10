// The host's variant, used as the in-memory JSON tree: empty, null, boolean, integer, real,
// string, list (indexed from 1) or map. Maps keep their keys in insertion order; a parsed
// object yields its members in text order, a repeated name as often as it was written. Values
// behave as values; copies of a list or map share its items until one of them changes (copy on
// write), so copying a tree costs nothing until it is changed, and then only the changed path.
#ifndef KroOmxAny_H
#define KroOmxAny_H

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "KroUnicodeString.h"

typedef KroUnicodeString KroOmxKeyString;

class KroOmxAny {
 public:
  enum Kind { kEmpty, kNull, kBoolean, kInteger, kReal, kString, kList, kMap };
  typedef std::pair<KroOmxKeyString, KroOmxAny> Item;

  KroOmxAny() = default;
  KroOmxAny(const KroUnicodeString& text);  // NOLINT: a string value
  KroOmxAny(const char* text);              // NOLINT
  KroOmxAny(int value);                     // NOLINT: an integer value
  KroOmxAny(int64_t value);                 // NOLINT
  KroOmxAny(unsigned char value);           // NOLINT: a byte, held as an integer
  static KroOmxAny Boolean(bool value);
  static KroOmxAny Real(double value);
  static KroOmxAny Null();

  KroOmxAny(const KroOmxAny& other);
  KroOmxAny(KroOmxAny&& other) noexcept = default;
  KroOmxAny& operator=(const KroOmxAny& other);
  KroOmxAny& operator=(KroOmxAny&& other) noexcept = default;
  ~KroOmxAny();

  Kind GetKind() const { return _Kind; }
  bool IsString() const { return _Kind == kString; }
  bool IsList() const { return _Kind == kList; }
  bool IsMap() const { return _Kind == kMap; }

  // Makes this value an empty map, or an empty list (whose items are meant to be strings).
  int CreateMap();
  int CreateList();

  // Map access. MapGetValue copies the value of key into out and returns 0, or a negative value
  // when this is no map or the key is missing. MapSetValue inserts at the end or replaces in
  // place; negative when this is no map. In a parsed map that repeats a name, find, change and
  // replace take the last member of that name.
  int MapGetValue(const KroOmxKeyString& key, KroOmxAny& out) const;
  const KroOmxAny* MapFind(const KroOmxKeyString& key) const;
  // The value of key, to be changed in place (this map's items are copied first when they are
  // shared); null when this is no map or the key is missing.
  KroOmxAny* MapFindToChange(const KroOmxKeyString& key);
  int MapSetValue(const KroOmxKeyString& key, const KroOmxAny& value);
  const std::vector<Item>& MapItems() const;

  // List access, indexed from 1. Append fails (negative) when this is no list.
  int Size() const;
  const KroOmxAny& operator[](int index) const;
  int Append(const KroOmxAny& value);

  // Scalars: the integer (booleans give 0 or 1, other kinds 0), the real, and the string
  // (empty for other kinds).
  int64_t GetInteger() const;
  double GetReal() const;
  bool GetBoolean() const { return _Kind == kBoolean && _Integer != 0; }
  const KroUnicodeString& GetString() const { return _String; }
  operator KroUnicodeString() const { return _String; }  // NOLINT

  bool operator==(const KroOmxAny& other) const;
  bool operator!=(const KroOmxAny& other) const { return !(*this == other); }

 private:
  friend class KroOmxJson;  // the parser appends every member as it reads it
  Kind _Kind = kEmpty;
  int64_t _Integer = 0;
  double _Real = 0.0;
  KroUnicodeString _String;
  // Items of its own, copied first when they are shared with another value.
  std::vector<Item>& _OwnItems();

  // Lists and maps share the item vector; list items have empty keys. Held through a pointer
  // so that the value stays small, moves cheaply and copies share it.
  std::shared_ptr<std::vector<Item>> _Items;
};

#endif
