// Models, cells, topology streams and the fields of compact streams, for the kro-odt verbs.
#include "KroOdtModel.h"

#include <sys/stat.h>

#include <cctype>
#include <cmath>
#include <cstdio>

#include "KroBRepModel.h"
#include "KroGnIdentifier.h"
#include "KroIGnAssociatedObject.h"
#include "KroListPtrKroCell.h"
#include "KroMmdStreamGeomRefForODT.h"
#include "KroMmdStreamGnIdentifierForODT.h"
#include "KroMmdStreamTopoForODT.h"
#include "KroOdtProgress.h"
#include "KroOdtTraceWords.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  if (text.size() < end.size()) return false;
  for (size_t i = 0; i < end.size(); ++i) {
    const char c = text[text.size() - end.size() + i];
    if (std::tolower(static_cast<unsigned char>(c)) != end[i]) return false;
  }
  return true;
}

// The kernel's message without the path it repeats: "x.step: no solid in the model" becomes
// "no solid in the model", "cannot open x.step" becomes "cannot open the file".
std::string PlainMessage(const std::string& message, const std::string& path) {
  std::string text = message;
  if (!path.empty() && text.compare(0, path.size() + 2, path + ": ") == 0) {
    text.erase(0, path.size() + 2);
  }
  for (size_t at; !path.empty() && (at = text.find(path)) != std::string::npos;) {
    text.replace(at, path.size(), "the file");
  }
  return text.empty() ? "the file could not be read" : text;
}

KroOdtOutcome Failed(const KroSysTraceRecorder& recorder) {
  KroOdtOutcome outcome;
  outcome.ok = false;
  outcome.chain = recorder.Entries();
  outcome.why = KroOdtExplainTrace(outcome.chain);
  if (outcome.why.empty()) outcome.why = "the library gave no reason";
  return outcome;
}

}  // namespace

// ---- Models. ----

