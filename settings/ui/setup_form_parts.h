// What the settings dialog's files share: its fixed lists and numbers, and the small
// helpers that make its named controls.
#pragma once

#include "settings/ui/exact_spin_box.h"

#include "core/translatable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QSpinBox>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <string>

namespace settings::setup_parts {

inline constexpr double kMmPerInch = 25.4;
inline constexpr double kDefaultMarginMm = 3.0;
// What a frame aspect above the allowed 5 falls back to.
inline constexpr float kFallbackAspect = 1.3333333f;
inline constexpr float kMagFactors[3] = {0.7f, 1.0f, 1.5f};

// The resampling filters in filter-index order, and the choices for printing: none, then
// each filter. Shown translated (shownNames).
inline constexpr const char* kLoadFilters[] = {
    QT_TRANSLATE_NOOP("Paginor", "Box"),    QT_TRANSLATE_NOOP("Paginor", "Triangle"), QT_TRANSLATE_NOOP("Paginor", "Hermitite"),
    QT_TRANSLATE_NOOP("Paginor", "Bell"),   QT_TRANSLATE_NOOP("Paginor", "Spline"),   QT_TRANSLATE_NOOP("Paginor", "Lanczos3"),
    QT_TRANSLATE_NOOP("Paginor", "Mitchell")};
inline constexpr const char* kPrintFilters[] = {
    QT_TRANSLATE_NOOP("Paginor", "Don't Resample "),      QT_TRANSLATE_NOOP("Paginor", "Use Box Filter"),
    QT_TRANSLATE_NOOP("Paginor", "Use Triangle Filter"),  QT_TRANSLATE_NOOP("Paginor", "Use Hermitite Filter"),
    QT_TRANSLATE_NOOP("Paginor", "Use Bell Filter"),      QT_TRANSLATE_NOOP("Paginor", "Use Spline Filter"),
    QT_TRANSLATE_NOOP("Paginor", "Use Lanczos3 Filter"),  QT_TRANSLATE_NOOP("Paginor", "Use Mitchell Filter")};

template <std::size_t N>
QStringList shownNames(const char* const (&names)[N])
{
    QStringList shown;
    for (const char* name : names)
        shown << QCoreApplication::translate("Paginor", name);
    return shown;
}

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

inline QString unitName(bool metric)
{
    return metric ? QCoreApplication::translate("Paginor", "mm") : QCoreApplication::translate("Paginor", "Inch");
}

inline QString fromStd(const std::string& s) { return QString::fromStdString(s); }

} // namespace settings::setup_parts
