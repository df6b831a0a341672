#include "ZoneOffset.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <sys/stat.h>

namespace {

// The folder of the tz database as the C library finds it.
std::string ZoneFolder()
{
    const char* pszDir = std::getenv("TZDIR");
    return pszDir && *pszDir ? pszDir : "/usr/share/zoneinfo";
}

bool IsZoneFile(const std::string& strZone)
{
    // The C library falls back to UTC for a zone it cannot find: look for the file first.
    if (strZone.empty() || strZone[0] == '/' || strZone.find("..") != std::string::npos)
        return false;
    struct stat st;
    return ::stat((ZoneFolder() + "/" + strZone).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

long OffsetAt(int nMonth)
{
    std::tm utc{};
    utc.tm_year = 2025 - 1900;
    utc.tm_mon = nMonth;
    utc.tm_mday = 15;
    utc.tm_hour = 12;
    std::time_t t = ::timegm(&utc);
    std::tm local{};
    if (!::localtime_r(&t, &local))
        throw std::runtime_error("localtime_r failed");
    return local.tm_gmtoff;
}

}  // namespace

double ZoneStandardHours(const std::string& strZone)
{
    if (!IsZoneFile(strZone))
        throw std::runtime_error("time zone \"" + strZone + "\" is not in the tz database at " + ZoneFolder());
    if (::setenv("TZ", (":" + strZone).c_str(), 1) != 0)
        throw std::runtime_error("cannot set TZ");
    ::tzset();
    return static_cast<double>(std::min(OffsetAt(0), OffsetAt(6))) / 3600.0;
}
