#include "services/DataFolder.h"

#include "framework/Help.h"

namespace plover {

namespace {

std::wstring& Chosen()
{
    static std::wstring folder;
    return folder;
}

}  // namespace

const std::wstring& DataFolder()
{
    if (Chosen().empty())
        Chosen() = ProgramFolder();
    return Chosen();
}

void SetDataFolder(std::wstring folder)
{
    Chosen() = std::move(folder);
}

}  // namespace plover
