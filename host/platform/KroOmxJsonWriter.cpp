// Compact JSON output with strict escaping.
#include "KroOmxJsonWriter.h"

namespace {

// Length of the valid UTF-8 sequence at text[pos], or 0 when the bytes there are not one.
size_t Utf8SequenceLength(const std::string& text, size_t pos) {
  const unsigned char c = static_cast<unsigned char>(text[pos]);
  size_t length = 0;
  unsigned int code = 0;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
    code = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    code = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    code = c & 0x07;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    const unsigned char cc = static_cast<unsigned char>(text[pos + i]);
    if ((cc & 0xC0) != 0x80) return 0;
    code = (code << 6) | (cc & 0x3F);
  }
  if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF))) {
    return 0;
  }
  if (code >= 0xD800 && code <= 0xDFFF) return 0;
  return length;
}

}  // namespace

std::string KroOmxJsonWriter::Quote(const std::string& text) {
  static const char* const kHex = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  size_t pos = 0;
  while (pos < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[pos]);
    if (c < 0x80) {
      switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
          if (c < 0x20) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
          } else {
            out += static_cast<char>(c);
          }
      }
      ++pos;
      continue;
    }
    const size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) {
      out += "\\ufffd";
      ++pos;
    } else {
      out.append(text, pos, length);
      pos += length;
    }
  }
  out += '"';
  return out;
}

void KroOmxJsonWriter::_Node::Comma() {
  if (_Count > 0) _Stream.Put(',');
  ++_Count;
}

void KroOmxJsonWriter::Atom::WriteTo(KroOmxTextStream& stream) const {
  stream.Put(Quote(_Text.ToStdString()));
}

void KroOmxJsonWriter::Object::Write(bool open) {
  _Stream.Put(open ? '{' : '}');
  if (open) _Count = 0;
}

void KroOmxJsonWriter::List::Write(bool open) {
  _Stream.Put(open ? '[' : ']');
  if (open) _Count = 0;
}

void KroOmxJsonWriter::List::Item(const KroUnicodeString& text) {
  Comma();
  Atom(text).WriteTo(_Stream);
}

void KroOmxJsonWriter::Attribute::Start(Object& object, const KroUnicodeString& key) {
  object.Comma();
  object.Stream().Put(Quote(key.ToStdString()));
  object.Stream().Put(':');
}

void KroOmxJsonWriter::Attribute::Start(Object& object, const KroUnicodeString& key,
                                        const Atom& value) {
  Start(object, key);
  value.WriteTo(object.Stream());
}
