#include <gtest/gtest.h>

#include "ui/qt/skin_style_sheet.h"

namespace pv::testing {
namespace {

TEST(SkinStyleSheetTest, AFontFamilyBuiltInCodeCannotBreakOutOfItsDeclaration)
{
    Skin skin;
    skin.window.font.family = "Evil\"; } QWidget { color: red; background: url(\\x)";
    const QString sheet = SkinStyleSheet(ResolveSkinLook(skin));
    EXPECT_TRUE(sheet.contains(QStringLiteral("font-family: \"Evil  QWidget  color: red background: url(x)\";")))
        << sheet.toStdString();
    EXPECT_EQ(sheet.count(QLatin1Char('{')), 1) << sheet.toStdString();
}

TEST(SkinStyleSheetTest, AnOrdinaryFamilyIsKeptWhole)
{
    Skin skin;
    skin.window.font.family = "DejaVu Sans";
    EXPECT_TRUE(SkinStyleSheet(ResolveSkinLook(skin)).contains(QStringLiteral("font-family: \"DejaVu Sans\";")));
}

}  // namespace
}  // namespace pv::testing
