#pragma once

#include <string>
#include <vector>

class QMimeData;

namespace pv {

// Whether drag data offers a list of files: local file addresses (text/uri-list).
bool OffersLocalFiles(const QMimeData& data);

// The local files of drag data as native paths, in the data's order. The bytes come from the
// addresses' own percent-encoding, so a name that is not valid UTF-8 arrives unchanged.
std::vector<std::string> LocalFilePaths(const QMimeData& data);

}  // namespace pv
