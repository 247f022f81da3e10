// The host's file reader: what the template renderer relies on beyond what its own tests show.
// Host errors, their blocks and the trace output are shown by the dump extension's tests.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "KroMmdFSReadFileOperator.h"

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
