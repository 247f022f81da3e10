// The verbs that show a model and write the topology streams of its cells: info and cells.
#include <cstdio>
#include <string>

#include "KroIAlias.h"
#include "KroIJournalingSpec.h"
#include "KroISpecObject.h"
#include "KroMfBRepUtils.h"
#include "KroOdtCli.h"
#include "KroOdtModel.h"
#include "KroOdtProgress.h"
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

}  // namespace

int KroOdtRunInfo(KroOdtArgs& args) {
  const std::string path = args.operands.empty() ? "" : args.operands[0];
  KroMfPart_var part;
  if (const int rc = KroOdtLoadModel(args, path, part)) return rc;

  std::printf("model: %s\n", KroOdtModelLabel(path).c_str());
  std::printf("features: %d\n", part->GetFeatureCount());
  for (int f = 1; f <= part->GetFeatureCount(); ++f) {
    KroISpecObject_var feature = part->GetFeature(f);
    if (!feature) continue;
    std::string line = "  " + KroOdtIdentifierOf(feature.get()) + " " +
                       KroOdtQuote(feature->GetName().ToStdString());
    KroIAlias_var alias = feature;
    if (!!alias) line += " alias " + KroOdtQuote(alias->GetAlias().ToStdString());
    // The name that delegate streams write when the feature has one.
    KroIJournalingSpec_var journaling = feature;
    if (!!journaling)
      line += " journaling " + KroOdtQuote(journaling->GetJournalingName().ToStdString());
    const int body = KroOdtBodyIndex(part, KroMfBRepUtils::GetBody(feature));
    if (body != 0) line += " body " + std::to_string(body);
    std::printf("%s\n", line.c_str());
  }

  int totals[4] = {0, 0, 0, 0};
  std::printf("bodies: %d\n", part->GetBodyCount());
  for (int b = 1; b <= part->GetBodyCount(); ++b) {
    KroBody_var body = part->GetBody(b);
    if (!body) continue;
    int counts[4];
    for (int d = 0; d <= 3; ++d) {
      counts[d] = body->GetCellCount(static_cast<short>(d));
      totals[d] += counts[d];
    }
    std::printf("  %d %s tag %u: %s\n", b, KroOdtQuote(body->GetName().ToStdString()).c_str(),
                body->GetTag(), Counts(counts).c_str());
  }
  std::printf("cells: %d: %s\n", totals[0] + totals[1] + totals[2] + totals[3],
              Counts(totals).c_str());
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

  int unwritten = 0;
  if (dimension == kKroOdtFeatDimension) {
    for (int b = 1; b <= part->GetBodyCount(); ++b) {
      std::string stream;
      const KroOdtOutcome outcome = KroOdtWriteTopoStream(part->GetBody(b), KroCell_var(), stream);
      if (outcome.ok) {
        std::printf("%s\n", stream.c_str());
        continue;
      }
      ++unwritten;
      std::fprintf(stderr, "kro-odt: cannot write the stream of body %d: %s\n", b,
                   KroOdtFillPlaceholders(outcome.why, {}).c_str());
      if (args.trace)
        std::fprintf(stderr, "kro-odt: trace: %s\n", KroOdtRawTrace(outcome.chain).c_str());
    }
    return unwritten == 0 ? kKroOdtExitOk : kKroOdtExitFailed;
  }

  const std::vector<KroOdtCellEntry> cells = KroOdtListCells(part, dimension);
  KroOdtProgress progress(KroOdtProgress::Enabled(args), "writing streams", cells.size(), "cells");
  for (size_t i = 0; i < cells.size(); ++i) {
    progress.Update(i);
    std::string stream;
    const KroOdtOutcome outcome = KroOdtWriteTopoStream(cells[i].body, cells[i].cell, stream);
    if (outcome.ok) {
      std::printf("%s\n", stream.c_str());
      continue;
    }
    ++unwritten;
    progress.Interrupt();
    std::fprintf(stderr, "kro-odt: cannot write the stream of %s: %s\n",
                 KroOdtDescribeCell(cells[i]).c_str(),
                 KroOdtFillPlaceholders(outcome.why, {}).c_str());
    if (args.trace)
      std::fprintf(stderr, "kro-odt: trace: %s\n", KroOdtRawTrace(outcome.chain).c_str());
  }
  progress.Finish();
  return unwritten == 0 ? kKroOdtExitOk : kKroOdtExitFailed;
}
