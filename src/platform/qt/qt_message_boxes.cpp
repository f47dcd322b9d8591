#include "platform/qt/qt_message_boxes.h"

#include <QMessageBox>

namespace pv {

QString MessageBoxDisplayText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

namespace {

QMessageBox::Icon QtIcon(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Exclamation:
        return QMessageBox::Warning;
    case BoxIcon::Critical:
        return QMessageBox::Critical;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

BoxAnswer QtMessageBoxes::show(const std::string& text, const std::string& title, BoxButtons buttons, BoxIcon icon)
{
    QMessageBox box(owner_);
    box.setWindowModality(Qt::ApplicationModal);
    box.setIcon(QtIcon(icon));
    box.setWindowTitle(QString::fromStdString(title));
    // Paths and printer names may hold '<' and '&': never read the text as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(MessageBoxDisplayText(text));
    if (buttons == BoxButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (buttons == BoxButtons::Ok)
        return BoxAnswer::Ok;
    return answer == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

}  // namespace pv
