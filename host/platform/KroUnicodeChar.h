// One character of a KroUnicodeString. Streams are ASCII, so a character is one byte of the
// string's UTF-8 text.
#ifndef KroUnicodeChar_H
#define KroUnicodeChar_H

class KroUnicodeChar {
 public:
  KroUnicodeChar() : _Code(0) {}
  KroUnicodeChar(char c) : _Code(c) {}  // NOLINT: built from a char wherever one is given

  char GetChar() const { return _Code; }
  bool operator==(const KroUnicodeChar& other) const { return _Code == other._Code; }
  bool operator!=(const KroUnicodeChar& other) const { return _Code != other._Code; }
  bool operator==(char c) const { return _Code == c; }
  bool operator!=(char c) const { return _Code != c; }

 private:
  char _Code;
};

#endif
