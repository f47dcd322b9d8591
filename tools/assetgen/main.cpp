// Draws and writes every picture and sample document that ships with Pressvale.
//
// To regenerate after changing the artwork (the outputs are committed):
//   cmake --build <build> --target pressvale_assetgen
//   <build>/tools/assetgen/pressvale_assetgen <repository>/assets
// It writes program/HAND-M.CUR, program/drag.ico, program/Samples/*.pdf, icons/pressvale.ico,
// icons/combo-arrow.png and the icons icons/hicolor/<n>x<n>/apps/pressvale.png
// below the folder given. The output is the same on every run.
// The skin, program/x/o.cjs, is hand-written text and not made here.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "artwork.h"
#include "icon_file.h"
#include "png_file.h"
#include "samples.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    std::cout << path.string() << " (" << bytes.size() << " bytes)\n";
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace pv::assetgen;
    if (argc != 2) {
        std::cerr << "usage: pressvale_assetgen <assets folder>\n";
        return 2;
    }
    try {
        const fs::path assets = argv[1];
        const fs::path program = assets / "program";

        // The two pointers at 32 pixels, first (the size they point with at a scale of 1, and
        // the image Windows takes), then drawn again at 64 pixels for a scale of 2.
        const Canvas hand32 = HandCursor(32), hand64 = HandCursor(64);
        Write(program / "HAND-M.CUR", CursorFileBytes({{&hand32, kHandHotspotX, kHandHotspotY},
                                                       {&hand64, 2 * kHandHotspotX, 2 * kHandHotspotY}}));
        const Canvas drag32 = DragIcon(32), drag64 = DragIcon(64);
        Write(program / "drag.ico", IconFileBytes({&drag32, &drag64}));
        for (const SampleFile& sample : SampleFiles())
            Write(program / "Samples" / sample.name, sample.bytes);

        const Canvas icon16 = ApplicationIcon(16), icon32 = ApplicationIcon(32), icon48 = ApplicationIcon(48);
        Write(assets / "icons" / "pressvale.ico", IconFileBytes({&icon16, &icon32, &icon48}));
        Write(assets / "icons" / "combo-arrow.png", PngFileBytes(DropDownArrow()));
        // The application icon in the hicolor theme at its usual sizes: the desktop menu's icon,
        // and (16 to 64 pixels) the window's icon on Linux.
        for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
            const std::string folder = std::to_string(size) + "x" + std::to_string(size);
            Write(assets / "icons" / "hicolor" / folder / "apps" / "pressvale.png",
                  PngFileBytes(ApplicationIcon(size)));
        }
    } catch (const std::exception& e) {
        std::cerr << "pressvale_assetgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
