#pragma once

#include <string>
#include <vector>

namespace pv::assetgen {

struct SampleFile {
    std::string name;
    std::string bytes;
};

// The one-page PDF documents of the Samples folder: an invoice, a letter, a chart page and a
// printer test page. The people and firms in them are made up.
std::vector<SampleFile> SampleFiles();

}  // namespace pv::assetgen
