// Geometric link stream of KroMmdStreamGeomRefForODT: the cursor over the text being read, the
// writing and reading of each field, and the two drivers that run the fields in order and call
// the subclass's hooks. Fields end with "_": version, body identifier length and body
// identifier, type token, point and direction (not for "Feat"), specialised part.
#include "KroMmdStreamGeomRefForODT.h"

#include <cmath>
#include <cstring>
#include <new>
#include <string>

#include "KroSysBftier.h"

namespace {
const char* const kWriterName = "KroMmdStreamGeomRefForODT::StreamGeomLinkForODT";
const char* const kReaderName = "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT";

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
}  // namespace

KroMmdStreamGeomRefForODT::KroMmdStreamGeomRefForODT()
    : _Cursor(0), _Text(""), _Buffer(nullptr), _BufferLength(0) {}

KroMmdStreamGeomRefForODT::KroMmdStreamGeomRefForODT(const KroMmdStreamGeomRefForODT& other)
    : _Cursor(other._Cursor),
      _Text(other._Text),
      _Buffer(CopyOfBuffer(other._Buffer, other._BufferLength)),
      _BufferLength(other._BufferLength) {}

KroMmdStreamGeomRefForODT& KroMmdStreamGeomRefForODT::operator=(
    const KroMmdStreamGeomRefForODT& other) {
  if (this == &other) return *this;
  char* buffer = CopyOfBuffer(other._Buffer, other._BufferLength);
  delete[] _Buffer;
  _Buffer = buffer;
  _Cursor = other._Cursor;
  _Text = other._Text;
  _BufferLength = other._BufferLength;
  return *this;
}

KroMmdStreamGeomRefForODT::~KroMmdStreamGeomRefForODT() { Clear(); }

// ---- Cursor. ----

void KroMmdStreamGeomRefForODT::Clear() {
  delete[] _Buffer;
  _Buffer = nullptr;
  _BufferLength = 0;
  _Cursor = 0;
  _Text = "";
}

char KroMmdStreamGeomRefForODT::GetChar() {
  if (CheckPos() != KRO_S_OK) return 0;
  return _Buffer[_Cursor++];
}

