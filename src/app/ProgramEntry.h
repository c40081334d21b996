#pragma once
// The program's life from process start to process end, in its fixed order.

// Runs the program; returns the process's exit status.
int RunProgram(int argc, char** argv);
