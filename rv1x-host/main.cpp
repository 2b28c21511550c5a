// rv1x-host: our stand-in for the host application, as a command-line
// program. `rv1x-host --help` lists its commands, `rv1x-host COMMAND --help`
// the options of one. Help needs the command table alone and is printed
// here; every other command line loads the program itself
// (librv1xhostprogram.so, ProgramMain.cpp) and runs it, so that help starts
// without the libraries of the plug-in's host, its windows and its fonts.

#include <dlfcn.h>
#include <unistd.h>

#include <QByteArray>
#include <cstdio>

#include "CommandTable.h"

namespace {

constexpr int kNotLoaded = 2;

// The program's library, in lib/ beside the folder of this program.
QByteArray programLibrary() {
  QByteArray path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) return "librv1xhostprogram.so";
  path.truncate(length);
  path.truncate(path.lastIndexOf('/'));
  return path + "/../lib/librv1xhostprogram.so";
}

int runProgram(int argc, char** argv) {
  const QByteArray library = programLibrary();
  void* handle = dlopen(library.constData(), RTLD_NOW | RTLD_GLOBAL);
  using Program = int (*)(int, char**);
  const auto program =
      handle ? reinterpret_cast<Program>(dlsym(handle, "rv1xHostProgram")) : nullptr;
  if (!program) {
    std::fprintf(stderr, "rv1x-host: the program cannot be loaded from %s: %s\n",
                 library.constData(), dlerror());
    return kNotLoaded;
  }
  return program(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  const hostapp::CommandLine line = hostapp::readCommandLine(arguments);
  if (line.asks == hostapp::CommandLine::Asks::Help) return line.answer(line);
  return runProgram(argc, argv);
}
