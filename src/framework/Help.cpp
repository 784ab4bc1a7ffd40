#include "framework/Help.h"

#include <utility>

namespace plover {

namespace {
HelpViewer& Viewer()
{
    static HelpViewer viewer;
    return viewer;
}
}  // namespace

void ShowHelp(HWND owner, UINT command, ULONG_PTR data)
{
    if (Viewer())
        Viewer()(owner, command, data);
}

void SetHelpViewer(HelpViewer viewer)
{
    Viewer() = std::move(viewer);
}

}  // namespace plover
