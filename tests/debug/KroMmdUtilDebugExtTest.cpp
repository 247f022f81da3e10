// The debugging extension of BRep accesses: registered when the library loads, made by asking
// an access for KroIMmrUtilDebug, the dump line and its switch, read once per process (each
// case with its own environment runs in a forked child), and the failing stages.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "KroBRepDecode.h"
#include "KroError.h"
#include "KroIMmiDelegateBuilder.h"
#include "KroIMmrUtilDebug.h"
#include "KroInterfaceDictionary.h"
#include "KroMmdGeomSelectorForODT.h"
#include "KroMmdStreamGeomRefForODT.h"
#include "KroMmdUtilDebugExt.h"
#include "KroOMModule.h"
#include "KroSysTraceRecorder.h"
#include "KroVyxOutput.h"
#include "VyxTkCompatCtx.h"
#include "host/KroHostTestDocuments.h"

namespace {

const char* const kSwitch = "MMD_ACTIVATE_DUMPSTREAMTREFLE";
const std::string kLine =
    "Probe_StreamTrefleBRepAccess  3_12_EdgeFillet.1_Face_21.25_20.7031_8_0_0_1_-1_\n";

// What the library had built by the time this program's own static objects are built.
struct AtLoad {
  bool registered;
  std::string selectorTypes, linkTypes;
};
AtLoad Snapshot() {
  KroCreateBOAFunction create = nullptr;
  KroQueryBOAFunction query = nullptr;
  KroInterfaceDictionary::FindBOA("KroBRepAccessImpl", "KroIMmrUtilDebug", create, query);
  AtLoad seen{create == &CreateBOAKroIMmrUtilDebugKroMmdUtilDebugExt, "", ""};
  for (const KroUnicodeString& token : KroMmdGeomSelectorForODT::_TabType)
    seen.selectorTypes += token.ToStdString() + KroMmdGeomSelectorForODT::_sSeparator.ToStdString();
  for (const KroUnicodeString& token : KroMmdStreamGeomRefForODT::_TabType)
    seen.linkTypes += token.ToStdString() + KroMmdStreamGeomRefForODT::_sSeparator.ToStdString();
  return seen;
}
const AtLoad kAtLoad = Snapshot();
// In this process dumps run with the switch on (children set their own).
const bool kSwitchOn = (setenv(kSwitch, "1", 1), true);

// A BRep access of the first face of the sample part's body 3, which EdgeFillet.1 makes.
KroIBRepAccess_var SampleAccess(const KroMfPart_var& part) {
  return KroBRepDecode(KroHostTestCell(part->GetBody(3), 2), part->GetFeature(3));
}

// Runs body in a forked child whose variable is value (unset when null); gives the child's
// exit code and what it wrote on the trace output.
struct ChildRun {
  int exitCode;
  std::string written;
};
ChildRun InChild(const char* value, const std::function<int()>& body) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {-1, ""};
  const pid_t child = fork();
  if (child == 0) {
    value != nullptr ? setenv(kSwitch, value, 1) : unsetenv(kSwitch);
    KroVyxOutput::Capture capture;
    const int code = body();
    const std::string text = capture.Text();
    std::_Exit(write(pipeEnds[1], text.data(), text.size()) == ssize_t(text.size()) ? code : 99);
  }
  close(pipeEnds[1]);
  std::string written;
  char buffer[512];
  for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) written.append(buffer, n);
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, written};
}

int Dump(const char* label) {
  const KroMfPart_var part = KroHostTestSamplePart();
  return static_cast<int>(KroIMmrUtilDebug_var(SampleAccess(part))->DumpStreamTrefle(label));
}

}  // namespace

TEST(KroMmdUtilDebugExt, IsRegisteredAndTheStreamTablesBuiltBeforeTheProgramRuns) {
  EXPECT_TRUE(kAtLoad.registered) << "no registration call in the program: the load made it";
  EXPECT_EQ(kAtLoad.selectorTypes, "Vrtx_Edge_Face_Wire_Axis_Vlme_");
  EXPECT_EQ(kAtLoad.linkTypes, "Vrtx_Edge_Face_Wire_Axis_Feat_Vlme_");
  // The library's module ran its one entry from a table the loader left read-only.
  ASSERT_FALSE(KroOMModule::GetLoadedModules().empty());
  const KroOMModule* module = KroOMModule::GetLoadedModules().front();
  EXPECT_EQ(module->GetRegisteredEntryCount(), 1);
  const auto table = reinterpret_cast<uintptr_t>(module->GetInfo().begin);
  std::ifstream maps("/proc/self/maps");
  std::string line, permissions;
  for (uintptr_t from = 0, to = 0; std::getline(maps, line);) {
    std::sscanf(line.c_str(), "%lx-%lx", &from, &to);
    if (table >= from && table < to) permissions = line.substr(line.find(' ') + 1, 4);
  }
  EXPECT_EQ(permissions.substr(0, 2), "r-") << "the table's page: " << permissions;
}

