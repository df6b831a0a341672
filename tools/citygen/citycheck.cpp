// Checks that city lists read back through citydb as they are written, and says what they hold.
// Usage: citycheck LIST...   Exit 0 when all read back, 1 when one does not, 2 on bad usage.

#include "CListCheck.h"

#include <citydb/Utf8Text.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: citycheck LIST...\n");
        return 2;
    }
    int nStatus = 0;
    for (int i = 1; i < argc; ++i) {
        CListCheck check;
        if (check.Run(CString(CityWideFromUtf8(argv[i])))) {
            std::printf("%s: %d places, %d folders, %d levels, %zu bytes\n", argv[i], check.m_nPlaces,
                        check.m_nFolders, check.m_nLevels, check.m_nBytes);
        } else {
            std::fprintf(stderr, "citycheck: %s: %s\n", argv[i], check.m_strError.c_str());
            nStatus = 1;
        }
    }
    return nStatus;
}
