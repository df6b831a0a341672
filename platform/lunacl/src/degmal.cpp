#include <lunacl/lunacl.h>

#include <cmath>

double degmal(double deg)
{
    double r = std::fmod(deg, 360.0);
    if (r < 0.0)
        r += 360.0;
    // A tiny negative angle lands on 360 once the sum rounds.
    if (r >= 360.0)
        r = 0.0;
    // -0.0 comes out as 0.0.
    return r == 0.0 ? 0.0 : r;
}
