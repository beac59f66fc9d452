#pragma once

namespace dedizo {

// The program body: splash, configuration, connection, main window, message
// loop. Options: --data-dir DIR (Config.ini and the file database),
// --screenshots DIR (take a picture of every window and exit).
int runProgram(int argc, char** argv);

// Adds the function windows of every module to the FunctionWindows registry.
void registerFunctionWindows();

} // namespace dedizo
