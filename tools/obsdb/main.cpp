#include "CObsdbCommand.h"

#include <citydb/CityLogText.h>

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#  include <fcntl.h>
#  include <io.h>
#endif

namespace {

int RunAndPrint(const std::vector<std::wstring>& args)
{
    CObsdbCommand command;
    int nStatus = command.Run(args);
    std::fwrite(command.m_out.data(), 1, command.m_out.size(), stdout);
    std::fwrite(command.m_err.data(), 1, command.m_err.size(), stderr);
    std::fflush(stdout);
    std::fflush(stderr);
    return nStatus;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
{
    // UTF-8 out, byte for byte: no line-end translation.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::wstring> args(argv + 1, argv + argc);
    return RunAndPrint(args);
}
#else
int main(int argc, char** argv)
{
    // Arguments are UTF-8 here.
    std::vector<std::wstring> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(CityWideFromUtf8(argv[i]));
    return RunAndPrint(args);
}
#endif
