#pragma once

#include <windows.h>

#include "services/dialogs.h"

namespace pv {

// Modal message boxes through MessageBoxW, over the owner window once it is known.
class Win32MessageBoxes final : public MessageBoxes {
public:
    BoxAnswer show(const std::string& text, const std::string& title, BoxButtons buttons, BoxIcon icon) override;

    void setOwner(HWND owner) { owner_ = owner; }

private:
    HWND owner_ = nullptr;
};

}  // namespace pv
