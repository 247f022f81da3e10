// The cursor of the compact geometric texts and the writing and reading of their fields, each
// followed by "_": the version, a length-prefixed name, a four-letter type token, the three
// coordinates of a point and the three components of a direction. The scanner runs the very
// readers that the stream readers run, in their order.
#include "KroMmdGeomCursorForODT.h"

#include <cmath>
#include <cstring>
#include <new>
#include <string>

namespace {
// A copy of length characters of source, or null for none (or when memory runs out).
char* CopyOfBuffer(const char* source, int length) {
  if (source == nullptr || length <= 0) return nullptr;
  char* copy = new (std::nothrow) char[static_cast<size_t>(length)];
  if (copy != nullptr) std::memcpy(copy, source, static_cast<size_t>(length));
  return copy;
}

// Whether the field begins with a decimal number, as "%d" reads it (white space, a sign, digits):
// when such a field does not convert, its number is too large for an int.
bool BeginsWithNumber(const KroUnicodeString& field) {
  const std::string& text = field.ToStdString();
  size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) {
    ++pos;
  }
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
  return pos < text.size() && text[pos] >= '0' && text[pos] <= '9';
}

// The number of a coordinate field: 0 for a field that is no number, and for "inf" or "nan",
// which no writer produces and which would only lead the geometric search astray.
double NumberOfField(const KroUnicodeString& field) {
  double value = 0.0;
  if (!field.ConvertToNum(&value, "%le") || !std::isfinite(value)) value = 0.0;
  return value;
}

void AppendNumbers(KroUnicodeString& text, const double (&numbers)[3]) {
  for (double number : numbers) {
    KroUnicodeString field;
    field.BuildFromNum(number, "%g");
    text += KroUnicodeChar(KroMmdGeomCursorForODT::_Separator);
    text += field;
  }
}
}  // namespace

KroMmdGeomCursorForODT::KroMmdGeomCursorForODT()
    : _Cursor(0), _Text(""), _Buffer(nullptr), _BufferLength(0) {}

KroMmdGeomCursorForODT::KroMmdGeomCursorForODT(const KroMmdGeomCursorForODT& other)
    : _Cursor(other._Cursor),
      _Text(other._Text),
      _Buffer(CopyOfBuffer(other._Buffer, other._BufferLength)),
      _BufferLength(other._BufferLength) {}

KroMmdGeomCursorForODT& KroMmdGeomCursorForODT::operator=(const KroMmdGeomCursorForODT& other) {
  if (this == &other) return *this;
  char* buffer = CopyOfBuffer(other._Buffer, other._BufferLength);
  delete[] _Buffer;
  _Buffer = buffer;
  _Cursor = other._Cursor;
  _Text = other._Text;
  _BufferLength = other._BufferLength;
  return *this;
}

KroMmdGeomCursorForODT::~KroMmdGeomCursorForODT() { Clear(); }

// ---- Cursor. ----

void KroMmdGeomCursorForODT::Clear() {
  delete[] _Buffer;
  _Buffer = nullptr;
  _BufferLength = 0;
  _Cursor = 0;
  _Text = "";
}

KroResult KroMmdGeomCursorForODT::LoadText(const KroUnicodeString& text) {
  Clear();
  if (text.IsEmpty()) return KRO_E_FAIL;
  _Text = text;
  _BufferLength = _Text.GetLengthInChar();
  // Positions in the text are byte positions: the buffer holds its bytes as they are.
  _Buffer = CopyOfBuffer(_Text.ToStdString().data(), _BufferLength);
  return _Buffer != nullptr ? KRO_S_OK : KRO_E_FAIL;
}

char KroMmdGeomCursorForODT::GetChar() {
  if (KroFailed(CheckPos())) return 0;
  return _Buffer[_Cursor++];
}

KroResult KroMmdGeomCursorForODT::CheckPos() {
  if (_Buffer == nullptr || _Cursor < 0 || _Cursor >= _BufferLength) return KRO_E_FAIL;
  return KRO_S_OK;
}

KroResult KroMmdGeomCursorForODT::ReadField(KroUnicodeString& field) {
  // The end of the text is told by the cursor, not by the character: a stream may hold a zero
  // byte, and GetChar gives 0 at the end without moving.
  std::string text;
  while (KroSucceeded(CheckPos())) {
    const char c = GetChar();
    if (c == _Separator) {
      field = KroUnicodeString(std::move(text));
      return KRO_S_OK;
    }
    text += c;
  }
  return KRO_E_FAIL;
}

// ---- Fields. ----

void KroMmdGeomCursorForODT::WriteVersion(int version) {
  KroUnicodeString text;
  text.BuildFromNum(version, "%d");
  _Text += text;
}

KroResult KroMmdGeomCursorForODT::ReadVersion(int& version) {
  KroUnicodeString field;
  if (_Buffer == nullptr || KroFailed(ReadField(field))) return KRO_E_FAIL;
  version = 0;
  // A field that is no number reads as version 0; a number too large for an int is no version
  // at all, rather than version 0.
  if (!field.ConvertToNum(&version, "%d") && BeginsWithNumber(field)) return KRO_E_FAIL;
  return KRO_S_OK;
}

