// The host's file reader on POSIX: "\" and "/" both separate folders, links are resolved before
// the root folder is checked, and only regular files are read (a pipe never blocks it).
#include "KroMmdFSReadFileOperator.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

std::string WithSlashes(const KroUnicodeString& path) {
  std::string text = path.ToStdString();
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  return text;
}

bool HasDotDotSegment(const std::string& path) {
  size_t begin = 0;
  for (;;) {
    const size_t end = path.find('/', begin);
    const size_t length = (end == std::string::npos ? path.size() : end) - begin;
    if (length == 2 && path.compare(begin, 2, "..") == 0) return true;
    if (end == std::string::npos) return false;
    begin = end + 1;
  }
}

// The real path of path, links resolved, or "" when there is no file there.
std::string RealPath(const std::string& path) {
  char* real = realpath(path.c_str(), nullptr);
  if (real == nullptr) return "";
  std::string text(real);
  std::free(real);
  return text;
}

}  // namespace

KroResult KroMmdFSReadFileOperator::SetRootFolder(const KroUnicodeString& folder) {
  _Confined = true;
  _Path.clear();
  _RootText = WithSlashes(folder);
  if (!_RootText.empty() && _RootText.back() != '/') _RootText += '/';
  _RootResolved = _RootText.find('\0') == std::string::npos
                      ? RealPath(_RootText.empty() ? std::string(".") : _RootText)
                      : std::string();
  if (_RootResolved.empty()) return KRO_E_FAIL;
  if (_RootResolved.back() != '/') _RootResolved += '/';
  return KRO_S_OK;
}

KroMmdFSReadFileOperator::Place KroMmdFSReadFileOperator::_Resolve(const std::string& path,
                                                                   std::string& resolved) const {
  resolved = RealPath(path);
  if (resolved.empty()) return Place::kMissing;
  const bool below = resolved.size() > _RootResolved.size() &&
                     resolved.compare(0, _RootResolved.size(), _RootResolved) == 0;
  return below ? Place::kBelow : Place::kOutside;
}

KroResult KroMmdFSReadFileOperator::SetFilePath(const KroUnicodeString& path) {
  _Path.clear();
  const std::string text = WithSlashes(path);
  if (text.empty() || text.find('\0') != std::string::npos) return KRO_E_FAIL;
  if (_Confined) {
    if (_RootResolved.empty()) return KRO_E_FAIL;
    if (text.compare(0, _RootText.size(), _RootText) != 0) return KRO_E_FAIL;
    const std::string rest = text.substr(_RootText.size());
    if (rest.empty() || rest[0] == '/' || HasDotDotSegment(rest)) return KRO_E_FAIL;
    // A file that is not there yet is accepted; Run resolves the path again before it opens.
    std::string resolved;
    if (_Resolve(text, resolved) == Place::kOutside) return KRO_E_FAIL;
  }
  _Path = text;
  return KRO_S_OK;
}

KroResult KroMmdFSReadFileOperator::Run() {
  _Text.clear();
  _HasText = false;
  if (_Path.empty()) return KRO_E_FAIL;
  std::string target = _Path;
  int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  if (_Confined) {
    if (_Resolve(_Path, target) != Place::kBelow) return KRO_E_FAIL;
    // The real path has no link left; one put in its place since is not followed.
    flags |= O_NOFOLLOW;
  }
  const int fd = open(target.c_str(), flags);
  if (fd < 0) return KRO_E_FAIL;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<unsigned long long>(info.st_size) > _MaxSize) {
    close(fd);
    return KRO_E_FAIL;
  }
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    // The size may have grown since fstat: the maximum holds for what is read too.
    if (n < 0 || static_cast<size_t>(n) > _MaxSize - text.size()) {
      close(fd);
      return KRO_E_FAIL;
    }
    text.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  _Text.swap(text);
  _HasText = true;
  return KRO_S_OK;
}

KroResult KroMmdFSReadFileOperator::GetFullText(KroUnicodeString& text) const {
  if (!_HasText) {
    text = KroUnicodeString();
    return KRO_E_FAIL;
  }
  text = KroUnicodeString(_Text);
  return KRO_S_OK;
}
