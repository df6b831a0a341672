#pragma once

#include <afx/afxdefs.h>

#ifdef VRKREG_BUILD_DLL
#  define VRKREG_API __declspec(dllexport)
#else
#  define VRKREG_API __declspec(dllimport)
#endif
