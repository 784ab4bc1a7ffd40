// One running Plover per data folder.  Two copies on one folder would each write
// their own list over the other's; copies on different folders (two portable
// copies) do not meet and run side by side.
#pragma once

#include <windows.h>

#include <string>

#include "framework/FileHandle.h"

namespace plover {

class CSingleInstance {
public:
    // Claims `dataFolder` for this process, unless another process holds it.
    explicit CSingleInstance(const std::wstring& dataFolder);
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    bool IsFirst() const { return m_bFirst; }
    // The first copy tells where its window is, once it has one.
    void Announce(HWND mainWindow);
    // A later copy brings the first one's window to the front (restored when it is
    // minimised), waiting a little for a copy that is still starting.
    void BringFirstToFront() const;

private:
    bool m_bExisted = false;  // set while m_mapping is made, so declared before it
    CFileHandle m_mapping;
    HWND* m_pShared = nullptr;
    bool m_bFirst = false;
};

}  // namespace plover
