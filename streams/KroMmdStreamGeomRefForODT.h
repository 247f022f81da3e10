// Base of the compact geometric link streams: one-line texts such as
// "3_3_#42_Face_10_0_5_0_0_1__" that name a body, the kind of one of its elements and, for a
// vertex, edge, face or volume, a point and a direction from which the element is found again by
// geometry. Subclasses (delegate and topology streams) supply and receive the values through
// eight private hooks; the cursor, the common fields and the cell location are those of
// KroMmdGeomCursorForODT, which the geometric selector shares. The class also holds the
// octet-sequence text, which turns a host byte string into a readable one-line text such as
// "['AB',0,'C']" and back.
#ifndef KroMmdStreamGeomRefForODT_H
#define KroMmdStreamGeomRefForODT_H

#include "KroBody.h"
#include "KroMmdGeomCursorForODT.h"
#include "KroResult.h"
#include "KroTopology.h"
#include "KroUnicodeString.h"
#include "_SEQUENCE_octet.h"

class KroMmdStreamGeomRefForODT : public KroMmdGeomCursorForODT {
 public:
  // ---- Geometric link stream. ----

  // The geometric type of a stream: the index of its token in _TabType, NoGeoType when not set.
  enum MyGeoType {
    NoGeoType = -1,
    Vrtx = 0,  // a vertex
    Edge = 1,  // a cell of dimension 1
    Face = 2,  // a cell of dimension 2
    Wire = 3,  // a cell of dimension 3 (the subclasses write volumes with this token)
    Axis = 4,  // never written by this library; read as Face
    Feat = 5,  // the whole feature or body: no sub-element fields
    Vlme = 6   // a volume given by two of its faces (two point and direction pairs)
  };

  // Class constants. The two string objects are built when the library is loaded, after the
  // geometric selector's (debug/KroMmdStartUp.cpp).
  static const KroUnicodeString _sSeparator;  // "_"
  static constexpr int _nbTypes = 7;
  static constexpr int _Version = 3;
  static const KroUnicodeString _TabType[_nbTypes];  // "Vrtx" ... "Vlme", in MyGeoType order

  KroMmdStreamGeomRefForODT();
  KroMmdStreamGeomRefForODT(const KroMmdStreamGeomRefForODT& other);
  KroMmdStreamGeomRefForODT& operator=(const KroMmdStreamGeomRefForODT& other);
  ~KroMmdStreamGeomRefForODT() override;

  // The fields of a link stream as ParseGeomLinkForODT reads them, without looking anything up.
  static void ScanGeomLinkForODT(const KroUnicodeString& stream, Fields& fields);

  // 0 when the two streams name the same element in the same way: everything from the first
  // "_" on is equal (the version field is ignored). KRO_E_FAIL otherwise, and for a text that
  // has no "_" at all (no stream).
  [[nodiscard]] KroResult Compare(const KroUnicodeString& first, const KroUnicodeString& second);

  // ---- Octet-sequence text (KroMmdStreamGeomRefForODTOctets.cpp). ----

  // Reads a text such as "['AB',0,'C']" into the sequence, replacing its content. Fails when
  // the text does not begin with "[" (the sequence is then empty) or has no closing "]" (the
  // sequence then holds the octets read up to the end of the text).
  [[nodiscard]] static KroResult GetSEQFromString(KroUnicodeString text, _SEQUENCE_octet& octets);
  // Writes the text form of the sequence, replacing the content of text. Always 0.
  static KroResult GetStringFromSEQ(const _SEQUENCE_octet& octets, KroUnicodeString& text);

 protected:
  // Writes the stream of the subclass's current state. On failure the output is left as it
  // was (the text member holds the stream up to the failing step).
  [[nodiscard]] KroResult StreamGeomLinkForODT(KroUnicodeString& stream);
  // Reads the stream and hands its values to the hooks, in field order. Never reads past the
  // end of the text: a cut or malformed field fails with the stage of the step reading it.
  // There is no rollback: hooks called before a failure keep what they received.
  [[nodiscard]] KroResult ParseGeomLinkForODT(const KroUnicodeString& stream);

 private:
  // ---- Hooks supplied by the subclasses. ----
  // Writing: the body identifier text.
  virtual KroResult GetBodyIdentifier(KroUnicodeString& identifier) = 0;
  // Reading: the body that the identifier text names.
  virtual KroResult ParseBodyIdentifier(const KroUnicodeString& identifier, KroBody_var& body) = 0;
  // Writing: the geometric type (left NoGeoType, the write fails).
  virtual KroResult GetMyGeoType(MyGeoType& type) = 0;
  // Reading: the geometric type read (Face for a stream that says Axis).
  virtual KroResult SetMyGeoType(MyGeoType type) = 0;
  // Writing: the sub-element to locate.
  virtual KroResult GetSubElem(KroTopology_var& subElement) = 0;
  // Reading: the cell found from the sub-element fields.
  virtual KroResult SetSubElem(const KroTopology_var& subElement) = 0;
  // Writing: the specialised part (any text).
  virtual KroResult GetSpecializedStream(KroUnicodeString& specialized) = 0;
  // Reading: the specialised part of a version 2 or 3 stream.
  virtual KroResult SetSpecializedStream(const KroUnicodeString& specialized) = 0;

  // ---- Fields of the link stream (KroMmdGeomCursorForODT has the others). ----
  KroResult WriteVersion();
  unsigned char IsReadableVersion(int& version);
  KroResult WriteBodyIdentifier(const KroUnicodeString& identifier);
  KroResult WriteGeoType(MyGeoType type);
  KroResult ReadGeoType(MyGeoType& type);
  KroResult WriteSpecializedStream(const KroUnicodeString& specialized);
  KroResult ReadSpecializedStream(KroUnicodeString& specialized);
  // The point and direction of the sub-element that GetSubElem gives, and the cell of the body
  // found from them, traced under this class's names.
  KroResult WriteSubElem();
  KroResult ReadSubElem(KroBody_var& body, MyGeoType type, KroTopology_var& subElement);

  // ---- Octet-sequence helpers. ----

  // True for 0x20 to 0x7E except the double quote, "[" and "]": the octets that stand as
  // themselves inside a quoted run.
  static unsigned char IsDisplayableSEQChar(unsigned char octet);
  // The text of one octet: backslash and character for "'" and the backslash, the character for
  // other displayable octets, the decimal value for the others.
  static KroUnicodeString GetEscapedIfnSEQChar(unsigned char octet);
};

#endif
