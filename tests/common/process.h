#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

// Starts a program with its output in files; `extraEnv` entries are "NAME=value" and replace
// inherited ones of the same name. A non-empty
// `workDir` becomes the child's current directory.
inline pid_t Spawn(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& extraEnv, const std::string& outFile,
                   const std::string& errFile, const std::string& workDir = "") {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (!std::freopen(outFile.c_str(), "w", stdout) || !std::freopen(errFile.c_str(), "w", stderr)) _exit(126);
  if (!workDir.empty() && chdir(workDir.c_str()) != 0) _exit(126);
  // An extra entry replaces the inherited one of its name.
  auto overridden = [&](const std::string& entry) {
    const std::string name = entry.substr(0, entry.find('=') + 1);
    for (const std::string& e : extraEnv)
      if (e.rfind(name, 0) == 0) return true;
    return false;
  };
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e)
    if (!overridden(*e)) env.emplace_back(*e);
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> all = {program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  execve(program.c_str(), argv.data(), envp.data());
  _exit(127);
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Outcome {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

// Runs a program to its end and collects its exit status and output.
inline Outcome RunProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::vector<std::string>& extraEnv, const std::string& scratchPrefix,
                          const std::string& workDir = "") {
  const pid_t pid = Spawn(program, args, extraEnv, scratchPrefix + ".out", scratchPrefix + ".err", workDir);
  int status = 0;
  waitpid(pid, &status, 0);
  Outcome o;
  o.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  o.out = ReadText(scratchPrefix + ".out");
  o.err = ReadText(scratchPrefix + ".err");
  return o;
}
