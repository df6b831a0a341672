#pragma once

#include <afx/afxdefs.h>

#ifdef VRKCST_BUILD_DLL
#  define VRKCST_API __declspec(dllexport)
#else
#  define VRKCST_API __declspec(dllimport)
#endif