KroResult KroMmdStreamGeomRefForODT::CheckPos() {
  if (_Buffer == nullptr || _Cursor < 0 || _Cursor >= _BufferLength) return KRO_E_FAIL;
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::ReadField(KroUnicodeString& field) {
  // The end of the text is told by the cursor, not by the character: a stream may hold a zero
  // byte, and GetChar gives 0 at the end without moving.
  std::string text;
  while (CheckPos() == KRO_S_OK) {
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

KroResult KroMmdStreamGeomRefForODT::WriteVersion() {
  KroUnicodeString version;
  version.BuildFromNum(_Version, "%d");
  _Text += version;
  return KRO_S_OK;
}

unsigned char KroMmdStreamGeomRefForODT::IsReadableVersion(int& version) {
  if (_Buffer == nullptr) return 0;
  KroUnicodeString field;
  if (ReadField(field) != KRO_S_OK) return 0;
  version = 0;
  // A field that is no number reads as version 0; a number too large for an int is no version
  // at all, rather than version 0.
  if (!field.ConvertToNum(&version, "%d") && BeginsWithNumber(field)) return 0;
  return version <= _Version ? 1 : 0;
}

KroResult KroMmdStreamGeomRefForODT::WriteBodyIdentifier(const KroUnicodeString& identifier) {
  if (identifier.IsEmpty()) {
    KroSysBftier(100, "KroMmdStreamGeomRefForODT::WriteBodyIdentifier", 0);
    return KRO_E_FAIL;
  }
  KroUnicodeString length;
  length.BuildFromNum(identifier.GetLengthInChar(), "%d");
  _Text += _sSeparator;
  _Text += length;
  _Text += _sSeparator;
  _Text += identifier;
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::ReadSpecName(KroUnicodeString& name) {
  if (_Buffer == nullptr) return KRO_E_FAIL;
  KroUnicodeString countField;
  if (ReadField(countField) != KRO_S_OK) return KRO_E_FAIL;
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

KroResult KroMmdStreamGeomRefForODT::WriteGeoType(MyGeoType type) {
  _Text += _sSeparator;
  _Text += _TabType[type];
  if (type == Feat) _Text += _sSeparator;
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::ReadGeoType(MyGeoType& type) {
  // The cursor stands on the separator after the body identifier.
  if (CheckPos() == KRO_S_OK) ++_Cursor;
  // The token is four characters and its separator; a token cut short is no token.
  constexpr int kTokenLength = 4;
  if (_Buffer == nullptr || _BufferLength - _Cursor < kTokenLength + 1) return KRO_E_FAIL;
  const KroUnicodeString token(_Buffer + _Cursor, kTokenLength);
  _Cursor += kTokenLength + 1;
  type = Vrtx;  // a token that is not in the table
  for (int index = 0; index < _nbTypes; ++index) {
    if (_TabType[index].SearchSubString(token, 0, 1) >= 0) {
      type = static_cast<MyGeoType>(index);
      break;
    }
  }
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::WritePoint(KroMathPoint& point) {
  const double coordinates[3] = {point.GetX(), point.GetY(), point.GetZ()};
  for (double coordinate : coordinates) {
    KroUnicodeString number;
    number.BuildFromNum(coordinate, "%g");
    _Text += _sSeparator;
    _Text += number;
  }
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::ReadPoint(KroMathPoint& point) {
  double coordinates[3] = {0.0, 0.0, 0.0};
  for (double& coordinate : coordinates) {
    KroUnicodeString field;
    if (ReadField(field) != KRO_S_OK) return KRO_E_FAIL;
    coordinate = NumberOfField(field);
  }
  point.SetCoord(coordinates[0], coordinates[1], coordinates[2]);
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::WriteDirection(KroMathDirection& direction) {
  const double components[3] = {direction.GetX(), direction.GetY(), direction.GetZ()};
  for (double component : components) {
    KroUnicodeString number;
    number.BuildFromNum(component, "%g");
    _Text += _sSeparator;
    _Text += number;
  }
  _Text += _sSeparator;
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::ReadDirection(KroMathDirection& direction) {
  double components[3] = {0.0, 0.0, 0.0};
  for (double& component : components) {
    KroUnicodeString field;
    if (ReadField(field) != KRO_S_OK) return KRO_E_FAIL;
    component = NumberOfField(field);
  }
  // Kept as read when of unit length, (1, 0, 0) when zero, otherwise divided by its length.
  direction.SetCoord(components[0], components[1], components[2]);
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::WriteSpecializedStream(const KroUnicodeString& specialized) {
  _Text += specialized;
  _Text += _sSeparator;
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::ReadSpecializedStream(KroUnicodeString& specialized) {
  // The rest of the text is the part and its closing separator; a text that ends before it,
  // or whose last character is no separator, has no specialised part.
  const int rest = _BufferLength - _Cursor;
  if (_Buffer == nullptr || rest < 1 || _Buffer[_BufferLength - 1] != _Separator) {
    return KRO_E_FAIL;
  }
  specialized = KroUnicodeString(_Buffer + _Cursor, rest - 1);
  _Cursor = _BufferLength;
  return KRO_S_OK;
}

// ---- Drivers. ----

KroResult KroMmdStreamGeomRefForODT::StreamGeomLinkForODT(KroUnicodeString& stream) {
  Clear();
  WriteVersion();

  KroUnicodeString identifier;
  if (GetBodyIdentifier(identifier) != KRO_S_OK) {
    KroSysBftier(200, kWriterName, 0);
    return KRO_E_FAIL;
  }
  if (WriteBodyIdentifier(identifier) != KRO_S_OK) {
    KroSysBftier(300, kWriterName, 0);
    return KRO_E_FAIL;
  }

  MyGeoType type = NoGeoType;
  // A type outside the table indexes no token: refused like a missing one.
  if (GetMyGeoType(type) != KRO_S_OK || type < 0 || type >= _nbTypes) {
    KroSysBftier(400, kWriterName, 0);
    return KRO_E_FAIL;
  }
  WriteGeoType(type);

  if (type != Feat && WriteSubElem() != KRO_S_OK) {
    KroSysBftier(600, kWriterName, 0);
    return KRO_E_FAIL;
  }

  KroUnicodeString specialized;
  if (GetSpecializedStream(specialized) != KRO_S_OK) {
    KroSysBftier(700, kWriterName, 0);
    return KRO_E_FAIL;
  }
  WriteSpecializedStream(specialized);

  stream = _Text;
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::ParseGeomLinkForODT(const KroUnicodeString& stream) {
  Clear();
  _Text = stream;
  _BufferLength = _Text.GetLengthInChar();
  if (_BufferLength <= 0) {
    _BufferLength = 0;
    KroSysBftier(200, kReaderName, 0);
    return KRO_E_FAIL;
  }

  // Positions in the text are byte positions: the buffer holds its bytes as they are.
  _Buffer = CopyOfBuffer(_Text.ToStdString().data(), _BufferLength);
  if (_Buffer == nullptr) {
    KroSysBftier(300, kReaderName, 0);
    return KRO_E_FAIL;
  }

  int version = 0;
  if (!IsReadableVersion(version)) {
    KroSysBftier(300, kReaderName, 0);
    return KRO_E_FAIL;
  }

  KroUnicodeString identifier;
  if (ReadSpecName(identifier) != KRO_S_OK) {
    KroSysBftier(400, kReaderName, 0);
    return KRO_E_FAIL;
  }

  KroBody_var body;
  if (ParseBodyIdentifier(identifier, body) != KRO_S_OK) {
    KroSysBftier(500, kReaderName, 0);
    return KRO_E_FAIL;
  }

  MyGeoType type = NoGeoType;
  if (ReadGeoType(type) != KRO_S_OK) {
    KroSysBftier(600, kReaderName, 0);
    return KRO_E_FAIL;
  }

  if (type == Axis) type = Face;
  if (SetMyGeoType(type) != KRO_S_OK) {
    KroSysBftier(700, kReaderName, 0);
    return KRO_E_FAIL;
  }

  if (type != Feat) {
    KroTopology_var subElement;
    if (ReadSubElem(body, type, subElement) != KRO_S_OK || !subElement) {
      KroSysBftier(800, kReaderName, 0);
      return KRO_E_FAIL;
    }
    if (SetSubElem(subElement) != KRO_S_OK) {
      KroSysBftier(900, kReaderName, 0);
      return KRO_E_FAIL;
    }
  }

  // Versions 0 and 1 carry no specialised part; anything after the sub-element is ignored.
  if (version >= 2) {
    KroUnicodeString specialized;
    if (ReadSpecializedStream(specialized) != KRO_S_OK ||
        SetSpecializedStream(specialized) != KRO_S_OK) {
      KroSysBftier(1100, kReaderName, 0);
      return KRO_E_FAIL;
    }
  }
  return KRO_S_OK;
}

// ---- Comparison. ----

KroResult KroMmdStreamGeomRefForODT::Compare(const KroUnicodeString& first,
                                             const KroUnicodeString& second) {
  const int firstStart = first.SearchSubString(_sSeparator, 0, 1);
  const int secondStart = second.SearchSubString(_sSeparator, 0, 1);
  if (firstStart < 0 || secondStart < 0) return KRO_E_FAIL;
  const KroUnicodeString firstRest =
      first.SubString(firstStart, first.GetLengthInChar() - firstStart);
  const KroUnicodeString secondRest =
      second.SubString(secondStart, second.GetLengthInChar() - secondStart);
  return firstRest == secondRest ? KRO_S_OK : KRO_E_FAIL;
}
