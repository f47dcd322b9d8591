#include <string>

#include "list_actions/admission.h"
#include "services/path_style.h"
#include "targets.h"

namespace pv::fuzz {

// The input is a path; split at its first newline it is also a folder and a name to compose.
void FuzzEntryPath(std::string_view input)
{
    const std::string path(input);
    const std::string normal = NormaliseEntryPath(path);
    Expect(normal.size() <= path.size(), "normalising never lengthens a path");
    const std::string doubled{kPathSeparator, kPathSeparator};
    if constexpr (kPathSeparator == '/') {
        // Exactly the doubled separator that composing below the root folder leaves goes.
        Expect(normal == (path.starts_with(doubled) ? path.substr(1) : path),
               "a path loses one separator at the start when it begins with two, and nothing else changes");
    }
    // Normalising again changes nothing unless the path began with three separators, which
    // composing below a root folder never gives.
    if (!path.starts_with(doubled + kPathSeparator))
        Expect(NormaliseEntryPath(normal) == normal, "normalising twice gives what normalising once gave");

    const std::size_t newline = input.find('\n');
    if (newline == std::string_view::npos)
        return;
    const std::string folder(input.substr(0, newline));
    const std::string name(input.substr(newline + 1));
    const std::string composed = ComposePath(folder, name);
    Expect(composed == folder + kPathSeparator + name, "a composed path is folder, one separator, name");
    if constexpr (kPathSeparator == '/') {
        // Below the root folder the entry gets one separator at the start; below any other
        // absolute folder (without a doubled start) it is left as composed.
        if (!name.starts_with('/'))
            Expect(NormaliseEntryPath(ComposePath("/", name)) == "/" + name,
                   "a name below the root folder gets one separator at the start");
        if (folder.starts_with('/') && folder != "/" && !folder.starts_with(doubled))
            Expect(NormaliseEntryPath(composed) == composed, "a path below an ordinary folder is left alone");
    }
}

}  // namespace pv::fuzz
