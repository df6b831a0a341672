#pragma once

#include <afx/afxdefs.h>

#ifdef VRKHOST_BUILD_DLL
#  define VRKHOST_API __declspec(dllexport)
#else
#  define VRKHOST_API __declspec(dllimport)
#endif
