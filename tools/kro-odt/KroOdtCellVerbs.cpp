// The verbs that show a model and write the topology streams of its cells: info and cells.
#include <cstdio>
#include <string>
#include <vector>

#include "KroBRepModel.h"
#include "KroIAlias.h"
#include "KroIJournalingSpec.h"
#include "KroISpecObject.h"
#include "KroMfBRepUtils.h"
#include "KroOdtCellStreams.h"
#include "KroOdtCli.h"
#include "KroOdtModel.h"
#include "KroOdtTraceWords.h"

namespace {

// "3 vertices", "1 volume".
std::string Count(int count, int dimension) {
  return std::to_string(count) + " " +
         (count == 1 ? KroOdtDimensionWord(dimension) : KroOdtDimensionPlural(dimension));
}

std::string Counts(const int counts[4]) {
  std::string text;
  for (int d = 0; d <= 3; ++d) text += (d == 0 ? "" : ", ") + Count(counts[d], d);
  return text;
}

// What info shows of a model, gathered once for the text and the JSON forms.
struct ModelInfo {
  struct Feature {
    std::string identifier, name, alias;  // alias empty when none
    bool hasAlias = false;
    // The name that delegate streams write when the feature has one.
    std::string journaling;
    bool hasJournaling = false;
    int body = 0;  // 0 when none
  };
  struct Body {
    std::string name;
    unsigned int tag = 0;
    int counts[4] = {0, 0, 0, 0};
  };
  std::vector<std::string> warnings;
  std::vector<Feature> features;
  std::vector<Body> bodies;
  int totals[4] = {0, 0, 0, 0};
};

ModelInfo Gather(const KroMfPart_var& part) {
  ModelInfo info;
  if (part->GetModel()) info.warnings = part->GetModel()->ReadingWarnings();
  for (int f = 1; f <= part->GetFeatureCount(); ++f) {
    KroISpecObject_var feature = part->GetFeature(f);
    if (!feature) continue;
    ModelInfo::Feature entry;
    entry.identifier = KroOdtIdentifierOf(feature.get());
    entry.name = feature->GetName().ToStdString();
    KroIAlias_var alias = feature;
    if (!!alias) entry.hasAlias = true, entry.alias = alias->GetAlias().ToStdString();
    KroIJournalingSpec_var journaling = feature;
    if (!!journaling) {
      entry.hasJournaling = true;
      entry.journaling = journaling->GetJournalingName().ToStdString();
    }
    entry.body = KroOdtBodyIndex(part, KroMfBRepUtils::GetBody(feature));
    info.features.push_back(entry);
  }
  for (int b = 1; b <= part->GetBodyCount(); ++b) {
    KroBody_var body = part->GetBody(b);
    if (!body) continue;
    ModelInfo::Body entry;
    entry.name = body->GetName().ToStdString();
    entry.tag = body->GetTag();
    for (int d = 0; d <= 3; ++d) {
      entry.counts[d] = body->GetCellCount(static_cast<short>(d));
      info.totals[d] += entry.counts[d];
    }
    info.bodies.push_back(entry);
  }
  return info;
}

// {"vertex":16,"edge":24,"face":10,"volume":1}, with "all" first when asked.
std::string CountsJson(const int counts[4], bool withAll) {
  static const char* const kKeys[4] = {"vertex", "edge", "face", "volume"};
  std::string json = "{";
  if (withAll)
    json += "\"all\":" + std::to_string(counts[0] + counts[1] + counts[2] + counts[3]) + ",";
  for (int d = 0; d <= 3; ++d)
    json += std::string(d == 0 ? "" : ",") + "\"" + kKeys[d] + "\":" + std::to_string(counts[d]);
  return json + "}";
}

std::string InfoJson(const ModelInfo& info, const std::string& model) {
  std::string json = "{\"model\":" + KroOdtJsonString(model) + ",\"reading_warnings\":[";
  for (size_t w = 0; w < info.warnings.size(); ++w)
    json += (w == 0 ? "" : ",") + KroOdtJsonString(info.warnings[w]);
  json += "],\"features\":[";
  for (size_t f = 0; f < info.features.size(); ++f) {
    const ModelInfo::Feature& feature = info.features[f];
    json += std::string(f == 0 ? "" : ",") +
            "{\"identifier\":" + KroOdtJsonString(feature.identifier) +
            ",\"name\":" + KroOdtJsonString(feature.name);
    if (feature.hasAlias) json += ",\"alias\":" + KroOdtJsonString(feature.alias);
    if (feature.hasJournaling) json += ",\"journaling\":" + KroOdtJsonString(feature.journaling);
    if (feature.body != 0) json += ",\"body\":" + std::to_string(feature.body);
    json += "}";
  }
  json += "],\"bodies\":[";
  for (size_t b = 0; b < info.bodies.size(); ++b) {
    const ModelInfo::Body& body = info.bodies[b];
    json += std::string(b == 0 ? "" : ",") + "{\"name\":" + KroOdtJsonString(body.name) +
            ",\"tag\":" + std::to_string(body.tag) +
            ",\"cells\":" + CountsJson(body.counts, false) + "}";
  }
  return json + "],\"cells\":" + CountsJson(info.totals, true) + "}";
}

}  // namespace

