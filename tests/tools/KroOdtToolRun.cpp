// Running the kro-odt tool as a process.
#include "tools/KroOdtToolRun.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "KroBRepModel.h"

namespace {

// The text as one shell word.
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

KroOdtToolRun KroOdtRunTool(const std::vector<std::string>& args, const std::string& input) {
  const int limitSeconds = 300;
  KroOdtTempDir dir;
  std::ofstream(dir.File("in"), std::ios::binary) << input;
  std::string command = "timeout " + std::to_string(limitSeconds) + " " + Quoted(KROODT_TOOL_PATH);
  for (const std::string& arg : args) command += " " + Quoted(arg);
  command += " <" + Quoted(dir.File("in")) + " >" + Quoted(dir.File("out")) + " 2>" +
             Quoted(dir.File("err"));
  const int status = std::system(command.c_str());
  KroOdtToolRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (run.exitCode == 124) ADD_FAILURE() << "the tool ran for more than " << limitSeconds << " s";
  run.out = KroOdtReadFile(dir.File("out"));
  run.err = KroOdtReadFile(dir.File("err"));
  return run;
}

void KroOdtExpectRefused(const std::vector<std::string>& args, const std::string& message) {
  SCOPED_TRACE(KroOdtDescribeRun(args));
  const KroOdtToolRun run = KroOdtRunTool(args);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("kro-odt: " + message, 0), 0u) << run.err;
}

std::string KroOdtReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

const char* const kKroOdtBigModel = "TQFP-100-1EP_14x14mm_P0.5mm_EP5x5mm.step";

#if defined(__SANITIZE_ADDRESS__)
const bool kKroOdtSanitized = true;
#else
const bool kKroOdtSanitized = false;
#endif

std::vector<std::vector<std::string>> KroOdtModels(bool withSample, bool withBig) {
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::directory_iterator(KROODT_MODELS_DIR)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".step") continue;
    if (withBig || name != kKroOdtBigModel) paths.push_back(entry.path().string());
  }
  std::sort(paths.begin(), paths.end());
  std::vector<std::vector<std::string>> models;
  if (withSample) models.push_back({});
  for (const std::string& path : paths) models.push_back({path});
  return models;
}

std::string KroOdtDescribeRun(const std::vector<std::string>& args) {
  std::string text = "kro-odt";
  for (const std::string& arg : args) text += " [" + arg + "]";
  return text;
}

std::vector<std::string> KroOdtLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

KroOdtTempDir::KroOdtTempDir() {
  char path[] = "/tmp/kroodt-tool-test-XXXXXX";
  if (mkdtemp(path) != nullptr) _Path = path;
}

KroOdtTempDir::~KroOdtTempDir() {
  std::error_code ignored;
  if (!_Path.empty()) std::filesystem::remove_all(_Path, ignored);
}

std::string KroOdtTempDir::Save(const std::shared_ptr<KroBRepModel>& model,
                                const std::string& name) const {
  const std::string path = File(name);
  EXPECT_TRUE(model != nullptr && model->SaveBRep(path).Ok()) << path;
  return path;
}
