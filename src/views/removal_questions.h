#pragma once

#include "views/list_editor.h"

#include <QString>

// What the list views ask before removing rows.
namespace tb::removal {

// Installed files (by target path) and dependencies (by name in the current language).
inline RemovalQuestion Named(int nameColumn) {
    return {QStringLiteral("Are you sure you want to remove '%1' from the package?"),
            QStringLiteral("Are you sure you want to remove the selected items from the package?"),
            nameColumn};
}

inline RemovalQuestion Properties() {
    return {QStringLiteral("Are you sure you want to remove property from the package?"),
            QStringLiteral("Are you sure you want to remove the selected properties from the "
                           "package?"),
            -1};
}

} // namespace tb::removal