int KroOdtRunInfo(KroOdtArgs& args) {
  const std::string path = args.operands.empty() ? "" : args.operands[0];
  KroMfPart_var part;
  if (const int rc = KroOdtLoadModel(args, path, part)) return rc;
  const ModelInfo info = Gather(part);
  if (args.Has("--json")) {
    std::printf("%s\n", InfoJson(info, KroOdtModelLabel(path)).c_str());
    return kKroOdtExitOk;
  }

  std::printf("model: %s\n", KroOdtModelLabel(path).c_str());
  if (!info.warnings.empty()) {
    std::printf("reading warnings: %zu\n", info.warnings.size());
    for (const std::string& warning : info.warnings)
      std::printf("  %s\n", KroOdtQuote(warning).c_str());
  }
  std::printf("features: %zu\n", info.features.size());
  for (const ModelInfo::Feature& feature : info.features) {
    std::string line = "  " + feature.identifier + " " + KroOdtQuote(feature.name);
    if (feature.hasAlias) line += " alias " + KroOdtQuote(feature.alias);
    if (feature.hasJournaling) line += " journaling " + KroOdtQuote(feature.journaling);
    if (feature.body != 0) line += " body " + std::to_string(feature.body);
    std::printf("%s\n", line.c_str());
  }
  std::printf("bodies: %zu\n", info.bodies.size());
  for (size_t b = 0; b < info.bodies.size(); ++b) {
    const ModelInfo::Body& body = info.bodies[b];
    std::printf("  %zu %s tag %u: %s\n", b + 1, KroOdtQuote(body.name).c_str(), body.tag,
                Counts(body.counts).c_str());
  }
  std::printf("cells: %d: %s\n", info.totals[0] + info.totals[1] + info.totals[2] + info.totals[3],
              Counts(info.totals).c_str());
  return kKroOdtExitOk;
}

int KroOdtRunCells(KroOdtArgs& args) {
  int dimension = -1;
  if (args.Has("--dim") && !KroOdtParseDimension(args.Option("--dim"), dimension)) {
    return KroOdtUsageError("--dim takes 0, 1, 2, 3 (vertex, edge, face, volume) or feat, not " +
                            KroOdtQuote(args.Option("--dim")));
  }
  const std::string path = args.operands.empty() ? "" : args.operands[0];
  KroMfPart_var part;
  if (const int rc = KroOdtLoadModel(args, path, part)) return rc;

  if (dimension == kKroOdtFeatDimension) {
    int unwritten = 0;
    for (int b = 1; b <= part->GetBodyCount(); ++b) {
      std::string stream;
      const KroOdtOutcome outcome = KroOdtWriteTopoStream(part->GetBody(b), KroCell_var(), stream);
      if (outcome.ok) {
        std::printf("%s\n", stream.c_str());
        continue;
      }
      ++unwritten;
      KroOdtReportUnwritten(args, "the stream of body " + std::to_string(b), outcome);
    }
    return unwritten == 0 ? kKroOdtExitOk : kKroOdtExitFailed;
  }

  return KroOdtPrintCellStreams(
      args, KroOdtListCells(part, dimension),
      [](const KroOdtCellEntry& cell, std::string& stream) {
        return KroOdtWriteTopoStream(cell.body, cell.cell, stream);
      },
      [](const KroOdtCellEntry& cell) { return "the stream of " + KroOdtDescribeCell(cell); });
}
