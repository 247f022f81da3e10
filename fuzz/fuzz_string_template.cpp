// Fuzz target of the string template renderer: any bytes are rendered as a template below a
// small root folder of its own (a file, a file in a sub-folder, one that includes itself and
// links that lead outside), next to a file that no rendering may read. A rendering must
// succeed without a trace, or fail with an empty output and Render's trace last; it never
// shows the text of the file outside, never crashes, hangs or reads past a text.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "KroFuzzHarness.h"
#include "KroMmrODTStringTemplate.h"
#include "KroSysTraceRecorder.h"

namespace {

// The file outside holds a byte that no file of the root holds, so an output that has it
// while the template has not shows that the file outside was read.
const char kOutsideByte = '\x01';

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Made once and removed when the run ends: the folder holds root/ and outside.txt.
const std::string& Root() {
  static const std::string* root = [] {
    char folder[] = "/tmp/kroodt-fuzz-template-XXXXXX";
    if (mkdtemp(folder) == nullptr) KroFuzzFail("a temporary folder made", folder);
    static const std::string base = folder;
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(base, ignored);
    });
    const std::string top = base + "/root/";
    std::filesystem::create_directories(top + "sub");
    Write(base + "/outside.txt", std::string("outside") + kOutsideByte);
    Write(top + "a.txt", "a;b \"q\"\n");
    Write(top + "sub/part.txt", "{{file:/a.txt|JSToJSON}};{{x|SemicolonToComa}}");
    Write(top + "self.txt", "{{file:/self.txt|JSONToJS}}");
    Write(top + "twice.txt", "{{file:/twice.txt|JSONToJS}}{{file:/twice.txt|JSONToJS}}");
    if (symlink("../outside.txt", (top + "out.txt").c_str()) != 0 ||
        symlink("..", (top + "up").c_str()) != 0 ||
        symlink("sub/part.txt", (top + "in.txt").c_str()) != 0) {
      KroFuzzFail("the links of the root made", top);
    }
    return new std::string(top);
  }();
  return *root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = KroFuzzBytes(data, size);
  KroSysTraceRecorder recorder;
  KroMmrODTStringTemplate renderer;
  renderer.SetTemplate(text);
  renderer.SetRootPath(Root());
  KroUnicodeString output("not rendered");
  const KroResult rc = renderer.Render(output);
  // A file outside the root was read when the output has the byte that only that file holds.
  KRO_FUZZ_CHECK(output.ToStdString().find(kOutsideByte) == std::string::npos ||
                     text.find(kOutsideByte) != std::string::npos,
                 text);
  if (KroFailed(rc)) {
    KRO_FUZZ_CHECK(output.IsEmpty(), text);
    KRO_FUZZ_CHECK(KroFuzzTracedLast(recorder, "KroMmrODTStringTemplate::Render", 100), text);
  } else {
    KRO_FUZZ_CHECK(rc == KRO_S_OK && recorder.Entries().empty(), text);
  }
  return 0;
}