bool KroOdtIsModelOperand(const std::string& operand) {
  struct stat info;
  if (!operand.empty() && stat(operand.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return true;
  return EndsWith(operand, ".step") || EndsWith(operand, ".stp") || EndsWith(operand, ".brep");
}

std::string KroOdtModelLabel(const std::string& path) {
  return path.empty() ? "built-in sample part" : path;
}

int KroOdtLoadModel(const KroOdtArgs& args, const std::string& path, KroMfPart_var& part) {
  KroUnicodeString message;
  KroResult rc = KRO_S_OK;
  KroSysTraceRecorder recorder;
  {
    KroOdtProgress progress(KroOdtProgress::Enabled(args),
                            "reading " + (path.empty() ? std::string("the sample part") : path), 0);
    if (path.empty()) {
      rc = KroMfPart::CreateSamplePart(part, &message);
    } else {
      struct stat info;
      if (stat(path.c_str(), &info) != 0) {
        message = "no such file";
        rc = KRO_E_FAIL;
      } else if (S_ISDIR(info.st_mode)) {
        message = "it is a directory";
        rc = KRO_E_FAIL;
      } else {
        rc = KroMfPart::Load(path, part, &message);
        if (KroFailed(rc)) message = PlainMessage(message.ToStdString(), path);
      }
    }
  }
  // What the engines reported while the model was read (an unresolved reference in a STEP
  // file, say): shown with --trace; info lists the reading warnings in any case.
  if (args.trace) {
    for (const KroSysTraceMessageEntry& message : recorder.Messages()) {
      std::fprintf(stderr, "kro-odt: trace: message from %s: %s\n", message.origin.c_str(),
                   KroOdtEscape(message.text).c_str());
    }
  }
  if (KroFailed(rc) || !part) {
    std::fprintf(stderr, "kro-odt: cannot read model %s: %s\n",
                 path.empty() ? "(built-in sample part)" : KroOdtQuote(path).c_str(),
                 KroOdtEscape(message.ToStdString()).c_str());
    if (args.trace) {
      const std::string raw = KroOdtRawTrace(recorder.Entries());
      std::fprintf(stderr, "kro-odt: trace: %s\n", raw.empty() ? "(none)" : raw.c_str());
    }
    return kKroOdtExitUsage;
  }
  return kKroOdtExitOk;
}

std::string KroOdtIdentifierOf(KroBaseUnknown* object) {
  KroIGnAssociatedObject_var associated = object;
  KroGnIdentifier identifier;
  KroUnicodeString text;
  if (!associated || KroFailed(associated->GetGnIdentifier(identifier, 0)) ||
      KroFailed(KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier(identifier, text))) {
    return "";
  }
  return text.ToStdString();
}

int KroOdtBodyIndex(const KroMfPart_var& part, const KroBody_var& body) {
  if (!part || !body) return 0;
  for (int b = 1; b <= part->GetBodyCount(); ++b) {
    KroBody_var candidate = part->GetBody(b);
    if (!!candidate && candidate->GetTag() == body->GetTag()) return b;
  }
  return 0;
}

// ---- Dimensions. ----

const char* KroOdtDimensionWord(int dimension) {
  static const char* const kWords[] = {"vertex", "edge", "face", "volume"};
  return dimension >= 0 && dimension <= 3 ? kWords[dimension] : "cell";
}

const char* KroOdtDimensionPlural(int dimension) {
  static const char* const kWords[] = {"vertices", "edges", "faces", "volumes"};
  return dimension >= 0 && dimension <= 3 ? kWords[dimension] : "cells";
}

bool KroOdtParseDimension(const std::string& text, int& dimension) {
  if (text == "feat" || text == "body" || text == "bodies") {
    dimension = kKroOdtFeatDimension;
    return true;
  }
  for (int d = 0; d <= 3; ++d) {
    if (text == std::to_string(d) || text == KroOdtDimensionWord(d) ||
        text == KroOdtDimensionPlural(d)) {
      dimension = d;
      return true;
    }
  }
  return false;
}

// ---- Cells. ----

std::vector<KroOdtCellEntry> KroOdtListCells(const KroMfPart_var& part, int dimension) {
  std::vector<KroOdtCellEntry> entries;
  if (!part) return entries;
  for (int b = 1; b <= part->GetBodyCount(); ++b) {
    KroBody_var body = part->GetBody(b);
    if (!body) continue;
    for (int d = 0; d <= 3; ++d) {
      if (dimension >= 0 && dimension <= 3 && d != dimension) continue;
      KroListPtrKroCell cells;
      if (KroFailed(body->GetAllCells(cells, static_cast<short>(d)))) continue;
      for (int i = 1; i <= cells.Size(); ++i) {
        KroOdtCellEntry entry;
        entry.bodyIndex = b;
        entry.body = body;
        entry.cell = cells[i];
        entry.dimension = d;
        entry.index = i;
        entry.tag = cells[i] != nullptr ? cells[i]->GetTag() : 0;
        entries.push_back(entry);
      }
    }
  }
  return entries;
}

std::string KroOdtDescribeCell(const KroOdtCellEntry& entry) {
  return std::string(KroOdtDimensionWord(entry.dimension)) + " " + std::to_string(entry.index) +
         " of body " + std::to_string(entry.bodyIndex) + " (tag " + std::to_string(entry.tag) + ")";
}

KroOdtOutcome KroOdtWriteTopoStream(const KroBody_var& body, const KroCell_var& cell,
                                    std::string& stream) {
  KroSysTraceRecorder recorder;
  KroMmdStreamTopoForODT writer;
  KroBody_var bodyArg = body;
  KroTopology_var cellArg = cell;
  KroUnicodeString text;
  if (KroFailed(writer.GetStreamFromTopo(bodyArg, cellArg, text))) return Failed(recorder);
  stream = text.ToStdString();
  return KroOdtOutcome();
}

KroOdtOutcome KroOdtReadTopoStream(const KroMfPart_var& part, const std::string& stream,
                                   KroBody_var& body, KroCell_var& cell) {
  KroSysTraceRecorder recorder;
  KroMmdStreamTopoForODT reader;
  KroINamingContext_var context = part;
  KroBody_var foundBody;
  KroTopology_var foundCell;
  if (KroFailed(reader.GetTopoFromStream(stream, context, foundBody, foundCell))) {
    KroOdtOutcome outcome = Failed(recorder);
    const KroOdtCompactFields fields = KroOdtScanCompactStream(stream);
    // A length prefix that is no number counts as 0: the reader goes on with no identifier at
    // all, and the identifier's own reason would hide where the stream went wrong.
    const bool emptyIdentifier = fields.identifier.IsEmpty() && fields.lengthAt != 0;
    for (const KroSysTraceEntry& entry : outcome.chain) {
      if (emptyIdentifier && entry.name == "KroMmdStreamTopoForODT::ParseBodyIdentifier" &&
          entry.stage == 200) {
        outcome.why =
            "malformed length prefix at character <length-at>: it gives no body "
            "identifier";
        break;
      }
    }
    outcome.why = KroOdtFillPlaceholders(outcome.why, KroOdtStreamPlaceholders(fields));
    return outcome;
  }
  body = foundBody;
  cell = foundCell;
  return KroOdtOutcome();
}

// ---- Fields of a compact stream. ----

KroOdtCompactFields KroOdtScanCompactStream(const std::string& text) {
  KroOdtCompactFields fields;
  KroMmdStreamGeomRefForODT::ScanGeomLinkForODT(text, fields);
  return fields;
}

std::string KroOdtFormatNumber(double value) {
  KroUnicodeString text;
  text.BuildFromNum(value, "%g");
  return text.ToStdString();
}

std::string KroOdtFormatPoint(const KroMathPoint& point) {
  return "(" + KroOdtFormatNumber(point.GetX()) + ", " + KroOdtFormatNumber(point.GetY()) + ", " +
         KroOdtFormatNumber(point.GetZ()) + ")";
}

std::map<std::string, std::string> KroOdtStreamPlaceholders(const KroOdtCompactFields& fields) {
  std::map<std::string, std::string> words;
  words["<id>"] = KroOdtQuote(fields.identifier.ToStdString());
  words["<token>"] = KroOdtQuote(fields.token.ToStdString());
  words["<cell>"] = KroOdtDimensionWord(fields.type);
  words["<point>"] = fields.pointAt != 0 ? KroOdtFormatPoint(fields.point) : "written";
  words["<length-at>"] = std::to_string(fields.lengthAt);
  words["<token-at>"] = std::to_string(fields.tokenAt);
  words["<point-at>"] = std::to_string(fields.pointAt);
  words["<direction-at>"] = std::to_string(fields.directionAt);
  words["<end-at>"] = std::to_string(fields.endAt);
  return words;
}

// ---- Honest judgement of a cell read back. ----

KroOdtCellGeometry KroOdtMeasureCell(const KroMfPart_var& part, const KroCell_var& cell,
                                     const KroMathPoint& point, const KroMathDirection& direction) {
  KroOdtCellGeometry geometry;
  if (!part || !cell || !part->GetModel()) return geometry;
  const KroBRepCell kernelCell = part->GetModel()->CellByTag(cell->GetTag());
  if (kernelCell.IsNull()) return geometry;
  const KroBRepXYZ at{point.GetX(), point.GetY(), point.GetZ()};
  if (!kernelCell.DistanceTo(at, geometry.distance).Ok()) return geometry;
  geometry.measured = true;
  geometry.degenerate = kernelCell.IsDegenerate();
  const int dimension = kernelCell.Dimension();
  if (dimension != kKroBRepEdge && dimension != kKroBRepFace) {
    geometry.directionAgrees = true;
    return geometry;
  }
  KroBRepXYZ own;
  if (!kernelCell.Direction(at, own).Ok()) return geometry;
  double cosine = own.x * direction.GetX() + own.y * direction.GetY() + own.z * direction.GetZ();
  // An edge has no sense of its own: its tangent agrees either way.
  if (dimension == kKroBRepEdge) cosine = std::fabs(cosine);
  geometry.directionAgrees = cosine > kKroBRepDirectionAgreement;
  return geometry;
}
