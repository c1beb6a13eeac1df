#include "editor/EditorControlTable.h"

#include "core/model/ParamTables.h"

namespace EditorTables
{
ControlRow rowFor (int position, const ParameterTables& tables)
{
    if (position >= 0 && position < kNumRows)
        return EditorControlTable[(size_t) position];

    // No size and the top edge at the origin: nothing to see or press.
    return { position, "", 0, 16, 0, 0, 0, tables.getMax (position), kwsContList, tables.getDisplayKind (position),
             kNoSection };
}
} // namespace EditorTables
