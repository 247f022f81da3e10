// Replays fuzz inputs through LLVMFuzzerTestOneInput without libFuzzer (any compiler): each
// argument is a file, or a folder whose files are all replayed (subfolders too), in name order;
// arguments that begin with "-" (libFuzzer options such as -runs=0) are ignored. The replay
// fails (exit 1) when a path is missing or cannot be read, when a folder holds no input, or when
// nothing at all was replayed, so that a mistyped or emptied corpus cannot pass unnoticed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

// Reads the whole file; false when it cannot be opened or read.
bool ReadFile(const fs::path& path, std::vector<char>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// The files to replay for one argument, in name order; false, with a message, when there are
// none or the path is no readable file or folder.
bool CollectInputs(const fs::path& path, std::vector<fs::path>& inputs) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) {
    std::fprintf(stderr, "replay: %s: no such file or folder\n", path.c_str());
    return false;
  }
  if (fs::is_regular_file(status)) {
    inputs.push_back(path);
    return true;
  }
  if (!fs::is_directory(status)) {
    std::fprintf(stderr, "replay: %s: neither a file nor a folder\n", path.c_str());
    return false;
  }
  std::vector<fs::path> found;
  fs::recursive_directory_iterator entry(path, error), end;
  for (; !error && entry != end; entry.increment(error)) {
    if (entry->is_regular_file(error)) found.push_back(entry->path());
  }
  if (error) {
    std::fprintf(stderr, "replay: %s: %s\n", path.c_str(), error.message().c_str());
    return false;
  }
  if (found.empty()) {
    std::fprintf(stderr, "replay: %s: no input in this folder\n", path.c_str());
    return false;
  }
  std::sort(found.begin(), found.end());
  inputs.insert(inputs.end(), found.begin(), found.end());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == '-') continue;
    ok = CollectInputs(argv[i], inputs) && ok;
  }
  int replayed = 0;
  for (const fs::path& input : inputs) {
    std::vector<char> bytes;
    if (!ReadFile(input, bytes)) {
      std::fprintf(stderr, "replay: %s: cannot be read\n", input.c_str());
      ok = false;
      continue;
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ++replayed;
  }
  std::printf("replayed %d inputs\n", replayed);
  if (replayed == 0) {
    std::fprintf(stderr, "replay: nothing was replayed\n");
    return 1;
  }
  return ok ? 0 : 1;
}
