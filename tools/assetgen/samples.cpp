#include "samples.h"

#include <cstdio>

#include "pdf_writer.h"

namespace pv::assetgen {

namespace {

constexpr double kLeft = 56;
constexpr double kRight = PdfPage::kWidth - 56;
constexpr Colour kInk = Rgb(0x0F172A);
constexpr Colour kMuted = Rgb(0x64748B);
constexpr Colour kRule = Rgb(0xCBD5E1);
constexpr Colour kAccent = Rgb(0x1D4ED8);
constexpr Colour kAccentPale = Rgb(0xEFF6FF);
constexpr Colour kAmber = Rgb(0xF59E0B);
constexpr Colour kWhite = Rgb(0xFFFFFF);

void Footer(PdfPage& page, const char* note)
{
    page.line(kLeft, 800, kRight, 800, 0.5, kRule);
    page.text(kLeft, 814, note, Font::Helvetica, 8, kMuted);
    page.textRight(kRight, 814, "Sample document for Pressvale", Font::Helvetica, 8, kMuted);
}

std::string Money(long cents)
{
    // Whole units with thousands separators, then two decimals.
    const std::string units = std::to_string(cents / 100);
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (i > 0 && (units.size() - i) % 3 == 0)
            text += ',';
        text += units[i];
    }
    char decimals[8];
    std::snprintf(decimals, sizeof decimals, ".%02ld", cents % 100);
    return text + decimals;
}

std::string Invoice()
{
    PdfPage page;
    page.fillRect(0, 0, PdfPage::kWidth, 10, kAccent);

    page.text(kLeft, 78, "Harbour Lane Stationers", Font::HelveticaBold, 20, kInk);
    page.text(kLeft, 96, "14 Harbour Lane, Kettleby KB3 9QT", Font::Helvetica, 9.5, kMuted);
    page.text(kLeft, 109, "accounts@harbourlane.example  |  01632 960 418", Font::Helvetica, 9.5, kMuted);

    page.textRight(kRight, 78, "INVOICE", Font::HelveticaBold, 26, kAccent);
    const char* facts[][2] = {{"Invoice no.", "HL-2025-0142"}, {"Date", "3 March 2025"}, {"Due", "2 April 2025"}};
    double y = 98;
    for (const auto& [label, value] : facts) {
        page.textRight(kRight - 90, y, label, Font::Helvetica, 9.5, kMuted);
        page.textRight(kRight, y, value, Font::HelveticaBold, 9.5, kInk);
        y += 14;
    }

    page.fillRect(kLeft, 150, 230, 84, kAccentPale);
    page.text(kLeft + 12, 168, "BILL TO", Font::HelveticaBold, 8.5, kAccent);
    const char* billTo[] = {"Quill & Kettle Cafe", "Attn. Marta Oduya", "7 Mill Street", "Brackenford BF2 4LN"};
    y = 186;
    for (const char* line : billTo) {
        page.text(kLeft + 12, y, line, line == billTo[0] ? Font::HelveticaBold : Font::Helvetica, 10, kInk);
        y += 13;
    }

    struct Item {
        const char* description;
        int quantity;
        long unitCents;
    };
    const Item items[] = {
        {"A4 copier paper, 80 g/m2, box of 5 reams", 4, 2490},
        {"Laser toner cartridge, black", 2, 5800},
        {"Ring binders, 40 mm, pack of 10", 3, 1250},
        {"Document wallets, assorted colours", 6, 320},
        {"Printer maintenance visit", 1, 4500},
    };
    const double qtyRight = 352, unitRight = 446, amountRight = kRight - 8;
    y = 262;
    page.fillRect(kLeft, y, kRight - kLeft, 24, kAccent);
    page.text(kLeft + 8, y + 16, "Description", Font::HelveticaBold, 10, kWhite);
    page.textRight(qtyRight, y + 16, "Qty", Font::HelveticaBold, 10, kWhite);
    page.textRight(unitRight, y + 16, "Unit price", Font::HelveticaBold, 10, kWhite);
    page.textRight(amountRight, y + 16, "Amount (EUR)", Font::HelveticaBold, 10, kWhite);
    y += 24;
    long subtotal = 0;
    for (const Item& item : items) {
        const long amount = item.quantity * item.unitCents;
        subtotal += amount;
        page.text(kLeft + 8, y + 17, item.description, Font::Helvetica, 10, kInk);
        page.textRight(qtyRight, y + 17, std::to_string(item.quantity), Font::Helvetica, 10, kInk);
        page.textRight(unitRight, y + 17, Money(item.unitCents), Font::Helvetica, 10, kInk);
        page.textRight(amountRight, y + 17, Money(amount), Font::Helvetica, 10, kInk);
        y += 26;
        page.line(kLeft, y, kRight, y, 0.5, kRule);
    }

    const long vat = (subtotal * 20 + 50) / 100;
    y += 24;
    page.textRight(unitRight, y, "Subtotal", Font::Helvetica, 10, kMuted);
    page.textRight(amountRight, y, Money(subtotal), Font::Helvetica, 10, kInk);
    y += 18;
    page.textRight(unitRight, y, "VAT 20%", Font::Helvetica, 10, kMuted);
    page.textRight(amountRight, y, Money(vat), Font::Helvetica, 10, kInk);
    y += 14;
    page.fillRect(unitRight - 90, y, amountRight + 8 - (unitRight - 90), 30, kAccent);
    page.text(unitRight - 80, y + 20, "Total due", Font::HelveticaBold, 12, kWhite);
    page.textRight(amountRight, y + 20, "EUR " + Money(subtotal + vat), Font::HelveticaBold, 12, kWhite);

    y += 80;
    page.text(kLeft, y, "Payment", Font::HelveticaBold, 10, kInk);
    for (const std::string& line :
         WrapText("Please pay within 30 days by bank transfer to Harbour Lane Stationers, account "
                  "GB00 HLST 4012 3456 7890 12, quoting the invoice number. Goods remain our property "
                  "until paid in full.",
                  Font::Helvetica, 10, 300)) {
        y += 14;
        page.text(kLeft, y, line, Font::Helvetica, 10, kMuted);
    }
    page.textRight(kRight, y, "Thank you for your order.", Font::HelveticaBold, 11, kAccent);

    Footer(page, "Harbour Lane Stationers  |  Registered in Kettleby no. 0481 2293");
    return PdfFileBytes(page, "Invoice HL-2025-0142");
}

std::string Letter()
{
    PdfPage page;
    page.fillCircle(kLeft + 16, 70, 16, kAccent);
    page.fillRect(kLeft + 9, 62, 14, 3, kWhite);
    page.fillRect(kLeft + 9, 68, 14, 3, kWhite);
    page.fillRect(kLeft + 9, 74, 10, 3, kWhite);
    page.text(kLeft + 42, 68, "Northgate Community Library", Font::HelveticaBold, 16, kInk);
    page.text(kLeft + 42, 82, "Lending Services", Font::Helvetica, 10, kMuted);
    const char* address[] = {"2 Chapel Row", "Northgate NG7 1AP", "lending@northgate-library.example"};
    double y = 58;
    for (const char* line : address) {
        page.textRight(kRight, y, line, Font::Helvetica, 9, kMuted);
        y += 12;
    }
    page.line(kLeft, 104, kRight, 104, 1, kAccent);

    page.text(kLeft, 150, "12 May 2025", Font::Helvetica, 11, kInk);
    const char* recipient[] = {"Mr Tobias Castellan", "41 Orchard Way", "Northgate NG7 3RD"};
    y = 186;
    for (const char* line : recipient) {
        page.text(kLeft, y, line, Font::Helvetica, 11, kInk);
        y += 15;
    }

    y = 262;
    page.text(kLeft, y, "Your reserved books are ready to collect", Font::HelveticaBold, 12, kInk);
    y += 28;
    page.text(kLeft, y, "Dear Mr Castellan,", Font::Helvetica, 11, kInk);
    const char* paragraphs[] = {
        "Thank you for your reservations. The three titles you asked for have arrived at the Chapel Row "
        "branch and are waiting for you at the lending desk. We will keep them for you until Saturday "
        "31 May; after that date they go to the next reader on the list.",
        "You can collect them during our usual opening hours, Monday to Friday from 9 am to 7 pm and on "
        "Saturdays from 10 am to 4 pm. Please bring your library card, or any document with your name and "
        "address if you have misplaced it, and we will issue a replacement at no charge.",
        "If you would rather have the books delivered, our home library service visits Orchard Way every "
        "second Thursday. Simply reply to this letter or write to the address above, and we will add you "
        "to the next round.",
        "We look forward to seeing you soon.",
    };
    for (const char* paragraph : paragraphs) {
        y += 10;
        for (const std::string& line : WrapText(paragraph, Font::Helvetica, 11, kRight - kLeft)) {
            y += 16;
            page.text(kLeft, y, line, Font::Helvetica, 11, kInk);
        }
    }
    y += 34;
    page.text(kLeft, y, "Yours sincerely,", Font::Helvetica, 11, kInk);
    y += 48;
    page.text(kLeft, y, "Ines Varga", Font::HelveticaBold, 11, kInk);
    page.text(kLeft, y + 15, "Head of Lending Services", Font::Helvetica, 10, kMuted);

    Footer(page, "Northgate Community Library  |  Open to everyone, free of charge");
    return PdfFileBytes(page, "Letter to Tobias Castellan");
}

std::string Chart()
{
    PdfPage page;
    page.text(kLeft, 74, "Pages printed per month", Font::HelveticaBold, 22, kInk);
    page.text(kLeft, 94, "Office printers, year to date. Colour and black-and-white pages.", Font::Helvetica, 11,
              kMuted);

    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int mono[] = {1820, 2140, 2460, 1990, 2310, 2080, 1460, 1210, 2380, 2620, 2550, 1900};
    const int colour[] = {620, 710, 880, 690, 940, 760, 540, 430, 820, 1010, 970, 1180};
    const double chartLeft = kLeft + 40, chartRight = kRight, chartTop = 150, chartBottom = 450;
    const int maxValue = 3000;
    const auto yOf = [&](int value) { return chartBottom - (chartBottom - chartTop) * value / maxValue; };
    for (int value = 0; value <= maxValue; value += 500) {
        page.line(chartLeft, yOf(value), chartRight, yOf(value), value == 0 ? 1 : 0.4, value == 0 ? kInk : kRule);
        page.textRight(chartLeft - 8, yOf(value) + 3, std::to_string(value), Font::Helvetica, 8.5, kMuted);
    }
    const double slot = (chartRight - chartLeft) / 12;
    for (int m = 0; m < 12; ++m) {
        const double x = chartLeft + slot * m + slot * 0.14;
        const double bar = slot * 0.34;
        page.fillRect(x, yOf(mono[m]), bar, chartBottom - yOf(mono[m]), kAccent);
        page.fillRect(x + bar, yOf(colour[m]), bar, chartBottom - yOf(colour[m]), kAmber);
        page.textCentred(chartLeft + slot * (m + 0.5), chartBottom + 16, months[m], Font::Helvetica, 9, kInk);
    }
    page.fillRect(chartLeft, 478, 10, 10, kAccent);
    page.text(chartLeft + 16, 487, "Black and white", Font::Helvetica, 9.5, kInk);
    page.fillRect(chartLeft + 120, 478, 10, 10, kAmber);
    page.text(chartLeft + 136, 487, "Colour", Font::Helvetica, 9.5, kInk);

    page.text(kLeft, 548, "Share of pages by department", Font::HelveticaBold, 14, kInk);
    struct Share {
        const char* name;
        int percent;
        Colour colour;
    };
    const Share shares[] = {
        {"Accounts", 34, kAccent},         {"Sales", 27, Rgb(0x3B82F6)}, {"Design", 21, kAmber},
        {"Operations", 12, Rgb(0x10B981)}, {"Other", 6, Rgb(0x94A3B8)},
    };
    double y = 570;
    const double barLeft = kLeft + 90, barWidth = kRight - barLeft - 40;
    for (const Share& share : shares) {
        page.text(kLeft, y + 12, share.name, Font::Helvetica, 10, kInk);
        page.fillRect(barLeft, y, barWidth, 16, Rgb(0xF1F5F9));
        page.fillRect(barLeft, y, barWidth * share.percent / 40.0, 16, share.colour);
        page.text(barLeft + barWidth * share.percent / 40.0 + 6, y + 12, std::to_string(share.percent) + "%",
                  Font::HelveticaBold, 10, kInk);
        y += 28;
    }
    page.text(kLeft, y + 14, "Total this year: 37,460 pages, of which 10,550 in colour.", Font::Helvetica, 10, kMuted);

    Footer(page, "Figures are invented for this sample.");
    return PdfFileBytes(page, "Pages printed per month");
}

std::string TestPage()
{
    PdfPage page;
    // Corner marks show where the printable area ends.
    const double inset = 24, arm = 28;
    for (double x : {inset, PdfPage::kWidth - inset}) {
        for (double y : {inset, PdfPage::kHeight - inset}) {
            const double dx = x < PdfPage::kWidth / 2 ? arm : -arm;
            const double dy = y < PdfPage::kHeight / 2 ? arm : -arm;
            page.line(x, y, x + dx, y, 1, kInk);
            page.line(x, y, x, y + dy, 1, kInk);
        }
    }

    page.text(kLeft, 82, "Printer Test Page", Font::HelveticaBold, 26, kInk);
    page.text(kLeft, 104, "When this page prints cleanly, the printer and Pressvale are working together.",
              Font::Helvetica, 11, kMuted);

    page.text(kLeft, 146, "Colours", Font::HelveticaBold, 12, kInk);
    struct Swatch {
        const char* name;
        Colour colour;
    };
    const Swatch swatches[] = {{"Cyan", Rgb(0x00AEEF)},  {"Magenta", Rgb(0xEC008C)}, {"Yellow", Rgb(0xFFF200)},
                               {"Black", Rgb(0x000000)}, {"Red", Rgb(0xE11D48)},     {"Green", Rgb(0x16A34A)},
                               {"Blue", kAccent}};
    const double swatchStep = (kRight - kLeft) / 7;
    for (int i = 0; i < 7; ++i) {
        const double x = kLeft + swatchStep * i;
        page.fillRect(x, 156, swatchStep - 8, 44, swatches[i].colour);
        page.text(x, 214, swatches[i].name, Font::Helvetica, 9, kInk);
    }

    page.text(kLeft, 252, "Grey scale", Font::HelveticaBold, 12, kInk);
    const double greyStep = (kRight - kLeft) / 11;
    for (int i = 0; i <= 10; ++i) {
        const double level = 1.0 - i / 10.0;
        page.fillRect(kLeft + greyStep * i, 262, greyStep, 30, {level, level, level});
        page.textCentred(kLeft + greyStep * (i + 0.5), 306, std::to_string(i * 10) + "%", Font::Helvetica, 8.5, kInk);
    }
    page.strokeRect(kLeft, 262, kRight - kLeft, 30, 0.5, kInk);

    page.text(kLeft, 344, "Line weights", Font::HelveticaBold, 12, kInk);
    const double weights[] = {0.25, 0.5, 1, 2, 4};
    double y = 366;
    for (double weight : weights) {
        char label[16];
        std::snprintf(label, sizeof label, "%g pt", weight);
        page.text(kLeft, y + 3, label, Font::Helvetica, 9, kInk);
        page.line(kLeft + 50, y, kLeft + 250, y, weight, kInk);
        y += 20;
    }

    // A target of rings to check that circles stay round.
    const double cx = kRight - 110, cy = 420;
    for (int ring = 6; ring >= 1; --ring)
        page.fillCircle(cx, cy, ring * 12, ring % 2 == 0 ? kInk : kWhite);
    page.line(cx - 84, cy, cx + 84, cy, 0.5, kAccent);
    page.line(cx, cy - 84, cx, cy + 84, 0.5, kAccent);

    page.text(kLeft, 498, "Type sizes", Font::HelveticaBold, 12, kInk);
    const double sizes[] = {6, 8, 10, 12, 16, 24};
    y = 510;
    for (double size : sizes) {
        y += size + 8;
        char label[16];
        std::snprintf(label, sizeof label, "%g pt", size);
        page.text(kLeft, y, label, Font::Helvetica, 8, kMuted);
        // As much of the sample as fits on one line at this size.
        const auto fitting = WrapText("The quick brown fox jumps over the lazy dog 0123456789", Font::Helvetica, size,
                                      kRight - kLeft - 44);
        page.text(kLeft + 44, y, fitting.front(), Font::Helvetica, size, kInk);
    }

    // A ruler in centimetres: compare it with a real one to check the print scale.
    const double cm = 72 / 2.54;
    const double rulerTop = 730;
    page.text(kLeft, rulerTop - 10, "Ruler (cm)", Font::HelveticaBold, 9, kInk);
    page.line(kLeft, rulerTop, kLeft + 16 * cm, rulerTop, 0.75, kInk);
    for (int mm = 0; mm <= 160; ++mm) {
        const double x = kLeft + mm * cm / 10;
        const double length = mm % 10 == 0 ? 14 : (mm % 5 == 0 ? 9 : 5);
        page.line(x, rulerTop, x, rulerTop + length, mm % 10 == 0 ? 0.75 : 0.4, kInk);
        if (mm % 10 == 0)
            page.textCentred(x, rulerTop + 25, std::to_string(mm / 10), Font::Helvetica, 8, kInk);
    }

    Footer(page, "A4, 210 x 297 mm. Print at 100% (no fit-to-page) for the ruler to be true.");
    return PdfFileBytes(page, "Printer test page");
}

}  // namespace

std::vector<SampleFile> SampleFiles()
{
    return {
        {"Sample Invoice.pdf", Invoice()},
        {"Sample Letter.pdf", Letter()},
        {"Sample Chart.pdf", Chart()},
        {"Printer Test Page.pdf", TestPage()},
    };
}

}  // namespace pv::assetgen
