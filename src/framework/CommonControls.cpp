#include "framework/CommonControls.h"

#include <optional>

#include "framework/LateBound.h"

namespace plover {

namespace {

std::optional<CommonControlsApi> Load()
{
    // By name, not from the system folder: the program's manifest asks for version
    // 6, which lives among the side-by-side assemblies, and that redirection comes
    // before any folder is searched.
    const HMODULE library = ::LoadLibraryW(L"comctl32.dll");
    const auto initialise =
        BoundFunction<decltype(&::InitCommonControlsEx)>(library, "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX classes{sizeof classes,
                                       ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    if (!initialise || !initialise(&classes))
        return std::nullopt;
    CommonControlsApi api;
    api.propertySheet = BoundFunction<decltype(api.propertySheet)>(library, "PropertySheetW");
    api.setWindowSubclass =
        BoundFunction<decltype(api.setWindowSubclass)>(library, "SetWindowSubclass");
    api.removeWindowSubclass =
        BoundFunction<decltype(api.removeWindowSubclass)>(library, "RemoveWindowSubclass");
    api.defSubclassProc = BoundFunction<decltype(api.defSubclassProc)>(library, "DefSubclassProc");
    if (!api.propertySheet || !api.setWindowSubclass || !api.removeWindowSubclass ||
        !api.defSubclassProc)
        return std::nullopt;
    return api;
}

}  // namespace

const CommonControlsApi* CommonControls()
{
    static const std::optional<CommonControlsApi> api = Load();
    return api ? &*api : nullptr;
}

}  // namespace plover
