#include "ui/qt/skin_style_sheet.h"

#include <QStringList>

#include <optional>

namespace pv {

namespace {

// Skins that name no border or focus colour still get visible edges and a visible focus.
const QString kDefaultBorder = QStringLiteral("palette(mid)");
const QString kDefaultFocus = QStringLiteral("palette(highlight)");

QString Css(SkinColour colour)
{
    return QString::asprintf("#%02x%02x%02x", colour.red, colour.green, colour.blue);
}

// One rule: selectors and the declarations that were given a value.
class Rule {
public:
    explicit Rule(QString selectors) : selectors_(std::move(selectors)) {}

    Rule& set(const char* property, const QString& value)
    {
        declarations_ << QStringLiteral("    %1: %2;").arg(QLatin1String(property), value);
        return *this;
    }
    Rule& set(const char* property, const std::optional<SkinColour>& colour)
    {
        return colour ? set(property, Css(*colour)) : *this;
    }
    Rule& setPixels(const char* property, const std::optional<int>& pixels)
    {
        return pixels ? set(property, QStringLiteral("%1px").arg(*pixels)) : *this;
    }
    Rule& setFont(const SkinFont& font)
    {
        if (font.family) {
            // The skin file admits no quote, backslash, semicolon or brace; a skin built in
            // code is held to the same so that it cannot break out of the declaration.
            QString family = QString::fromStdString(*font.family);
            family.removeIf([](QChar c) { return QStringView(u"\"\\;{}").contains(c); });
            set("font-family", QStringLiteral("\"%1\"").arg(family));
        }
        if (font.pointSize)
            set("font-size", QStringLiteral("%1pt").arg(*font.pointSize));
        if (font.bold)
            set("font-weight", *font.bold ? QStringLiteral("bold") : QStringLiteral("normal"));
        return *this;
    }

