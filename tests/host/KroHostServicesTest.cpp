// Host services of files, trace output and errors: what the renderer and the debug dump rely on
// beyond what their own tests show (the dump's tests read the environment).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "KroError.h"
#include "KroMmdFSReadFileOperator.h"
#include "KroVyxOutput.h"
#include "VyxTkCompatCtx.h"

TEST(KroMmdFSReadFileOperator, ReadsOnlyRegularFilesUpToItsMaximumSize) {
  char folder[] = "/tmp/kroodt-reader-test-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string base = folder;
  const std::string five("a\r\nb\0", 5);
  std::ofstream(base + "/five.txt") << five;
  ASSERT_EQ(mkfifo((base + "/pipe").c_str(), 0600), 0);
  ASSERT_EQ(mkdir((base + "/dir").c_str(), 0700), 0);
  struct Case {
    const char* name;
    size_t maxSize;
    bool read;
  };
  // Fault kept out: a pipe with no writer would block the reader for ever.
  for (const Case& c : {Case{"five.txt", 5, true}, Case{"five.txt", 4, false},
                        Case{"pipe", 100, false}, Case{"dir", 100, false}}) {
    SCOPED_TRACE(c.name);
    KroMmdFSReadFileOperator reader;
    ASSERT_EQ(reader.SetRootFolder(base), KRO_S_OK);
    ASSERT_EQ(reader.SetFilePath(base + "\\" + c.name), KRO_S_OK);
    reader.SetMaxSize(c.maxSize);
    EXPECT_EQ(reader.Run(), c.read ? KRO_S_OK : KRO_E_FAIL);
    KroUnicodeString text("stale");
    EXPECT_EQ(reader.GetFullText(text), c.read ? KRO_S_OK : KRO_E_FAIL);
    EXPECT_EQ(text.ToStdString(), c.read ? five : "");
  }
  std::filesystem::remove_all(base);
}

// A host error raised in a nested block passes through the outer handler's Rethrow as the same
// error, is flushed once (one line on the trace output, whichever copy is flushed), and every
// block is closed on the way out. A capture gives the former sink back when it ends.
TEST(VyxTkCompatCtx, PassesTheSameErrorOnAndClosesEveryBlock) {
  KroVyxOutput::Capture outer;
  KroError raised("disk on fire");
  KroError caught;
  {
    KroVyxOutput::Capture inner;
    try {
      VyxTkCompatCtx block;
      try {
        VyxTkCompatCtx nested;
        EXPECT_EQ(VyxTkCompatCtx::Depth(), 2);
        throw raised;
      } catch (KroError& error) {
        VyxTkCompatCtx::Rethrow(error);
      }
    } catch (KroError& error) {
      caught = error;
      Flush(error);
    }
    EXPECT_EQ(inner.Text(), "error: disk on fire\n");
  }
  EXPECT_EQ(VyxTkCompatCtx::Depth(), 0);
  EXPECT_TRUE(caught == raised && raised.IsFlushed());
  Flush(caught);
  KroVyxOutput::GetOut() << KroUnicodeString("L") << ' ' << -12;
  EXPECT_EQ(outer.Text(), "L -12");
}
