// The host's JSON writer: nodes that write compact JSON into a KroOmxTextStream. An Object or
// List is opened with Write(true) and closed with Write(false); an Attribute starts one member
// of an object, either with a value atom or followed by a nested node built on the same
// stream; a List takes string items, or a nested node after Comma(). Strings are always
// escaped into valid JSON: quotes, backslashes and control characters are escaped, and bytes
// that are not UTF-8 become U+FFFD.
#ifndef KroOmxJsonWriter_H
#define KroOmxJsonWriter_H

#include <string>
#include <vector>

#include "KroOmxTextStream.h"
#include "KroUnicodeString.h"

class KroOmxJsonWriter {
 public:
  class _Node {
   public:
    explicit _Node(KroOmxTextStream& stream) : _Stream(stream) {}
    // Writes the separator that precedes an item (none before the first) and counts the item.
    void Comma();
    KroOmxTextStream& Stream() { return _Stream; }

   protected:
    KroOmxTextStream& _Stream;
    int _Count = 0;
  };

  class Atom {
   public:
    explicit Atom(const KroUnicodeString& text) : _Text(text) {}
    void WriteTo(KroOmxTextStream& stream) const;

   private:
    KroUnicodeString _Text;
  };

  class Object : public _Node {
   public:
    explicit Object(KroOmxTextStream& stream) : _Node(stream) {}
    void Write(bool open);
  };

  class List : public _Node {
   public:
    explicit List(KroOmxTextStream& stream) : _Node(stream) {}
    void Write(bool open);
    // Appends a string item.
    void Item(const KroUnicodeString& text);
  };

  class Attribute {
   public:
    // Starts a member whose value is the node written next on the object's stream.
    static void Start(Object& object, const KroUnicodeString& key);
    // Writes a whole member with a string value.
    static void Start(Object& object, const KroUnicodeString& key, const Atom& value);
  };

  // The JSON text of a string, quotes included.
  static std::string Quote(const std::string& text);
  // Writes the JSON text of a string, quotes included, to the stream.
  static void PutQuoted(KroOmxTextStream& stream, const std::string& text);

  // A member of an object in this writer's own form: its name, and its value as text (the
  // string, or the nested object's JSON text).
  struct WrittenMember {
    KroUnicodeString key;
    bool isObject = false;
    KroUnicodeString value;
  };
  // Whether text is exactly what this writer writes for an object whose members are strings
  // or such objects, nested at most maxDepth levels (1: no nested object), no name twice in
  // one object. Parsing such text and writing it again gives the same bytes, so it may be
  // nested in another stream or handed on as it stands. members, when given, gets the outer
  // object's members in text order (empty when the text is not in that form).
  static bool IsWrittenObject(const std::string& text, int maxDepth,
                              std::vector<WrittenMember>* members = nullptr);
};

#endif
