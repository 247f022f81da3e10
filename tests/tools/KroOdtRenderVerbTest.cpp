// The render verb, run as a process: a template from a file or standard input below --root,
// printed as it comes out, and a failure said in words.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tools/KroOdtToolRun.h"

TEST(KroOdtTool, RendersATemplateOrSaysWhyItCannot) {
  const KroOdtTempDir dir;
  std::ofstream(dir.File("part.txt")) << "a;\"b\"";
  std::ofstream(dir.File("page.txt")) << "[{{ file:/part.txt | JSToJSON }}]\n";
  std::ofstream(dir.File("self.txt")) << "{{file:/self.txt|JSONToJS}}";
  struct Case {
    std::vector<std::string> args;
    std::string input;
    int exitCode;
    std::string out;
    std::string err;
  };
  const std::string cannot = "kro-odt: cannot render template from standard input: ";
  const Case cases[] = {
      // --root names a folder, with or without its last "/".
      {{"render", "--root", dir.Path(), dir.File("page.txt")}, "", 0, "[a;\\\"b\\\"]\n", ""},
      {{"render", "--root", dir.Path() + "/"},
       "{{file:/part.txt|SemicolonToComa}}",
       0,
       "a,\"b\"",
       ""},
      {{"render", "--trace", "--root", dir.Path()},
       "{{file:/../part.txt|JSONToJS}}",
       1,
       "",
       cannot +
           R"(a file source leads outside the root folder (a ".." segment, a path that begins )"
           R"(with "/", or a link), or the root folder does not exist)"
           "\nkro-odt: trace: KroMmrODTStringTemplate::_LoadData:100 < "
           "KroMmrODTStringTemplate::_HandleEntry:200 < KroMmrODTStringTemplate::Render:200 < "
           "KroMmrODTStringTemplate::Render:100\n"},
      {{"render", "--root", dir.Path(), dir.File("self.txt")},
       "",
       1,
       "",
       "kro-odt: cannot render template \"" + dir.File("self.txt") +
           "\": entries nested deeper than 32 levels (a file that includes itself?)\n"},
      {{"render", dir.File("none.txt")},
       "",
       2,
       "",
       "kro-odt: cannot read template \"" + dir.File("none.txt") +
           "\": No such file or directory\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(KroOdtDescribeRun(c.args));
    const KroOdtToolRun run = KroOdtRunTool(c.args, c.input);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
  }
}
