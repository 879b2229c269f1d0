// A real-number spin box that shows a few decimals but remembers the exact value it was given.
#pragma once

#include <QDoubleSpinBox>

#include <algorithm>
#include <cmath>

namespace settings {

// The dialog shows margins and the aspect ratio with four decimals. Handing the rounded display
// back on OK would change a setting the user never touched (3 mm shown as 0.1181 inch would come
// back as 2.9997 mm), so the exact value is kept until the user changes what is shown.
class ExactSpinBox final : public QDoubleSpinBox {
public:
    using QDoubleSpinBox::QDoubleSpinBox;

    void setExactValue(double v)
    {
        // A value that is no number would show as "nan" and could never be typed over.
        m_exact = std::clamp(std::isfinite(v) ? v : 0.0, minimum(), maximum());
        setValue(m_exact);
        m_shown = value();
    }

    double exactValue() const { return value() == m_shown ? m_exact : value(); }

private:
    double m_exact = 0.0;
    double m_shown = 0.0;
};

} // namespace settings
