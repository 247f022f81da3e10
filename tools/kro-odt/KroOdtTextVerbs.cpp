// Verbs on the library's plain text forms, which need no model: output-format queries,
// generic-naming identifiers and octet-sequence texts.
#include <cstdint>
#include <string>

#include "KroList.h"
#include "KroMmdODTQueryParser.h"
#include "KroMmdStreamGeomRefForODT.h"
#include "KroMmdStreamGnIdentifierForODT.h"
#include "KroOdtCli.h"
#include "KroOdtTraceWords.h"
#include "KroSysTraceRecorder.h"
#include "_SEQUENCE_octet.h"

namespace {

KroOdtReport Failure(const std::string& what, const KroSysTraceRecorder& recorder) {
  KroOdtReport report;
  report.ok = false;
  report.what = what;
  report.chain = recorder.Entries();
  report.why = KroOdtExplainTrace(report.chain);
  if (report.why.empty()) report.why = "the library gave no reason";
  return report;
}

std::string Hex(uint32_t value) {
  KroUnicodeString text;
  text.BuildFromNum(static_cast<unsigned int>(value), "%X");
  return text.ToStdString();
}

}  // namespace

// One line per key: the key, then its sub-query in braces when it has one.
KroOdtReport KroOdtDescribeQuery(const std::string& query) {
  KroSysTraceRecorder recorder;
  KroListValKroUnicodeString keys;
  KroListValKroUnicodeString subQueries;
  if (KroFailed(KroMmdODTQueryParser::Parse(query, keys, subQueries))) {
    return Failure("cannot parse query " + KroOdtQuote(query), recorder);
  }
  KroOdtReport report;
  for (int i = 1; i <= keys.Size() && i <= subQueries.Size(); ++i) {
    std::string line = KroOdtEscape(keys[i].ToStdString());
    if (!subQueries[i].IsEmpty()) line += " {" + KroOdtEscape(subQueries[i].ToStdString()) + "}";
    report.lines.push_back(line);
  }
  return report;
}

KroOdtReport KroOdtDescribeGnId(const std::string& text) {
  KroSysTraceRecorder recorder;
  KroGnIdentifier id;
  if (KroFailed(KroMmdStreamGnIdentifierForODT::GetGnIdentifierFromStream(text, id))) {
    return Failure("cannot read identifier " + KroOdtQuote(text), recorder);
  }
  KroUnicodeString written;
  if (KroFailed(KroMmdStreamGnIdentifierForODT::GetStreamFromGnIdentifier(id, written))) {
    return Failure("cannot write back identifier " + KroOdtQuote(text), recorder);
  }
  KroOdtReport report;
  report.lines.push_back("kind:    " + std::to_string(id.GetKind()));
  uint32_t first = 0;
  uint32_t second = 0;
  if (KroSucceeded(id.GetULong32(first))) {
    report.lines.push_back("number:  " + std::to_string(first));
  } else if (KroSucceeded(id.GetULong32X2(first, second))) {
    report.lines.push_back("numbers: " + std::to_string(first) + " " + std::to_string(second) +
                           " (hexadecimal " + Hex(first) + " " + Hex(second) + ")");
  }
  report.lines.push_back("text:    " + written.ToStdString());
  return report;
}

KroOdtReport KroOdtDescribeOctets(const std::string& text) {
  _SEQUENCE_octet octets;
  if (KroFailed(KroMmdStreamGeomRefForODT::GetSEQFromString(text, octets))) {
    // The octet text leaves no trace: its two ways of failing are told apart here.
    KroOdtReport report;
    report.ok = false;
    report.what = "cannot read octet text " + KroOdtQuote(text);
    report.why = text.empty() || text[0] != '[' ? R"(it does not begin with "[")"
                                                : R"(it ends before its closing "]")";
    return report;
  }
  KroUnicodeString written;
  KroMmdStreamGeomRefForODT::GetStringFromSEQ(octets, written);
  std::string values;
  for (uint8_t octet : octets.bytes()) {
    values += (values.empty() ? "" : " ") + std::to_string(octet);
  }
  KroOdtReport report;
  report.lines.push_back("octets:  " + (values.empty() ? std::string("(none)") : values));
  report.lines.push_back("count:   " + std::to_string(octets.length()));
  report.lines.push_back("text:    " + written.ToStdString());
  return report;
}

int KroOdtRunQuery(KroOdtArgs& args) {
  return KroOdtPrintReport(args, KroOdtDescribeQuery(args.operands[0]));
}

int KroOdtRunGnId(KroOdtArgs& args) {
  return KroOdtPrintReport(args, KroOdtDescribeGnId(args.operands[0]));
}

int KroOdtRunOctets(KroOdtArgs& args) {
  return KroOdtPrintReport(args, KroOdtDescribeOctets(args.operands[0]));
}