    QString text() const
    {
        if (declarations_.isEmpty())
            return {};
        return selectors_ + QStringLiteral(" {\n") + declarations_.join(QLatin1Char('\n')) + QStringLiteral("\n}\n");
    }

private:
    QString selectors_;
    QStringList declarations_;
};

// "A:state, B:state" for every selector of the list.
QString Each(const QStringList& selectors, const QString& suffix = {})
{
    QStringList joined;
    for (const QString& selector : selectors)
        joined << selector + suffix;
    return joined.join(QStringLiteral(", "));
}

QString Border(int width, const std::optional<SkinColour>& colour, const QString& fallback)
{
    return QStringLiteral("%1px solid %2").arg(width).arg(colour ? Css(*colour) : fallback);
}

// Rounded corners where the part has them.
std::optional<int> Radius(int radius)
{
    return radius > 0 ? std::optional(radius) : std::nullopt;
}

QString Padding(int vertical, int horizontal)
{
    return QStringLiteral("%1px %2px").arg(vertical).arg(horizontal);
}

// A control drawn as a box in the part's colours, border, corners and font.
Rule Boxed(const QString& selectors, const SkinPartLook& part)
{
    Rule rule(selectors);
    rule.set("background-color", part.background)
        .set("color", part.text)
        .set("border", Border(part.borderWidth, part.border, kDefaultBorder))
        .setPixels("border-radius", Radius(part.radius))
        .setFont(part.font);
    return rule;
}

// The resting look of a control that takes the keyboard focus.
Rule FocusableBase(const QStringList& selectors, const SkinPartLook& part, int paddingV, int paddingH)
{
    Rule rule = Boxed(Each(selectors), part);
    rule.set("padding", Padding(paddingV + 1, paddingH + 1));
    return rule;
}

// Its focused look: a border one pixel thicker in the focus colour with one pixel less
// padding, so that nothing moves.
QString Focused(const QStringList& selectors, const SkinPartLook& part, int paddingV, int paddingH)
{
    return Rule(Each(selectors, QStringLiteral(":focus")))
        .set("border", Border(part.borderWidth + 1, part.focus, kDefaultFocus))
        .set("padding", Padding(paddingV, paddingH))
        .text();
}

QString Hover(const QString& selectors, const SkinPartLook& part, bool highlights)
{
    return highlights ? Rule(selectors).set("background-color", part.hoverBackground).text() : QString();
}

QString Buttons(const QStringList& selectors, const SkinPartLook& part, bool highlights, int paddingV, int paddingH)
{
    // Pressed comes after hover: a button pressed under the mouse shows as pressed.
    return FocusableBase(selectors, part, paddingV, paddingH).text() + Focused(selectors, part, paddingV, paddingH) +
           Hover(Each(selectors, QStringLiteral(":hover")), part, highlights) +
           Rule(Each(selectors, QStringLiteral(":pressed"))).set("background-color", part.pressedBackground).text();
}

QString ListView(const SkinLook& look)
{
    const SkinPartLook& part = *look.list;
    const QStringList list = {QStringLiteral("#ListView1")};
    QString sheet = FocusableBase(list, part, 0, 0)
                        .set("selection-background-color", part.selection)
                        .set("selection-color", part.selectionText)
                        .text() +
                    Focused(list, part, 0, 0);
    sheet += Hover(QStringLiteral("#ListView1::item:hover"), part, look.hoverHighlights);
    // Selected rows keep the selection colours under the mouse too.
    sheet += Rule(QStringLiteral("#ListView1::item:selected"))
                 .set("background-color", part.selection)
                 .set("color", part.selectionText)
                 .text();
    // The header row, with the column's right edge drawn: users drag it to widen the column.
    const QString line = Border(part.borderWidth, part.border, kDefaultBorder);
    sheet += Rule(QStringLiteral("#ListView1 QHeaderView"))
                 .set("background-color", look.window.background)
                 .set("border", QStringLiteral("none"))
                 .set("border-bottom", line)
                 .text();
    sheet += Rule(QStringLiteral("#ListView1 QHeaderView::section"))
                 .set("background-color", look.window.background)
                 .set("color", part.text)
                 .set("border", QStringLiteral("none"))
                 .set("border-right", line)
                 .set("padding", QStringLiteral("2px 6px"))
                 .setFont(part.font)
                 .text();
    return sheet;
}

QString PrinterBox(const SkinLook& look)
{
    const SkinPartLook& part = *look.printerBox;
    const QStringList box = {QStringLiteral("QComboBox#Combo1")};
    return FocusableBase(box, part, 0, 5).text() + Focused(box, part, 0, 5) +
           Hover(QStringLiteral("QComboBox#Combo1:hover"), part, look.hoverHighlights) +
           Rule(QStringLiteral("QComboBox#Combo1:on")).set("background-color", part.pressedBackground).text() +
           // A styled box draws no arrow of its own: the drop-down button is flat and shows ours.
           Rule(QStringLiteral("QComboBox#Combo1::drop-down"))
               .set("subcontrol-origin", QStringLiteral("padding"))
               .set("subcontrol-position", QStringLiteral("center right"))
               .set("width", QStringLiteral("22px"))
               .set("border", QStringLiteral("none"))
               .text() +
           Rule(QStringLiteral("QComboBox#Combo1::down-arrow"))
               .set("image", QStringLiteral("url(:/pressvale/combo-arrow.png)"))
               .set("width", QStringLiteral("12px"))
               .set("height", QStringLiteral("12px"))
               .text() +
           Rule(QStringLiteral("QComboBox#Combo1 QAbstractItemView"))
               .set("background-color", part.background)
               .set("color", part.text)
               .set("selection-background-color", part.selection)
               .set("selection-color", part.selectionText)
               .text();
}

QString Frame(const SkinPartLook& part)
{
    return Boxed(QStringLiteral("QGroupBox#Frame1"), part).text() +
           Rule(QStringLiteral("QGroupBox#Frame1::title"))
               .set("subcontrol-origin", QStringLiteral("border"))
               .set("subcontrol-position", QStringLiteral("top left"))
               .set("padding", QStringLiteral("3px 8px"))
               .set("color", part.text)
               .text();
}

QString ProgressBar(const SkinPartLook& part)
{
    return Boxed(QStringLiteral("QProgressBar#ProgressBar1"), part).set("text-align", QStringLiteral("center")).text() +
           Rule(QStringLiteral("QProgressBar#ProgressBar1::chunk"))
               .set("background-color", part.selection)
               .setPixels("border-radius", Radius(part.radius) ? std::optional(part.radius - 1) : std::nullopt)
               .text();
}

QString Surface(const QString& selector, const SkinSurfaceLook& window)
{
    return Rule(selector)
        .set("background-color", window.background)
        .set("color", window.text)
        .setFont(window.font)
        .text();
}

}  // namespace

QString SkinStyleSheet(const SkinLook& look)
{
    QString sheet = Surface(QStringLiteral("#Form1"), look.window);
    QStringList buttons;
    for (int i = 1; i <= 6; ++i)
        buttons << QStringLiteral("QPushButton#PushButton%1").arg(i);
    if (look.button)
        sheet += Buttons(buttons, *look.button, look.hoverHighlights, 0, 6);
    if (look.list)
        sheet += ListView(look);
    if (look.printerBox)
        sheet += PrinterBox(look);
    if (look.frame)
        sheet += Frame(*look.frame);
    if (look.progress)
        sheet += ProgressBar(*look.progress);
    if (look.dialogs) {
        sheet += Surface(QStringLiteral("QDialog"), *look.dialogs);
        if (look.button)
            sheet += Buttons({QStringLiteral("QDialog QPushButton")}, *look.button, look.hoverHighlights, 3, 14);
    }
    return sheet;
}

}  // namespace pv
