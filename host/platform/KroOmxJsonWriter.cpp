// Compact JSON output with strict escaping.
#include "KroOmxJsonWriter.h"

#include <algorithm>
#include <utility>

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

// Appends the JSON text of a string, quotes included, to out; characters that need no escape
// are copied in runs.
template <typename Out>
void AppendQuoted(Out& out, const std::string& text) {
  static const char* const kHex = "0123456789abcdef";
  out.Put('"');
  const char* const data = text.data();
  size_t run = 0;  // start of the characters not yet written
  size_t pos = 0;
  while (pos < text.size()) {
    const unsigned char c = static_cast<unsigned char>(data[pos]);
    if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
      ++pos;
      continue;
    }
    if (c >= 0x80) {
      const size_t length = Utf8SequenceLength(text, pos);
      if (length > 0) {  // a valid sequence stays as it is
        pos += length;
        continue;
      }
    }
    out.Put(data + run, pos - run);
    switch (c) {
      case '"':
        out.Put("\\\"", 2);
        break;
      case '\\':
        out.Put("\\\\", 2);
        break;
      case '\b':
        out.Put("\\b", 2);
        break;
      case '\f':
        out.Put("\\f", 2);
        break;
      case '\n':
        out.Put("\\n", 2);
        break;
      case '\r':
        out.Put("\\r", 2);
        break;
      case '\t':
        out.Put("\\t", 2);
        break;
      default:
        if (c < 0x20) {
          const char escape[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
          out.Put(escape, 6);
        } else {  // a byte that starts no valid UTF-8 sequence
          out.Put("\\ufffd", 6);
        }
    }
    ++pos;
    run = pos;
  }
  out.Put(data + run, pos - run);
  out.Put('"');
}

// Collects text for Quote.
struct StringOut {
  std::string& text;
  void Put(char c) { text += c; }
  void Put(const char* data, size_t length) { text.append(data, length); }
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;  // the writer writes lower-case digits only
}

// Reads text in the writer's own form: each step checks that the bytes are exactly those the
// writer would write for what they mean.
class WrittenReader {
 public:
  explicit WrittenReader(const std::string& text) : _Text(text) {}

  // The object at pos, nested at most depth levels; pos ends after it. members, when given,
  // gets its members.
  bool Object(size_t& pos, int depth, std::vector<KroOmxJsonWriter::WrittenMember>* members) {
    if (depth < 1 || !Take(pos, '{')) return false;
    std::vector<std::pair<size_t, size_t>> names;  // raw spans, for names given twice
    if (Take(pos, '}')) return true;
    do {
      const size_t nameStart = pos;
      KroOmxJsonWriter::WrittenMember member;
      if (!String(pos, members ? &member.key : nullptr) || !Take(pos, ':')) return false;
      names.emplace_back(nameStart, pos - 1 - nameStart);
      const size_t valueStart = pos;
      if (pos < _Text.size() && _Text[pos] == '{') {
        if (!Object(pos, depth - 1, nullptr)) return false;
        member.isObject = true;
        if (members) member.value = KroUnicodeString(_Text.substr(valueStart, pos - valueStart));
      } else if (!String(pos, members ? &member.value : nullptr)) {
        return false;
      }
      if (members) members->push_back(std::move(member));
    } while (Take(pos, ','));
    return Take(pos, '}') && Distinct(names);
  }

 private:
  bool Take(size_t& pos, char c) const {
    if (pos >= _Text.size() || _Text[pos] != c) return false;
    ++pos;
    return true;
  }

  // The string at pos, escaped as the writer escapes; decoded into value when given.
  bool String(size_t& pos, KroUnicodeString* value) const {
    if (!Take(pos, '"')) return false;
    std::string decoded;
    size_t run = pos;
    while (pos < _Text.size()) {
      const unsigned char c = static_cast<unsigned char>(_Text[pos]);
      if (c == '"') {
        if (value) *value = KroUnicodeString(std::move(decoded.append(_Text, run, pos - run)));
        ++pos;
        return true;
      }
      if (c < 0x20) return false;
      if (c >= 0x80) {
        const size_t length = Utf8SequenceLength(_Text, pos);
        if (length == 0) return false;
        pos += length;
        continue;
      }
      if (c != '\\') {
        ++pos;
        continue;
      }
      if (value) decoded.append(_Text, run, pos - run);
      if (++pos >= _Text.size()) return false;
      char plain = 0;
      switch (_Text[pos]) {
        case '"':
          plain = '"';
          break;
        case '\\':
          plain = '\\';
          break;
        case 'b':
          plain = '\b';
          break;
        case 'f':
          plain = '\f';
          break;
        case 'n':
          plain = '\n';
          break;
        case 'r':
          plain = '\r';
          break;
        case 't':
          plain = '\t';
          break;
        case 'u': {
          // Only the control characters without a short escape are written as \u00xx.
          if (pos + 4 >= _Text.size() || _Text[pos + 1] != '0' || _Text[pos + 2] != '0')
            return false;
          const int high = HexValue(_Text[pos + 3]), low = HexValue(_Text[pos + 4]);
          if (high < 0 || high > 1 || low < 0) return false;
          plain = static_cast<char>(high * 16 + low);
          if (plain == '\b' || plain == '\f' || plain == '\n' || plain == '\r' || plain == '\t')
            return false;
          pos += 4;
          break;
        }
        default:
          return false;
      }
      if (value) decoded += plain;
      run = ++pos;
    }
    return false;
  }

  // Whether no two raw names are the same bytes (the form has one spelling per name).
  bool Distinct(std::vector<std::pair<size_t, size_t>>& names) const {
    auto before = [this](const std::pair<size_t, size_t>& a, const std::pair<size_t, size_t>& b) {
      return _Text.compare(a.first, a.second, _Text, b.first, b.second) < 0;
    };
    std::sort(names.begin(), names.end(), before);
    for (size_t i = 1; i < names.size(); ++i)
      if (!before(names[i - 1], names[i])) return false;
    return true;
  }

  const std::string& _Text;
};

}  // namespace

bool KroOmxJsonWriter::IsWrittenObject(const std::string& text, int maxDepth,
                                       std::vector<WrittenMember>* members) {
  if (members) members->clear();
  size_t pos = 0;
  if (WrittenReader(text).Object(pos, maxDepth, members) && pos == text.size()) return true;
  if (members) members->clear();
  return false;
}

std::string KroOmxJsonWriter::Quote(const std::string& text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  StringOut out{quoted};
  AppendQuoted(out, text);
  return quoted;
}

void KroOmxJsonWriter::PutQuoted(KroOmxTextStream& stream, const std::string& text) {
  AppendQuoted(stream, text);
}

void KroOmxJsonWriter::_Node::Comma() {
  if (_Count > 0) _Stream.Put(',');
  ++_Count;
}

void KroOmxJsonWriter::Atom::WriteTo(KroOmxTextStream& stream) const {
  PutQuoted(stream, _Text.ToStdString());
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
  PutQuoted(object.Stream(), key.ToStdString());
  object.Stream().Put(':');
}

void KroOmxJsonWriter::Attribute::Start(Object& object, const KroUnicodeString& key,
                                        const Atom& value) {
  Start(object, key);
  value.WriteTo(object.Stream());
}
