#include "editing/folder_names.h"

#include <unicode/stringoptions.h>
#include <unicode/ustring.h>

namespace tb {

int CompareFolderNames(std::u16string_view a, std::u16string_view b) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t order = u_strCaseCompare(
        a.data(), static_cast<int32_t>(a.size()), b.data(), static_cast<int32_t>(b.size()),
        U_FOLD_CASE_DEFAULT | U_COMPARE_CODE_POINT_ORDER, &status);
    if (U_SUCCESS(status))
        return order;
    // Only an absurd length fails; the plain order still keeps a tree sorted.
    return a.compare(b);
}

} // namespace tb
