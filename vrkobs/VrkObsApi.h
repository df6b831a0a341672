#pragma once

// Export macro of vrkobs.dll: its classes are exported when the DLL is built and imported by
// the host and the tests.
#ifdef VRKOBS_BUILD_DLL
#  define VRKOBS_API __declspec(dllexport)
#else
#  define VRKOBS_API __declspec(dllimport)
#endif
