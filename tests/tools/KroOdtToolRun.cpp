// Running the kro-odt tool as a process.
#include "tools/KroOdtToolRun.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

KroOdtToolRun KroOdtRunTool(const std::vector<std::string>& args, const std::string& input) {
  const int quietSeconds = 300;
  KroOdtToolRun run;
  // The input goes through a file, so that a large one never blocks the writer.
  char inputPath[] = "/tmp/kroodt-tool-input-XXXXXX";
  const int inputFd = mkstemp(inputPath);
  if (inputFd < 0 ||
      write(inputFd, input.data(), input.size()) != static_cast<ssize_t>(input.size())) {
    ADD_FAILURE() << "cannot write the tool's input";
    return run;
  }
  lseek(inputFd, 0, SEEK_SET);
  unlink(inputPath);

  int outPipe[2];
  int errPipe[2];
  if (pipe(outPipe) != 0 || pipe(errPipe) != 0) {
    ADD_FAILURE() << "pipe failed";
    close(inputFd);
    return run;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(inputFd, 0);
    dup2(outPipe[1], 1);
    dup2(errPipe[1], 2);
    close(outPipe[0]);
    close(errPipe[0]);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(KROODT_TOOL_PATH));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(KROODT_TOOL_PATH, argv.data());
    _exit(127);
  }
  close(inputFd);
  close(outPipe[1]);
  close(errPipe[1]);
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&run.out, &run.err};
  int openPipes = 2;
  while (openPipes > 0) {
    if (poll(fds, 2, quietSeconds * 1000) <= 0) {
      ADD_FAILURE() << "the tool wrote nothing for " << quietSeconds << " s";
      kill(pid, SIGKILL);
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[65536];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --openPipes;
      }
    }
  }
  for (pollfd& fd : fds) {
    if (fd.fd >= 0) close(fd.fd);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
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
