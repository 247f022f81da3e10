// The render verb: a string template, from a file or standard input, rendered below a root
// folder and printed as it comes out.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "KroMmrODTStringTemplate.h"
#include "KroOdtCli.h"
#include "KroOdtTraceWords.h"
#include "KroSysTraceRecorder.h"

namespace {

// The whole text of a file or of standard input; false when the file cannot be read.
bool ReadTemplate(const std::string& path, std::string& text) {
  if (path.empty()) {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return true;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int KroOdtRunRender(KroOdtArgs& args) {
  const std::string path = args.operands.empty() ? "" : args.operands[0];
  std::string text;
  if (!ReadTemplate(path, text)) {
    std::fprintf(stderr, "kro-odt: cannot read template %s: %s\n", KroOdtQuote(path).c_str(),
                 std::strerror(errno));
    return kKroOdtExitUsage;
  }
  // --root names a folder: file:/a/b.txt reads DIR/a/b.txt.
  std::string root = args.Option("--root");
  if (!root.empty() && root.back() != '/' && root.back() != '\\') root += '/';

  KroSysTraceRecorder recorder;
  KroMmrODTStringTemplate renderer;
  renderer.SetTemplate(text);
  renderer.SetRootPath(root);
  KroUnicodeString output;
  if (KroFailed(renderer.Render(output))) {
    KroOdtReport report;
    report.ok = false;
    report.what = "cannot render template " +
                  (path.empty() ? std::string("from standard input") : KroOdtQuote(path));
    report.chain = recorder.Entries();
    report.why = KroOdtFillPlaceholders(
        KroOdtExplainTrace(report.chain),
        {{"<max-depth>", std::to_string(KroMmrODTStringTemplate::kMaxDepth)},
         {"<max-entries>", std::to_string(KroMmrODTStringTemplate::kMaxEntries)},
         {"<max-text>", std::to_string(KroMmrODTStringTemplate::kMaxText >> 20) + " MiB"}});
    return KroOdtPrintReport(args, report);
  }
  std::fwrite(output.CastToCharPtr(), 1, static_cast<size_t>(output.GetLengthInChar()), stdout);
  return kKroOdtExitOk;
}