unsigned char KroMmdGeomCursorForODT::IsReadableVersion(int& version, int highest) {
  return KroSucceeded(ReadVersion(version)) && version <= highest ? 1 : 0;
}

KroResult KroMmdGeomCursorForODT::ReadSpecName(KroUnicodeString& name) {
  KroUnicodeString countField;
  if (_Buffer == nullptr || KroFailed(ReadField(countField))) return KRO_E_FAIL;
  int count = 0;
  if (!countField.ConvertToNum(&count, "%d") && BeginsWithNumber(countField)) {
    // A count too large for any text: no field of this text can be that long.
    return KRO_E_FAIL;
  }
  if (count == 0) return KRO_S_OK;
  // A count that is negative or larger than what is left of the text names no field of it.
  if (count < 0 || count > _BufferLength - _Cursor) return KRO_E_FAIL;
  name = KroUnicodeString(_Buffer + _Cursor, count);
  _Cursor += count;
  return KRO_S_OK;
}

void KroMmdGeomCursorForODT::WriteToken(const KroUnicodeString& token) {
  _Text += KroUnicodeChar(_Separator);
  _Text += token;
}

KroResult KroMmdGeomCursorForODT::ReadToken(const KroUnicodeString* table, int count, int& index) {
  // The token is four characters and its separator; a token cut short is no token.
  constexpr int kTokenLength = 4;
  if (_Buffer == nullptr || _BufferLength - _Cursor < kTokenLength + 1) return KRO_E_FAIL;
  const KroUnicodeString token(_Buffer + _Cursor, kTokenLength);
  _Cursor += kTokenLength + 1;
  index = kVertexType;  // a token that is not in the table
  for (int entry = 0; entry < count; ++entry) {
    if (table[entry].SearchSubString(token, 0, 1) >= 0) {
      index = entry;
      break;
    }
  }
  return KRO_S_OK;
}

KroResult KroMmdGeomCursorForODT::WritePoint(const KroMathPoint& point) {
  AppendNumbers(_Text, {point.GetX(), point.GetY(), point.GetZ()});
  return KRO_S_OK;
}

KroResult KroMmdGeomCursorForODT::ReadPoint(KroMathPoint& point) {
  double coordinates[3] = {0.0, 0.0, 0.0};
  for (double& coordinate : coordinates) {
    KroUnicodeString field;
    if (KroFailed(ReadField(field))) return KRO_E_FAIL;
    coordinate = NumberOfField(field);
  }
  point.SetCoord(coordinates[0], coordinates[1], coordinates[2]);
  return KRO_S_OK;
}

KroResult KroMmdGeomCursorForODT::WriteDirection(const KroMathDirection& direction) {
  AppendNumbers(_Text, {direction.GetX(), direction.GetY(), direction.GetZ()});
  _Text += KroUnicodeChar(_Separator);
  return KRO_S_OK;
}

KroResult KroMmdGeomCursorForODT::ReadDirection(KroMathDirection& direction) {
  double components[3] = {0.0, 0.0, 0.0};
  for (double& component : components) {
    KroUnicodeString field;
    if (KroFailed(ReadField(field))) return KRO_E_FAIL;
    component = NumberOfField(field);
  }
  // Kept as read when of unit length, (1, 0, 0) when zero, otherwise divided by its length.
  direction.SetCoord(components[0], components[1], components[2]);
  return KRO_S_OK;
}

// ---- Scanner. ----

void KroMmdGeomCursorForODT::ScanFields(const KroUnicodeString& text, const Layout& layout,
                                        Fields& fields) {
  fields = Fields();
  KroMmdGeomCursorForODT cursor;
  if (KroFailed(cursor.LoadText(text)) || KroFailed(cursor.ReadVersion(fields.version))) return;
  auto position = [&cursor] { return cursor._Cursor + 1; };

  if (layout.bodyIdentifier) {
    fields.lengthAt = position();
    if (KroFailed(cursor.ReadSpecName(fields.identifier))) return;
    // The cursor stands on the separator after the identifier.
    if (KroSucceeded(cursor.CheckPos())) ++cursor._Cursor;
  }
  fields.tokenAt = position();
  if (cursor._BufferLength - cursor._Cursor >= 4) {
    fields.token = KroUnicodeString(cursor._Buffer + cursor._Cursor, 4);
  }
  if (KroFailed(cursor.ReadToken(layout.tokens, layout.tokenCount, fields.type))) return;
  fields.axis = fields.type == kAxisType;
  if (fields.axis) fields.type = kFaceType;
  if (fields.type != layout.featType) {
    fields.pointAt = position();
    if (KroFailed(cursor.ReadPoint(fields.point))) return;
    fields.directionAt = position();
    if (KroFailed(cursor.ReadDirection(fields.direction))) return;
    KroMathPoint secondPoint;
    KroMathDirection secondDirection;
    if (fields.type == layout.volumeType && (KroFailed(cursor.ReadPoint(secondPoint)) ||
                                             KroFailed(cursor.ReadDirection(secondDirection)))) {
      return;
    }
  }
  fields.endAt = position();
  fields.complete = true;
}
