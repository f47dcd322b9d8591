#pragma once

#include <windows.h>

#include "ui/win32/subclassed_control.h"
#include "ui/win32/window_look.h"
#include "window_contract/window_controls.h"

namespace pv {

// ProgressBar1: a PROGRESS_CLASS bar on the scale 0 to 100, drawn by the program in the
// window's look (its background, border, corners and the bar in the selection colour).
class ProgressBar final : public ProgressBarControl, public SubclassedControl {
public:
    ProgressBar(HWND bar, const WindowLook& look);

    void setValue(double value) override;

private:
    LRESULT onMessage(UINT message, WPARAM w, LPARAM l) override;
    void paint() const;
};

}  // namespace pv
