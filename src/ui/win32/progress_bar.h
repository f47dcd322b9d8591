#pragma once

#include <windows.h>

#include "ui/win32/window_look.h"
#include "window_contract/window_controls.h"

namespace pv {

// ProgressBar1: a PROGRESS_CLASS bar on the scale 0 to 100, drawn by the program in the
// window's look (its background, border, corners and the bar in the selection colour).
class ProgressBar final : public ProgressBarControl {
public:
    ProgressBar(HWND bar, const WindowLook& look);
    ~ProgressBar() override;
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void setValue(double value) override;

private:
    static LRESULT CALLBACK subclassProcedure(HWND bar, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self);
    void paint() const;

    HWND bar_;
    const WindowLook& look_;
};

}  // namespace pv
