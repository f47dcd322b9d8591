#pragma once

#include "window_contract/window_controls.h"

class QProgressBar;

namespace pv {

// ProgressBar1 through a QProgressBar with the scale 0 to 100.
class ProgressBarAdapter final : public ProgressBarControl {
public:
    explicit ProgressBarAdapter(QProgressBar& bar) : bar_(bar) {}
    void setValue(double value) override;

private:
    QProgressBar& bar_;
};

}  // namespace pv
