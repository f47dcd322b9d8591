#pragma once

#include <windows.h>

#include "platform/window_controls.h"

namespace pv {

// ProgressBar1: a PROGRESS_CLASS bar on the scale 0 to 100.
class ProgressBar final : public ProgressBarControl {
public:
    explicit ProgressBar(HWND bar);
    void setValue(double value) override;

private:
    HWND bar_;
};

}  // namespace pv
