// The library one test plug-in needs, placed beside that plug-in only.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI TbqTestDependency(void) { return 42; }
