// Geometric link stream of KroMmdStreamGeomRefForODT: its own fields (version 3, the
// length-prefixed body identifier, the type token, the specialised part) and the two drivers
// that run the fields in order and call the subclass's hooks. Fields end with "_": version, body
// identifier length and body identifier, type token, point and direction (not for "Feat"),
// specialised part.
#include "KroMmdStreamGeomRefForODT.h"

#include "KroSysBftier.h"

namespace {
const char* const kWriterName = "KroMmdStreamGeomRefForODT::StreamGeomLinkForODT";
const char* const kReaderName = "KroMmdStreamGeomRefForODT::ParseGeomLinkForODT";
}  // namespace

KroMmdStreamGeomRefForODT::KroMmdStreamGeomRefForODT() = default;

KroMmdStreamGeomRefForODT::KroMmdStreamGeomRefForODT(const KroMmdStreamGeomRefForODT& other) =
    default;

KroMmdStreamGeomRefForODT& KroMmdStreamGeomRefForODT::operator=(
    const KroMmdStreamGeomRefForODT& other) = default;

KroMmdStreamGeomRefForODT::~KroMmdStreamGeomRefForODT() = default;

void KroMmdStreamGeomRefForODT::ScanGeomLinkForODT(const KroUnicodeString& stream, Fields& fields) {
  static const Layout kLayout = {true, _TabType, _nbTypes, Feat, Vlme};
  ScanFields(stream, kLayout, fields);
}

// ---- Fields. ----

KroResult KroMmdStreamGeomRefForODT::WriteVersion() {
  KroMmdGeomCursorForODT::WriteVersion(_Version);
  return KRO_S_OK;
}

unsigned char KroMmdStreamGeomRefForODT::IsReadableVersion(int& version) {
  return KroMmdGeomCursorForODT::IsReadableVersion(version, _Version);
}

KroResult KroMmdStreamGeomRefForODT::WriteBodyIdentifier(const KroUnicodeString& identifier) {
  if (identifier.IsEmpty())
    return KroSysFail(100, "KroMmdStreamGeomRefForODT::WriteBodyIdentifier");
  KroUnicodeString length;
  length.BuildFromNum(identifier.GetLengthInChar(), "%d");
  _Text += _sSeparator;
  _Text += length;
  _Text += _sSeparator;
  _Text += identifier;
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::WriteGeoType(MyGeoType type) {
  WriteToken(_TabType[type]);
  if (type == Feat) _Text += _sSeparator;
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::ReadGeoType(MyGeoType& type) {
  // The cursor stands on the separator after the body identifier.
  if (KroSucceeded(CheckPos())) ++_Cursor;
  int index = NoGeoType;
  if (KroFailed(ReadToken(_TabType, _nbTypes, index))) return KRO_E_FAIL;
  type = static_cast<MyGeoType>(index);
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

KroResult KroMmdStreamGeomRefForODT::WriteSubElem() {
  static const char* const kName = "KroMmdStreamGeomRefForODT::WriteSubElem";
  KroTopology_var subElement;
  if (KroFailed(GetSubElem(subElement))) return KroSysFail(100, kName);
  return WriteCellFields(subElement, kName);
}

KroResult KroMmdStreamGeomRefForODT::ReadSubElem(KroBody_var& body, MyGeoType type,
                                                 KroTopology_var& subElement) {
  // Edge, Face and Wire are searched as the cells of the dimension of their index.
  return ReadCellFields(body, type == Vlme ? 3 : static_cast<short>(type), type == Vlme,
                        "KroMmdStreamGeomRefForODT::ReadSubElem", subElement);
}

// ---- Drivers. ----

KroResult KroMmdStreamGeomRefForODT::StreamGeomLinkForODT(KroUnicodeString& stream) {
  Clear();
  WriteVersion();

  KroUnicodeString identifier;
  if (KroFailed(GetBodyIdentifier(identifier))) return KroSysFail(200, kWriterName);
  if (KroFailed(WriteBodyIdentifier(identifier))) return KroSysFail(300, kWriterName);

  MyGeoType type = NoGeoType;
  // A type outside the table indexes no token: refused like a missing one.
  if (KroFailed(GetMyGeoType(type)) || type < 0 || type >= _nbTypes)
    return KroSysFail(400, kWriterName);
  WriteGeoType(type);

  if (type != Feat && KroFailed(WriteSubElem())) return KroSysFail(600, kWriterName);

  KroUnicodeString specialized;
  if (KroFailed(GetSpecializedStream(specialized))) return KroSysFail(700, kWriterName);
  WriteSpecializedStream(specialized);

  stream = _Text;
  return KRO_S_OK;
}

KroResult KroMmdStreamGeomRefForODT::ParseGeomLinkForODT(const KroUnicodeString& stream) {
  Clear();
  if (stream.IsEmpty()) return KroSysFail(200, kReaderName);
  if (KroFailed(LoadText(stream))) return KroSysFail(300, kReaderName);

  int version = 0;
  if (!IsReadableVersion(version)) return KroSysFail(300, kReaderName);

  KroUnicodeString identifier;
  if (KroFailed(ReadSpecName(identifier))) return KroSysFail(400, kReaderName);

  KroBody_var body;
  if (KroFailed(ParseBodyIdentifier(identifier, body))) return KroSysFail(500, kReaderName);

  MyGeoType type = NoGeoType;
  if (KroFailed(ReadGeoType(type))) return KroSysFail(600, kReaderName);

  if (type == Axis) type = Face;
  if (KroFailed(SetMyGeoType(type))) return KroSysFail(700, kReaderName);

  if (type != Feat) {
    KroTopology_var subElement;
    if (KroFailed(ReadSubElem(body, type, subElement)) || !subElement)
      return KroSysFail(800, kReaderName);
    if (KroFailed(SetSubElem(subElement))) return KroSysFail(900, kReaderName);
  }

  // Versions 0 and 1 carry no specialised part; anything after the sub-element is ignored.
  if (version >= 2) {
    KroUnicodeString specialized;
    if (KroFailed(ReadSpecializedStream(specialized)) ||
        KroFailed(SetSpecializedStream(specialized)))
      return KroSysFail(1100, kReaderName);
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
