#pragma once

#ifdef LUNACL_BUILD_DLL
#  define LUNACL_API __declspec(dllexport)
#else
#  define LUNACL_API __declspec(dllimport)
#endif

// An angle in degrees wrapped into one turn, [0, 360). NaN for an infinite or NaN angle.
LUNACL_API double degmal(double deg);
