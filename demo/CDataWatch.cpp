#include "CDataWatch.h"

#include "CJsonLine.h"

#include <windows.h>
#include <bcrypt.h>

#include <cstdio>

CDataWatch::CDataWatch(const CString& folder) : m_strFolder(folder)
{
    if (!m_strFolder.IsEmpty() && m_strFolder.Right(1) != L"\\" && m_strFolder.Right(1) != L"/")
        m_strFolder += L"\\";
    m_last = Take();
}

CDataWatch::Snapshot CDataWatch::Take() const
{
    Snapshot s;
    Scan(m_strFolder, CString(), s);
    return s;
}

void CDataWatch::Scan(const CString& dir, const CString& prefix, Snapshot& out) const
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(dir + L"*", &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        const CString name = fd.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            Scan(dir + name + L"\\", prefix + name + L"/", out);
            continue;
        }
        File f;
        f.size = (static_cast<long long>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
        f.time = (static_cast<unsigned long long>(fd.ftLastWriteTime.dwHighDateTime) << 32)
                 | fd.ftLastWriteTime.dwLowDateTime;
        out[prefix + name] = f;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}

std::vector<std::pair<CString, CDataWatch::File>> CDataWatch::Changes()
{
    Snapshot now = Take();
    std::vector<std::pair<CString, File>> changed;
    for (auto& [name, file] : now) {
        const auto it = m_last.find(name);
        if (it != m_last.end() && it->second.size == file.size && it->second.time == file.time)
            continue;
        CString path = m_strFolder + name;
        path.Replace(L'/', L'\\');
        file.sha256 = Sha256(path);
        changed.emplace_back(name, file);
    }
    for (const auto& [name, file] : m_last)
        if (!now.count(name))
            changed.emplace_back(name, File());
    m_last = std::move(now);
    return changed;
}

std::string CDataWatch::Sha256(const CString& path)
{
    FILE* f = _wfopen(path.GetString(), L"rb");
    if (!f)
        return std::string();
    BCRYPT_ALG_HANDLE alg = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    unsigned char digest[32] = {};
    bool ok = BCryptOpenAlgorithmProvider(&alg, BCRYPT_SHA256_ALGORITHM, nullptr, 0) == 0
              && BCryptCreateHash(alg, &hash, nullptr, 0, nullptr, 0, 0) == 0;
    unsigned char buf[65536];
    size_t n = 0;
    while (ok && (n = std::fread(buf, 1, sizeof buf, f)) > 0)
        ok = BCryptHashData(hash, buf, static_cast<ULONG>(n), 0) == 0;
    ok = ok && !std::ferror(f) && BCryptFinishHash(hash, digest, sizeof digest, 0) == 0;
    std::fclose(f);
    if (hash)
        BCryptDestroyHash(hash);
    if (alg)
        BCryptCloseAlgorithmProvider(alg, 0);
    return ok ? CJsonLine::Hex(digest, sizeof digest) : std::string();
}
