#include <cmath>

#include "app/appearance.h"
#include "app/form1.h"
#include "base/guard.h"
#include "base/procedure_ids.h"
#include "list_actions/admission.h"
#include "printing/printer_selection.h"

namespace pv {

void Form1::drawForHomePage()
{
    // About one start in a hundred opens the product's home page.
    services_.random.seed(services_.clock.secondsSinceMidnight());
    const int draw = static_cast<int>(std::floor(services_.random.next() * 100)) + 1;
    if (draw == 7)
        services_.shell.openAddress(config_.homePage);
}

void Form1::Form_Load()
{
    Guard guard(procedure_id::kFormLoad, reports_);
    WindowSurface& window = controls_.window;
    guard.step(100, [&] { ApplyAppearance(services_.fileSystem, window, skin_, config_.programFolder); });
    guard.step(102, [&] { CentreWindow(window); });
    const std::string handCursor = ComposePath(config_.programFolder, "HAND-M.CUR");
    // A hand cursor that cannot be loaded ends this part of the start-up: the home-page
    // draw is passed over and the load goes on with the caption.
    bool cursorLoaded = true;
    if (guard.test(104, [&] { return FileExists(services_.fileSystem, handCursor); })) {
        cursorLoaded = false;
        guard.step(106, [&] {
            window.loadCustomPointer(handCursor);
            cursorLoaded = true;
        });
    }
    if (cursorLoaded)
        guard.step(108, [&] { drawForHomePage(); });
    guard.step(126, [&] { window.setCaption(kApplicationTitle); });
    guard.step(126, [&] { window.setApplicationIcon(); });
    guard.step(128, [&] { controls_.list.addColumn("PDF Files"); });
    guard.step(130, [&] { controls_.list.setColumnWidth(0, 7000); });
    guard.step(132, [&] { FillPrinterList(services_.printers, services_.settings, controls_.combo); });

    ComboBoxControl& combo = controls_.combo;
    int last = -1;
    guard.step(134, [&] { last = combo.count() - 1; });
    for (int i = last; i >= 0; --i) {
        guard.step(136, [&] {
            if (IsHiddenPrinter(combo.item(i)))
                combo.removeItem(i);
        });
    }
}

}  // namespace pv
