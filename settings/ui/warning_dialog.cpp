#include "settings/ui/warning_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

namespace settings {

bool loadWarningApplies(const Settings& s)
{
    return s.OLW && (s.En_CurveOnLoad || s.autorotate || s.autocentre || s.resample_on_load_Size != 100);
}

QString loadWarningText(const Settings& s)
{
    QString text;
    if (s.resample_on_load_Size != 100)
        text += WarningDialog::tr("Resampled @ %1%").arg(s.resample_on_load_Size) + "\n";
    if (s.En_CurveOnLoad)
        text += WarningDialog::tr("Re-Contrasted with %1")
                    .arg(QString::fromStdString(std::filesystem::path(s.ApplyCurve).filename().string())) +
                "\n";
    if (s.autorotate)
        text += WarningDialog::tr("Autorated") + "\n";
    if (s.autocentre)
        text += WarningDialog::tr("AutoCentred");
    return text;
}

WarningDialog::WarningDialog(Settings& s, QWidget* parent) : QDialog(parent), m_settings(s)
{
    setObjectName("Warning");
    setWindowTitle(tr("Warning - Image Load Settings are active !"));
    resize(342, 178);
    auto* group = new QGroupBox(tr("All loaded image files will be "), this);
    Label1 = new QLabel(loadWarningText(s), group);
    Label1->setObjectName("Label1");
    auto* inGroup = new QVBoxLayout(group);
    inGroup->addWidget(Label1);
    DontShow = new QCheckBox(tr("Don't show this message again "), this);
    DontShow->setObjectName("DontShow");
    BitBtn1 = new QPushButton(tr("OK"), this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(tr("Cancel"), this);
    BitBtn2->setObjectName("BitBtn2");
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* column = new QVBoxLayout(this);
    column->addWidget(group, 1);
    column->addWidget(DontShow);
    column->addLayout(buttons);
}

void WarningDialog::done(int result)
{
    m_settings.OLW = !DontShow->isChecked();
    QDialog::done(result);
}

bool confirmLoadSettings(Settings& s, QWidget* parent)
{
    if (!loadWarningApplies(s))
        return true;
    WarningDialog dialog(s, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace settings
