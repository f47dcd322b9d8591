#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/qt/qt_message_boxes.h"

namespace pv::testing {
namespace {

TEST(MessageBoxText, CarriageReturnsBreakLinesOnlyWhenShown)
{
    const std::string composed = "You've selected too many files to add.\r\rPlease try.\r\nEnd";
    EXPECT_EQ(MessageBoxDisplayText(composed).toStdString(),
              "You've selected too many files to add.\n\nPlease try.\nEnd");
    EXPECT_EQ(MessageBoxDisplayText("one line").toStdString(), "one line");
}

// Answers the next modal box from the event loop and records what it showed.
struct ShownBox {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

ShownBox AnswerNextBox(QMessageBox::StandardButton answer, const std::function<BoxAnswer()>& show, BoxAnswer* result)
{
    ShownBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(),     box->text(),
                box->textFormat(),      box->icon(),
                box->standardButtons(), box->standardButton(box->defaultButton())};
        box->button(answer)->click();
    });
    *result = show();
    return seen;
}

TEST(QtMessageBoxes, ShowTitleTextButtonsAndIcon)
{
    QtMessageBoxes boxes;
    BoxAnswer answer{};
    ShownBox seen = AnswerNextBox(
        QMessageBox::No,
        [&] { return boxes.show("Remove <b>all</b>?\rSure", "Pressvale", BoxButtons::YesNo, BoxIcon::Exclamation); },
        &answer);
    EXPECT_EQ(answer, BoxAnswer::No);
    EXPECT_EQ(seen.title, "Pressvale");
    EXPECT_EQ(seen.text, "Remove <b>all</b>?\nSure");
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);

    seen = AnswerNextBox(
        QMessageBox::Yes, [&] { return boxes.show("q", "t", BoxButtons::YesNo, BoxIcon::None); }, &answer);
    EXPECT_EQ(answer, BoxAnswer::Yes);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);

    seen = AnswerNextBox(
        QMessageBox::Ok, [&] { return boxes.show("Done.", "Pressvale", BoxButtons::Ok, BoxIcon::Critical); }, &answer);
    EXPECT_EQ(answer, BoxAnswer::Ok);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

}  // namespace
}  // namespace pv::testing
