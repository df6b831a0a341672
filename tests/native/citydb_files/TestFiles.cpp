#include "TestFiles.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

TempDir::TempDir()
{
    char templ[] = "/tmp/citydb_files_XXXXXX";
    if (!mkdtemp(templ))
        throw std::runtime_error("mkdtemp failed");
    m_dir = templ;
}

TempDir::~TempDir()
{
    for (const std::string& name : Names()) {
        std::string path = Path(name);
        struct stat st;
        if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            rmdir(path.c_str());
        else
            unlink(path.c_str());
    }
    rmdir(m_dir.c_str());
}

CString TempDir::WidePath(const std::string& name) const
{
    // Test paths are ASCII.
    std::string path = Path(name);
    return CString(std::wstring(path.begin(), path.end()));
}

std::vector<std::string> TempDir::Names() const
{
    std::vector<std::string> names;
    if (DIR* d = opendir(m_dir.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(d);
    }
    return names;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

static void DumpItems(const ICityTree& tree, HCITYITEM hItem, std::string& out)
{
    for (bool bFirst = true; hItem; hItem = tree.GetNextSiblingItem(hItem), bFirst = false) {
        if (!bFirst)
            out += ',';
        out += AnsiFromWide(tree.GetItemText(hItem).wstr());
        if (tree.GetItemData(hItem) == CITY_FOLDER_DATA) {
            out += '{';
            DumpItems(tree, tree.GetChildItem(hItem), out);
            out += '}';
        }
    }
}

std::string DumpTree(const ICityTree& tree)
{
    std::string out;
    DumpItems(tree, tree.GetRootItem(), out);
    return out;
}

static HCITYITEM FindItem(const ICityTree& tree, HCITYITEM hItem, const wchar_t* pszName)
{
    for (; hItem; hItem = tree.GetNextSiblingItem(hItem)) {
        if (tree.GetItemText(hItem) == pszName)
            return hItem;
        if (HCITYITEM hFound = FindItem(tree, tree.GetChildItem(hItem), pszName))
            return hFound;
    }
    return nullptr;
}

const CCityList* LoadedList::Place(const wchar_t* pszName) const
{
    HCITYITEM hItem = FindItem(tree, tree.GetRootItem(), pszName);
    if (!hItem || tree.GetItemData(hItem) < 0 || tree.GetItemData(hItem) >= data.m_nCityNum)
        return nullptr;
    return &data.m_aCity[static_cast<size_t>(tree.GetItemData(hItem))];
}
