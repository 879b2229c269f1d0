#include "settings/ui/resample_dialog.h"
#include "settings/ui/setup_form_parts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace settings {
namespace {

constexpr int kDefaultFilter = 5;

template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

ResampleDialog::ResampleDialog(Settings& s, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_s(s)
{
    setObjectName("Resamp_Dialog");
    auto* outer = new QVBoxLayout(this);
    auto* group = named(new QGroupBox(tr("Resample images  "), this), "GroupBox9");
    outer->addWidget(group);
    auto* grid = new QGridLayout(group);

    grid->addWidget(named(new QLabel(tr("Size"), group), "Label8"), 0, 0);
    Manual_Resamp_Size = named(new QSpinBox(group), "Manual_Resamp_Size");
    Manual_Resamp_Size->setRange(5, 1000);
    Manual_Resamp_Size->setSingleStep(25);
    Manual_Resamp_Size->setValue(s.Manual_Resamp_Size);
    grid->addWidget(Manual_Resamp_Size, 0, 1);
    grid->addWidget(named(new QLabel(tr("%"), group), "Label1"), 0, 2);
    grid->addWidget(named(new QLabel(tr("of original image size "), group), "Label10"), 1, 0, 1, 3);

    grid->addWidget(named(new QLabel(tr("Using the "), group), "Label9"), 2, 0, 1, 3);
    Resamp_onload_Filter = named(new QComboBox(group), "Resamp_onload_Filter");
    Resamp_onload_Filter->addItems(setup_parts::shownNames(setup_parts::kLoadFilters));
    // A stored index outside the list would select nothing and then be written back.
    const int filter = s.Manual_Resamp_Filter;
    Resamp_onload_Filter->setCurrentIndex(filter >= 0 && filter < Resamp_onload_Filter->count() ? filter : kDefaultFilter);
    grid->addWidget(Resamp_onload_Filter, 3, 0, 1, 3);
    grid->addWidget(named(new QLabel(tr("filter "), group), "Label11"), 4, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = named(new QPushButton(tr("OK"), this), "BitBtn1");
    ok->setDefault(true);
    auto* cancel = named(new QPushButton(tr("Cancel"), this), "BitBtn2");
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &ResampleDialog::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Connected after the initial values, so opening the dialog changes no setting.
    connect(Manual_Resamp_Size, &QSpinBox::valueChanged, this, &ResampleDialog::controlChanged);
    connect(Resamp_onload_Filter, &QComboBox::currentIndexChanged, this, &ResampleDialog::controlChanged);

    // 230 x 150 as designed, but never smaller than its texts need: the style's spin box,
    // list and fonts, and a scaled screen, ask for more than the original's.
    ensurePolished();
    setFixedSize(sizeHint().expandedTo(QSize(230, 150)));
}

void ResampleDialog::BitBtn1Click()
{
    done(kOkResult);
}

void ResampleDialog::controlChanged()
{
    m_s.Settings_Changed = true;
}

void ResampleDialog::done(int result)
{
    m_s.Manual_Resamp_Size = Manual_Resamp_Size->value();
    m_s.Manual_Resamp_Filter = Resamp_onload_Filter->currentIndex();
    QDialog::done(result);
}

void ResampleDialog::showEvent(QShowEvent* event)
{
    // Without a frame the window manager does not place it: centre it on its owner.
    if (QWidget* owner = parentWidget())
        move(owner->window()->geometry().center() - rect().center());
    QDialog::showEvent(event);
}

} // namespace settings
