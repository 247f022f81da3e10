// The demo verb: the verbs on the built-in sample part (its features and cells, a few streams of
// each kind found again, the roundtrip table), the diff of the built-in plate versions and two of
// the text conversions, printed as a terminal session would show them.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "KroOdtCli.h"
#include "KroOdtFind.h"
#include "KroOdtModel.h"

namespace {

struct Example {
  const char* verb;
  const char* text;
  KroOdtReport (*describe)(const std::string& text);
};

const Example kExamples[] = {
    {"query", "value{support{bodyTag} topoTag} type", KroOdtDescribeQuery},
    {"gnid", "~1A", KroOdtDescribeGnId},
};

// Runs a verb as the command line would, without progress bar.
int RunVerb(int (*run)(KroOdtArgs&), const char* verb,
            const std::map<std::string, std::string>& options = {},
            const std::vector<std::string>& operands = {}) {
  KroOdtArgs args;
  args.verb = verb;
  args.quiet = true;
  args.options = options;
  args.operands = operands;
  const int rc = run(args);
  std::fflush(stdout);
  return rc;
}

void Show(const std::string& command) { std::printf("\n$ kro-odt %s\n", command.c_str()); }

}  // namespace

int KroOdtRunDemo(KroOdtArgs&) {
  std::printf("kro-odt demo: the streams of the built-in sample part, written and found again.\n");

  Show("info");
  if (RunVerb(KroOdtRunInfo, "info") != kKroOdtExitOk) return kKroOdtExitFailed;

  KroOdtArgs quiet;
  quiet.quiet = true;
  KroMfPart_var part;
  if (const int rc = KroOdtLoadModel(quiet, "", part)) return rc;

  // A few cells: the first faces of the last body, which is the finished part.
  const int lastBody = part->GetBodyCount();
  std::vector<std::string> faces;
  for (const KroOdtCellEntry& entry : KroOdtListCells(part, 2)) {
    std::string stream;
    if (entry.bodyIndex == lastBody && faces.size() < 4 &&
        KroOdtWriteTopoStream(entry.body, entry.cell, stream).ok) {
      faces.push_back(stream);
    }
  }
  std::printf("\n$ kro-odt cells --dim 2 | grep '#%d_' | head -n %zu\n", lastBody, faces.size());
  for (const std::string& stream : faces) std::printf("%s\n", stream.c_str());

  // Found again, and a stream whose point lies on no face.
  std::vector<std::string> streams;
  if (!faces.empty()) streams.push_back(faces.back());
  streams.push_back("3_2_#" + std::to_string(lastBody) + "_Face_500_500_500_0_0_1__");
  streams.push_back(R"({"alias":"Knob"})");
  streams.push_back(R"({"alias":"Handle"})");
  // A BRepAccess stream, the same cell behind a meta stream, and a selection of two cells.
  streams.push_back(R"({"support":{"bodyTag":"1"},"topoTag":"3"})");
  streams.push_back(R"({"type":"BRepAccess","value":{"support":{"bodyTag":"1"},"topoTag":"3"}})");
  streams.push_back(R"({"support":{"bodyTag":"1"},"topoTags":["3","8"]})");
  for (const std::string& stream : streams) {
    Show("find '" + stream + "'");
    const KroOdtFindResult result = KroOdtFindStream(part, stream);
    for (const std::string& object : result.objects) std::printf("%s\n", object.c_str());
    std::printf("%s\n", result.line.c_str());
  }

  Show("features");
  RunVerb(KroOdtRunFeatures, "features");

  Show("roundtrip");
  RunVerb(KroOdtRunRoundtrip, "roundtrip");

  // The plate with a third hole against the plate without it: the hole's face is lost.
  Show("diff --dim face plate-v2 plate-v1");
  RunVerb(KroOdtRunDiff, "diff", {{"--dim", "face"}}, {"plate-v2", "plate-v1"});

  for (const Example& example : kExamples) {
    const KroOdtReport report = example.describe(example.text);
    Show(std::string(example.verb) + " " + KroOdtQuote(example.text));
    for (const std::string& line : report.lines) std::printf("%s\n", line.c_str());
    // A refused example is part of the demo: its reason goes to the same output.
    if (!report.ok) std::printf("kro-odt: %s: %s\n", report.what.c_str(), report.why.c_str());
  }
  return kKroOdtExitOk;
}
