#pragma once

// The entry of the desktop part (a module of its own, beside the program or
// in <prefix>/lib/purslet/desktop): the desktop program, or a command line
// command that draws. Returns the exit status.
extern "C" int PursletDesktopMain(int argc, char **argv);
using PursletDesktopMainFunction = int (*)(int argc, char **argv);

inline constexpr char kPursletDesktopEntry[] = "PursletDesktopMain";
