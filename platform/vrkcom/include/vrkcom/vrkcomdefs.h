#pragma once

#include <afx/afxdefs.h>

#ifdef VRKCOM_BUILD_DLL
#  define VRKCOM_API __declspec(dllexport)
#else
#  define VRKCOM_API __declspec(dllimport)
#endif
