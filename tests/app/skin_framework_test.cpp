#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "app/skin_framework.h"
#include "failure/failure.h"
#include "fakes/native_path.h"

namespace pv {
namespace {

using testing::Native;

// Files held in memory, with the cap that readFile is asked for recorded.
class MemoryFiles final : public FileSystem {
public:
    std::vector<std::string> list(const std::string&, const std::string&, ListingFilter) override { return {}; }
    std::optional<FileStatus> status(const std::string&) override { return std::nullopt; }
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override
    {
        lastCap = maxBytes;
        const auto found = files.find(path);
        if (found == files.end() || found->second.size() > maxBytes)
            return std::nullopt;
        return found->second;
    }

    std::map<std::string, std::string> files;
    std::size_t lastCap = 0;
};

// A window that only records the skins it is given.
class SkinRecordingWindow final : public WindowSurface {
public:
    PointerKind pointer() const override { return PointerKind::Default; }
    void setPointer(PointerKind) override {}
    void loadCustomPointer(const std::string&) override {}
    void setCaption(const std::string&) override {}
    void setApplicationIcon() override {}
    void useButtonFaceBackground() override {}
    int controlCount() const override { return 0; }
    ControlKind controlKind(int) const override { return ControlKind::Component; }
    void useButtonFaceBackground(int) override {}
    SizeTwips outerSize() const override { return {}; }
    SizeTwips screenSize() const override { return {}; }
    void moveTo(double, double) override {}
    void applySkin(const Skin& skin) override { applied.push_back(skin); }
    ScreenPoint cursorPosition() const override { return {}; }

    std::vector<Skin> applied;
};

const std::string kSkinPath = Native("/opt/pressvale/bin/x/o.cjs");

class SkinFrameworkTest : public ::testing::Test {
protected:
    SkinFrameworkTest() { files.files[kSkinPath] = "[window]\nbackground = #EEF1F5\n"; }

    long failureCode(const std::function<void()>& call)
    {
        try {
            call();
        } catch (const Failure& failure) {
            return failure.code();
        }
        return 0;
    }

    MemoryFiles files;
    SkinRecordingWindow window;
    SkinFramework engine{files};
};

TEST_F(SkinFrameworkTest, TheAppearanceSequenceHandsTheSkinAndEveryFlagToTheWindow)
{
    engine.LoadSkin(kSkinPath, "");
    EXPECT_EQ(engine.Options(), 0);
    engine.SetOptions(engine.Options() | 1);
    engine.SetSwitch(5, true);
    engine.SetSwitch(10, true);
    engine.ApplyWindow(window);

    ASSERT_EQ(window.applied.size(), 1u);
    const Skin& skin = window.applied[0];
    EXPECT_EQ(skin.window.background, (SkinColour{0xEE, 0xF1, 0xF5}));
    EXPECT_EQ(skin.flags, (SkinFlags{true, true, true}));
    EXPECT_EQ(files.lastCap, SkinFramework::kMaxSkinFileBytes);
}

TEST_F(SkinFrameworkTest, EachFlagFollowsItsOwnOptionOrSwitch)
{
    engine.LoadSkin(kSkinPath, "");
    engine.ApplyWindow(window);
    engine.SetOptions(2 | 4);  // other bits mean nothing
    engine.SetSwitch(10, true);
    engine.ApplyWindow(window);
    engine.SetOptions(3);
    engine.SetSwitch(10, false);
    engine.SetSwitch(5, true);
    engine.ApplyWindow(window);

    ASSERT_EQ(window.applied.size(), 3u);
    EXPECT_EQ(window.applied[0].flags, (SkinFlags{false, false, false}));
    EXPECT_EQ(window.applied[1].flags, (SkinFlags{false, false, true}));
    EXPECT_EQ(window.applied[2].flags, (SkinFlags{true, true, false}));
    EXPECT_EQ(engine.Options(), 3);
}

TEST_F(SkinFrameworkTest, RefusesWhatItCannotDo)
{
    EXPECT_EQ(failureCode([&] { engine.ApplyWindow(window); }), failure_code::kInvalidProcedureCall);
    EXPECT_EQ(failureCode([&] { engine.LoadSkin(Native("/opt/pressvale/bin/x/missing.cjs"), ""); }),
              failure_code::kFileNotFound);
    EXPECT_EQ(failureCode([&] { engine.SetSwitch(6, true); }), failure_code::kInvalidProcedureCall);
    EXPECT_EQ(failureCode([&] { engine.ApplyWindow(window); }), failure_code::kInvalidProcedureCall);
    EXPECT_TRUE(window.applied.empty());

    files.files[Native("/big.cjs")] = std::string(SkinFramework::kMaxSkinFileBytes + 1, '#');
    EXPECT_EQ(failureCode([&] { engine.LoadSkin(Native("/big.cjs"), ""); }), failure_code::kFileNotFound);
}

TEST_F(SkinFrameworkTest, ABrokenSkinFailsAndLeavesTheEarlierOneInPlace)
{
    engine.LoadSkin(kSkinPath, "");
    files.files[Native("/broken.cjs")] = "[window]\nbackground = blue\n";
    try {
        engine.LoadSkin(Native("/broken.cjs"), "");
        FAIL() << "a broken skin must fail";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), failure_code::kInvalidProcedureCall);
        EXPECT_NE(failure.description().find("line 2"), std::string::npos);
    }
    engine.ApplyWindow(window);
    ASSERT_EQ(window.applied.size(), 1u);
    EXPECT_EQ(window.applied[0].window.background, (SkinColour{0xEE, 0xF1, 0xF5}));
}

}  // namespace
}  // namespace pv