TEST(KroMmdUtilDebugExt, WritesOneLineOnlyWhenTheSwitchHoldsANonZeroNumber) {
  const struct {
    const char* value;
    std::string written;
  } rows[] = {{"1", kLine},   {nullptr, ""}, {"", ""},      {"abc", ""},           {"0", ""},
              {" 7x", kLine}, {"0x10", ""},  {"-3", kLine}, {"99999999999", kLine}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value != nullptr ? row.value : "(unset)");
    const ChildRun run = InChild(row.value, [] { return Dump("Probe"); });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.written, row.written);
  }
}

TEST(KroMmdUtilDebugExt, ReadsTheSwitchOncePerProcess) {
  const ChildRun setThenCleared = InChild("1", [] {
    const int first = KroMmdUtilDebugAdapt::MMD_ACTIVATE_DUMPSTREAMTREFLE("");
    setenv(kSwitch, "0", 1);
    return first == 1 && Dump("Probe") == 0 ? 0 : 1;
  });
  EXPECT_EQ(setThenCleared.exitCode, 0);
  EXPECT_EQ(setThenCleared.written, kLine);
  const ChildRun unsetThenSet = InChild(nullptr, [] {
    const int first = Dump("L");
    setenv(kSwitch, "1", 1);
    return first == 0 && Dump("L") == 0 ? 0 : 1;
  });
  EXPECT_EQ(unsetThenSet.exitCode, 0);
  EXPECT_EQ(unsetThenSet.written, "");
}

namespace {

// Objects of the BRep access's late type that lack what a dump needs.
class AccessOnly : public virtual KroIBRepAccess {
 public:
  const char* GetLateType() const override { return "KroBRepAccessImpl"; }
  KroTopology_var GetTopology() const override { return KroTopology_var(); }
  int GetKindCode() const override { return 2; }
};
// Makes no delegate, or raises a host error when given one.
class Builder : public AccessOnly, public virtual KroIMmiDelegateBuilder {
 public:
  explicit Builder(KroError error) : _Error(error) {}
  KroResult MakeDelegate(const KroIMmiContract_var&,
                         KroIMmiDelegateObject_var& delegate) const override {
    delegate = nullptr;
    if (_Error) throw _Error;
    return KRO_S_OK;
  }

 private:
  KroError _Error;
};

}  // namespace

TEST(KroMmdUtilDebugExt, FailsAtTheStageOfWhatItsAccessLacksAndFlushesAHostError) {
  const KroError lost("the body is gone");
  const struct {
    KroBaseUnknown* object;
    int stage;
    std::string written;
  } rows[] = {{new AccessOnly, 9002, ""},
              {new Builder(KroError()), 9003, ""},
              {new Builder(lost), 9099, "error: the body is gone\n"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.stage);
    const KroBaseUnknown_var object = KroBaseUnknown_var::Adopt(row.object);
    const KroIMmrUtilDebug_var debug(object);
    ASSERT_TRUE(debug);
    KroVyxOutput::Capture capture;
    KroSysTraceRecorder recorder;
    EXPECT_EQ(debug->DumpStreamTrefle("L"), KRO_E_FAIL);
    EXPECT_EQ(recorder.ToString(),
              "KroMmdUtilDebugExt::DumpStreamTrefle:" + std::to_string(row.stage));
    EXPECT_EQ(capture.Text(), row.written);
    EXPECT_EQ(VyxTkCompatCtx::Depth(), 0) << "the block is closed";
  }
  EXPECT_TRUE(lost.IsFlushed());
}

// The adapter under the extension only traces that its own dump is not implemented.
TEST(KroMmdUtilDebugAdapt, OnlyTracesThatItsDumpIsNotImplemented) {
  KroMmdUtilDebugAdapt* adapter = new KroMmdUtilDebugAdapt;
  KroVyxOutput::Capture capture;
  KroSysTraceRecorder recorder;
  EXPECT_EQ(adapter->DumpStreamTrefle("L"), 0);
  EXPECT_EQ(recorder.ToString(), "KroMmdUtilDebugAdapt::DumpStreamTrefle not implemented:-9999");
  EXPECT_EQ(capture.Text(), "");
  adapter->Release();
}
