// What the settings dialog's files share: its fixed lists and numbers, and the small
// helpers that make its named controls.
#pragma once

#include "settings/ui/exact_spin_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

namespace settings::setup_parts {

inline constexpr double kMmPerInch = 25.4;
inline constexpr double kDefaultMarginMm = 3.0;
// What a frame aspect above the allowed 5 falls back to.
inline constexpr float kFallbackAspect = 1.3333333f;
inline constexpr float kMagFactors[3] = {0.7f, 1.0f, 1.5f};

inline const QStringList kLoadFilters = {"Box", "Triangle", "Hermitite", "Bell", "Spline", "Lanczos3", "Mitchell"};
inline const QStringList kPrintFilters = {"Don't Resample ",    "Use Box Filter",     "Use Triangle Filter",
                                   "Use Hermitite Filter", "Use Bell Filter",  "Use Spline Filter",
                                   "Use Lanczos3 Filter", "Use Mitchell Filter"};

template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

inline QCheckBox* checkBox(const QString& caption, const char* name, QWidget* parent)
{
    return named(new QCheckBox(caption, parent), name);
}

inline QSpinBox* intSpin(int min, int max, int step, const char* name, QWidget* parent)
{
    auto* spin = named(new QSpinBox(parent), name);
    spin->setRange(min, max);
    spin->setSingleStep(step);
    return spin;
}

inline ExactSpinBox* realSpin(double min, double max, double step, const char* name, QWidget* parent)
{
    auto* spin = named(new ExactSpinBox(parent), name);
    spin->setDecimals(4);
    spin->setRange(min, max);
    spin->setSingleStep(step);
    return spin;
}

inline QComboBox* listBox(const QStringList& items, const char* name, QWidget* parent)
{
    auto* box = named(new QComboBox(parent), name);
    box->addItems(items);
    return box;
}

// A stored index outside the list shows no entry, and keeps the stored value unless the user
// picks one, so a damaged setting is never replaced by -1.
inline void showIndex(QComboBox* box, std::int32_t index)
{
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

inline std::int32_t chosenIndex(const QComboBox* box, std::int32_t old)
{
    return box->currentIndex() >= 0 ? box->currentIndex() : old;
}

inline QString unitName(bool metric) { return metric ? QStringLiteral("mm") : QStringLiteral("Inch"); }

inline QString fromStd(const std::string& s) { return QString::fromStdString(s); }

} // namespace settings::setup_parts
