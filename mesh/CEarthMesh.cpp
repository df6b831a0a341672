#include "mesh/CEarthMesh.h"

#include <host/CCorZel.h>

#include <windows.h>

#include <vector>

CEarthMesh::CEarthMesh() : m_bIndexSet(0) {}

CEarthMesh::CEarthMesh(const CEarthMesh& other) : CFileExist(other), m_bIndexSet(other.m_bIndexSet)
{
}

CEarthMesh& CEarthMesh::operator=(const CEarthMesh& other)
{
    CFileExist::operator=(other);
    m_bIndexSet = other.m_bIndexSet;
    return *this;
}

CEarthMesh::~CEarthMesh() = default;

CString CEarthMesh::GetIdxFile(CCorZel* pEngine)
{
    CString path = pEngine ? pEngine->Command(L"? info.module.datapath") : CString();
    if (!path.IsEmpty())
        path += L"\\solar\\earth\\mesh\\worldmesh.txt";
    return GetFileName(path);
}

CString CEarthMesh::EnginePath(const CString& path)
{
    // The first call tells the size the short form needs, terminator included; 0 on failure.
    const DWORD need = GetShortPathNameW(path, nullptr, 0);
    if (need == 0 || need > MAX_PATH)
        return path;
    std::vector<wchar_t> buf(need);
    const DWORD got = GetShortPathNameW(path, buf.data(), need);
    // A result as large as the buffer means the path changed between the calls.
    if (got == 0 || got >= need)
        return path;
    return CString(buf.data(), static_cast<int>(got));
}

void CEarthMesh::SetMeshIndex(CCorZel* pEngine)
{
    const CString file = GetIdxFile(pEngine);
    if (file.IsEmpty())
        return;
    pEngine->Command(L"Solar.Planet.Earth.Landscape.IndexFile = \"" + EnginePath(file) + L"\"");
    m_bIndexSet = TRUE;
}

BOOL CEarthMesh::CheckMeshIndex(CCorZel* pEngine)
{
    if (m_bIndexSet)
        return FALSE;
    SetMeshIndex(pEngine);
    return TRUE;
}
