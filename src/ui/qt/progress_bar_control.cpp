#include "ui/qt/progress_bar_control.h"

#include <algorithm>
#include <cmath>

#include <QProgressBar>

namespace pv {

void ProgressBarAdapter::setValue(double value)
{
    // Qt's bar takes whole numbers; a share of the list is shown to the nearest step.
    const double onScale = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 100.0);
    bar_.setValue(static_cast<int>(std::lround(onScale)));
}

}  // namespace pv
