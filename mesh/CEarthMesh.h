#pragma once

#include "vrkobs/VrkObsApi.h"

#include <afx/CString.h>
#include <vrkcom/CFileExist.h>

class CCorZel;

// Finds the sky engine's terrain index file below the engine's data folder and hands it to the
// engine. The host calls it; the dialogs only receive the path it found.
class VRKOBS_API CEarthMesh : public CFileExist {
public:
    CEarthMesh();
    CEarthMesh(const CEarthMesh& other);
    CEarthMesh& operator=(const CEarthMesh& other);
    ~CEarthMesh() override;

    // The index file to use; empty when the engine names no data folder or the file is missing.
    CString GetIdxFile(CCorZel* pEngine);
    // Tells the engine the index file whenever one is found.
    void SetMeshIndex(CCorZel* pEngine);
    // SetMeshIndex until this object has once succeeded: FALSE once it has (nothing is asked),
    // TRUE otherwise, also when no index file was found.
    BOOL CheckMeshIndex(CCorZel* pEngine);

    int m_bIndexSet;  // TRUE once this object has handed an index file to the engine

protected:
    // The path as sent to the engine: its short (8.3) form when that fits in MAX_PATH, else the
    // path itself, whole.
    static CString EnginePath(const CString& path);
};
