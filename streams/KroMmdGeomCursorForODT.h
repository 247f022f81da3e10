// What the compact geometric texts share: the cursor over the text being written or read, the
// writers and readers of their fields (version, length-prefixed name, type token, point,
// direction) and the location of a cell from the point and direction written for it. The
// geometric link stream and the geometric selector are built on it, each with its own version,
// type table and trace names.
#ifndef KroMmdGeomCursorForODT_H
#define KroMmdGeomCursorForODT_H

#include "KroBody.h"
#include "KroCell.h"
#include "KroMathDirection.h"
#include "KroMathPoint.h"
#include "KroResult.h"
#include "KroTopology.h"
#include "KroUnicodeString.h"

class KroMmdGeomCursorForODT {
 public:
  static constexpr char _Separator = '_';
  // Largest distance, exclusive, at which a cell is found again from the point written for it,
  // in model units; also the tolerance handed to the host's cell search.
  static constexpr double _LocationTolerance = 0.02;

  // The fields of a compact text as its reader reads them (the same conversions, the same
  // normalisation of the direction), with the position (from 1) at which each field begins, 0
  // when the text ends before it. Made by ScanGeomLinkForODT and ScanGeomSelectorForODT for
  // callers that explain or judge a text outside a read.
  struct Fields {
    int version = 0;
    KroUnicodeString identifier;  // the body identifier; empty in a text that has none
    KroUnicodeString token;       // the four characters of the type field
    int type = -1;                // as the reader hands it on: an unknown token is 0, Axis is Face
    bool axis = false;            // the token was "Axis"
    bool complete = false;        // every field up to the last direction was read
    KroMathPoint point;           // the first point and direction (a volume has two)
    KroMathDirection direction;
    int lengthAt = 0;  // the length of the body identifier
    int tokenAt = 0;
    int pointAt = 0;
    int directionAt = 0;
    int endAt = 0;  // what follows the fields: the specialised part of a link stream
  };

  KroMmdGeomCursorForODT();
  // A copy has its own copy of the buffer being read, so both objects can go on reading.
  KroMmdGeomCursorForODT(const KroMmdGeomCursorForODT& other);
  KroMmdGeomCursorForODT& operator=(const KroMmdGeomCursorForODT& other);
  virtual ~KroMmdGeomCursorForODT();

 protected:
  // Indices that every type table shares.
  enum SharedType { kVertexType = 0, kFaceType = 2, kAxisType = 4 };

  // One family of compact texts: what its reader expects after the version.
  struct Layout {
    bool bodyIdentifier;             // a length-prefixed body identifier follows the version
    const KroUnicodeString* tokens;  // the type table
    int tokenCount;
    int featType;    // the token that has no sub-element fields, -1 when none
    int volumeType;  // the token followed by two point and direction pairs
  };
  static void ScanFields(const KroUnicodeString& text, const Layout& layout, Fields& fields);

  // ---- Cursor. ----
  // Frees the buffer; cursor 0, text "".
  void Clear();
  // Clear, then the text to read and a byte copy of it, with the cursor at 0. Fails for an
  // empty text and when no buffer can be had.
  KroResult LoadText(const KroUnicodeString& text);
  // The character at the cursor, which advances; 0 at or past the end, without advancing.
  char GetChar();
  // 0 while the cursor is before the end of the buffer.
  KroResult CheckPos();
  // Reads characters up to the next separator, which is consumed; fails, with the cursor at the
  // end, when the text ends first.
  KroResult ReadField(KroUnicodeString& field);

  // ---- Fields. ----
  void WriteVersion(int version);
  // Reads the version field ("%d"; no number is 0). Fails when the text has no separator.
  KroResult ReadVersion(int& version);
  // Reads the version field; true when it was read and is at most highest.
  unsigned char IsReadableVersion(int& version, int highest);
  // A length-prefixed field: the count, "_", then that many characters (which may hold "_").
  // A count of 0 leaves name as it was; a count that the text does not have fails.
  KroResult ReadSpecName(KroUnicodeString& name);
  // Appends "_" and the token.
  void WriteToken(const KroUnicodeString& token);
  // Reads four characters and their separator at the cursor and gives the index of the first
  // entry of the table that holds them (0 when none does). Fails when the text is too short.
  KroResult ReadToken(const KroUnicodeString* table, int count, int& index);
  KroResult WritePoint(const KroMathPoint& point);
  KroResult ReadPoint(KroMathPoint& point);
  KroResult WriteDirection(const KroMathDirection& direction);
  KroResult ReadDirection(KroMathDirection& direction);

  // ---- Locating a sub-element by geometry (KroMmdStreamGeomRefForODTCells.cpp). ----
  // Appends the point and direction of the sub-element. Traces under name, as the steps after
  // the sub-element was obtained: 200 not a cell, 300 dimension 0 but no vertex, 400 no point,
  // 500 point not written, 600 no direction, 700 direction not written.
  KroResult WriteCellFields(const KroTopology_var& subElement, const char* name);
  // Reads the point and direction at the cursor and finds the cell in the body: the first
  // vertex near the point for dimension 0, the volume bounded by the faces of two point and
  // direction pairs for twoFaces, the host's search for cells of the dimension otherwise.
  // subElement is emptied first and stays empty, with success, when a face of a volume is not
  // found. Traces under name: 100, 200 point, direction; 300, 400 second pair; 500, 600 face
  // searches; 700 no volume; 800 search; 900 no vertex.
  KroResult ReadCellFields(KroBody_var& body, short dimension, bool twoFaces, const char* name,
                           KroTopology_var& subElement);
  // The direction of the cell at the point: fixed for a vertex, the unit tangent of an edge, the
  // unit normal of a face; unchanged for a volume or a cell without geometry. Always 0.
  KroResult GetDirection(KroCell_var& cell, KroMathDirection& direction, KroMathPoint& point);
  // The first vertex of the body, in the body's order, nearer than the tolerance to the point.
  KroResult GetVertexOnBody(double tolerance, KroMathPoint& point, KroBody_var& body,
                            KroCell_var& vertex);
  // The first volume of the body that both faces bound.
  KroResult GetVolumeCellFromFaces(KroBody_var body, KroCell_var face1, KroCell_var face2,
                                   KroCell_var& volume);
  // One call of the host's cell search, keeping its best cell.
  KroResult GetBestCellsOnBodyFromPointByGeomReroute(int mode, double tolerance, short dimension,
                                                     int useDirection, KroMathPoint* point,
                                                     KroMathDirection* direction, KroBody* body,
                                                     KroCell_var& cell);

  int _Cursor;             // next position to read
  KroUnicodeString _Text;  // stream being written, or whole stream being read
  char* _Buffer;           // owned copy of the characters being read, no terminator; or null
  int _BufferLength;       // number of characters of the text being read
};

#endif
