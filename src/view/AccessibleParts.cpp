#include "view/AccessibleParts.h"

namespace plover {

PartChanges CompareParts(const std::vector<AccessiblePart>& before,
                         const std::vector<AccessiblePart>& after)
{
    PartChanges changes;
    bool sameKinds = before.size() == after.size();
    for (std::size_t i = 0; sameKinds && i < after.size(); ++i)
        sameKinds = before[i].kind == after[i].kind;
    if (!sameKinds) {
        changes.reordered = true;
        return changes;
    }
    for (std::size_t i = 0; i < after.size(); ++i)
        if (before[i].name != after[i].name)
            changes.renamed.push_back(static_cast<long>(i) + 1);
    return changes;
}

}  // namespace plover
