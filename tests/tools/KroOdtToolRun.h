// Runs the kro-odt tool as a process for the tool's tests: the arguments, a text on its standard
// input, and both outputs and the exit code collected.
#ifndef KroOdtToolRun_H
#define KroOdtToolRun_H

#include <memory>
#include <string>
#include <vector>

class KroBRepModel;

struct KroOdtToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Standard input holds input. Fails the test when the tool runs for more than 300 s.
KroOdtToolRun KroOdtRunTool(const std::vector<std::string>& args, const std::string& input = "");

// Runs the tool, which must refuse the command line: exit code 2, nothing on standard output, and
// a standard error that begins with "kro-odt: " and the message.
void KroOdtExpectRefused(const std::vector<std::string>& args, const std::string& message);

// The bytes of a file; empty when it cannot be read.
std::string KroOdtReadFile(const std::string& path);

// "kro-odt [a] [b]", for SCOPED_TRACE.
std::string KroOdtDescribeRun(const std::vector<std::string>& args);

// The lines of a text, without their ends.
std::vector<std::string> KroOdtLines(const std::string& text);

// The big STEP model, whose streams take long to read; and whether the tests run sanitized.
extern const char* const kKroOdtBigModel;
extern const bool kKroOdtSanitized;

// Every STEP model of the test folder in name order, as the operand of a verb, the big one only
// when asked; the sample part (no operand) first when asked.
std::vector<std::vector<std::string>> KroOdtModels(bool withSample, bool withBig);

// A fresh folder under the temporary folder, removed with its files when the object goes.
class KroOdtTempDir {
 public:
  KroOdtTempDir();
  ~KroOdtTempDir();
  KroOdtTempDir(const KroOdtTempDir&) = delete;
  KroOdtTempDir& operator=(const KroOdtTempDir&) = delete;
  const std::string& Path() const { return _Path; }
  std::string File(const std::string& name) const { return _Path + "/" + name; }
  // The model saved as a BREP file of that name in the folder; its path.
  std::string Save(const std::shared_ptr<KroBRepModel>& model, const std::string& name) const;

 private:
  std::string _Path;
};

#endif
