// CKeytuneApp.h - the program's start and end: arguments, paths, the single
// instance, the companion program, the main window and its event loop.
#pragma once

namespace app {

class CKeytuneApp {
  public:
    // Runs Keytune and returns the process's exit status.
    int run(int argc, char** argv);
};

}  // namespace app
