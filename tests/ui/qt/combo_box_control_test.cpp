#include <QComboBox>

#include "failure/failure.h"
#include "window_fixture.h"

namespace pv::testing {
namespace {

class ComboBoxTest : public WindowFixture {
protected:
    ComboBoxControl& combo() { return window.comboBox(); }
    QComboBox& box() { return *window.findChild<QComboBox*>(QStringLiteral("Combo1")); }

    int notifications() const { return static_cast<int>(events.callsStartingWith("Combo1_Click").size()); }
};

TEST_F(ComboBoxTest, AddingAndRemovingNeverNotifyNorSelect)
{
    combo().addItem("Alpha");
    combo().addItem("Beta");
    combo().addItem("Gamma");
    EXPECT_EQ(combo().count(), 3);
    EXPECT_EQ(combo().currentIndex(), -1);
    EXPECT_EQ(combo().text(), "");
    EXPECT_EQ(combo().item(1), "Beta");

    combo().setCurrentIndex(2);
    EXPECT_EQ(notifications(), 1);
    EXPECT_EQ(combo().text(), "Gamma");

    combo().removeItem(0);  // the selected entry moves up and stays selected
    EXPECT_EQ(combo().currentIndex(), 1);
    EXPECT_EQ(combo().text(), "Gamma");
    combo().removeItem(1);  // the selected entry goes: nothing is selected
    EXPECT_EQ(combo().currentIndex(), -1);
    EXPECT_EQ(combo().text(), "");
    combo().addItem("Delta");
    EXPECT_EQ(combo().currentIndex(), -1);
    EXPECT_EQ(notifications(), 1);

    EXPECT_THROW(combo().removeItem(5), Failure);
    EXPECT_THROW(combo().item(-1), Failure);
}

TEST_F(ComboBoxTest, EverySelectionChangeNotifies)
{
    combo().addItem("Alpha");
    combo().addItem("Beta");
    EXPECT_THROW(combo().setCurrentIndex(2), Failure);
    EXPECT_THROW(combo().setCurrentIndex(-2), Failure);
    EXPECT_EQ(notifications(), 0);

    combo().setCurrentIndex(0);
    box().setCurrentIndex(1);  // as when the user picks an entry
    EXPECT_EQ(notifications(), 2);
    EXPECT_EQ(combo().currentIndex(), 1);
    combo().setCurrentIndex(-1);
    EXPECT_EQ(notifications(), 3);
    EXPECT_EQ(combo().text(), "");
}

}  // namespace
}  // namespace pv::testing
