// The main window's menus, toolbar and bottom panel: what each entry and button is and
// which handler it calls.
#include "app/ui/main_form.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace app {
namespace {

// Toolbar pictures are drawn, not shipped: once for each pixel ratio a screen may have, so
// they stay sharp on a high-density screen.
QIcon drawnIcon(const std::function<void(QPainter&)>& draw)
{
    QIcon icon;
    for (const qreal dpr : {1.0, 2.0, 3.0}) {
        QPixmap pix(QSize(25, 21) * dpr);
        pix.setDevicePixelRatio(dpr);
        pix.fill(Qt::transparent);
        QPainter p(&pix);
        p.setRenderHint(QPainter::Antialiasing, dpr > 1);
        draw(p);
        p.end();
        icon.addPixmap(pix);
    }
    return icon;
}

// A picture from a font glyph.
QIcon glyphIcon(const QString& glyph, QColor colour = QColor(0x20, 0x20, 0x20))
{
    return drawnIcon([&](QPainter& p) {
        p.setRenderHint(QPainter::TextAntialiasing);
        QFont f("DejaVu Sans", 12, QFont::Bold);
        p.setFont(f);
        p.setPen(colour);
        p.drawText(QRect(0, 0, 25, 21), Qt::AlignCenter, glyph);
    });
}

// The print buttons' picture: a printer with a sheet coming out of it.
QIcon printerIcon(bool withList)
{
    return drawnIcon([&](QPainter& p) {
        p.setPen(QColor(0x20, 0x20, 0x20));
        p.setBrush(Qt::white);
        p.drawRect(7, 1, 10, 7);
        p.setBrush(QColor(0x70, 0x70, 0x70));
        p.drawRect(3, 8, 18, 7);
        p.setBrush(Qt::white);
        p.drawRect(7, 13, 10, 6);
        if (withList) {
            p.setPen(QPen(QColor(0x20, 0x60, 0xc0), 2));
            p.drawLine(21, 3, 24, 3);
            p.drawLine(21, 6, 24, 6);
        }
    });
}

} // namespace

QAction* TMain_Form::addEntry(QMenu* menu, const QString& objectName, const QString& caption,
                              void (TMain_Form::*slot)())
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(objectName);
    connect(a, &QAction::triggered, this, slot);
    if (menu->objectName() != "About1")
        m_pageCommands->addAction(a);
    return a;
}

// An entry whose command comes with a later part of the program: shown, never pretending.
QAction* TMain_Form::addLaterEntry(QMenu* menu, const QString& objectName, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(objectName);
    m_pageCommands->addAction(a);
    a->setEnabled(false);
    a->setProperty("notYetBuilt", true);
    return a;
}

void TMain_Form::buildMenus()
{
    QMenuBar* bar = menuBar();
    m_pageCommands = new QActionGroup(this);
    m_pageCommands->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    auto menu = [&](const QString& name, const QString& caption, int helpContext) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(name);
        m->setProperty("helpContext", helpContext);
        m->setToolTipsVisible(true);
        return m;
    };
    QMenu* files = menu("Images1", tr("&Files"), 10);
    connect(files, &QMenu::aboutToShow, this, &TMain_Form::Images1Click);
    addEntry(files, "Load1", tr("&Load Selected"), &TMain_Form::Load1Click);
    addEntry(files, "LoadfromTWAIN1", tr("Load from TWAIN"), &TMain_Form::LoadfromTWAIN1Click);
    addEntry(files, "Addtofilelist1", tr("Add to file list"), &TMain_Form::Addtofilelist1Click);
    addEntry(files, "ClearFilelist1", tr("Clear File list"), &TMain_Form::ClearFilelist1Click)->setEnabled(false);
    addLaterEntry(files, "Delete1", tr("&Remove Selected"));
    addEntry(files, "LoadPages1", tr("Load Page - Zip"), &TMain_Form::LoadPages1Click);
    addEntry(files, "SavePages1", tr("Save Page - Zip"), &TMain_Form::SavePages1Click);

    QMenu* select = menu("Select1", tr("&Select"), 11);
    addLaterEntry(select, "All1", tr("&Select All"));
    addLaterEntry(select, "DeSelectAll1", tr("&DeSelect All"));

    QMenu* print = menu("Print1", tr("&Print"), 12);
    addEntry(print, "PrintPreview1", tr("Print Preview "), &TMain_Form::PrintPreview1Click);
    addEntry(print, "Print2", tr("&Print to printer"), &TMain_Form::Print2Click);
    addEntry(print, "Printtofile1", tr("Print to image file"), &TMain_Form::Printtofile1Click);

    QMenu* setup = menu("Setup1", tr("S&etup"), 999);
    addEntry(setup, "Settings1", tr("&Settings"), &TMain_Form::Set_Up_Settings);
    addEntry(setup, "Printer_Setup", tr("&Printer Setup"), &TMain_Form::Printer_SetupClick);

    QMenu* about = menu("About1", tr("&About"), 14);
    addEntry(about, "About2", tr("&About"), &TMain_Form::About2Click);
    addEntry(about, "Help1", tr("Help"), &TMain_Form::Help)->setShortcut(QKeySequence::HelpContents);
    addEntry(about, "Quit_Btn", tr("&Quit"), &TMain_Form::Quit_BtnClick);
    about->addSeparator();
    addEntry(about, "HomePage1", tr("Home Page"), &TMain_Form::HomePageClick);
    addEntry(about, "Email1", tr("Email"), &TMain_Form::EmailClick);

    QAction* quit = bar->addAction(tr("&Quit"));
    quit->setObjectName("Quit1");
    connect(quit, &QAction::triggered, this, &TMain_Form::Quit1Click);

    auto* f1 = new QAction(this);
    f1->setShortcut(QKeySequence::HelpContents);
    connect(f1, &QAction::triggered, this, &TMain_Form::Help);
    addAction(f1);
}

QToolButton* TMain_Form::addButton(const QString& objectName, const QString& hint, const QString& glyph, bool enabled)
{
    auto* b = new QToolButton(ToolBar1);
    b->setObjectName(objectName);
    b->setToolTip(hint);
    b->setIcon(glyphIcon(glyph));
    b->setIconSize(QSize(25, 21));
    b->setFixedSize(32, 27);
    b->setAutoRaise(true);
    b->setEnabled(enabled);
    // A widget on a toolbar is shown and hidden through its action.
    b->setProperty("toolBarAction", QVariant::fromValue(ToolBar1->addWidget(b)));
    return b;
}

void TMain_Form::buildToolBar()
{
    // The title names the bar in its right-click menu; the object keeps its own name.
    ToolBar1 = addToolBar(tr("Toolbar"));
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    // At least 30 high, but not fixed: the overflow button of a narrow window
    // shows the hidden buttons by letting the bar grow downwards, which a fixed height
    // forbids (the click then showed nothing).
    ToolBar1->setMinimumHeight(30);
    ToolBar1->setIconSize(QSize(25, 21));

    // Buttons whose commands come with later parts of the program start disabled.
    connect(addButton("tb_load", tr("load image(s) "), u8"\u21E9", true), &QToolButton::clicked, this,
            &TMain_Form::tb_loadClick);
    connect(addButton("tb_load_next", tr("load image(s) from list"), u8"\u21CA", false), &QToolButton::clicked, this,
            &TMain_Form::tb_load_nextClick);
    addButton("tb_bin", tr("remove selected image(s) from frame(s)"), u8"\u2716", false);
    ToolBar1->addSeparator();
    addButton("tb_rotate", tr("rotate selected image(s)"), u8"\u21BB", false);
    addButton("tb_flip_Vert", tr("flip selected image(s) - vertically"), u8"\u21C5", false);
    addButton("tb_flip_horiz", tr("flip selected image(s) - horizontally"), u8"\u21C6", false);
    QToolButton* ar = addButton("tb_ar", tr("set aspect ratio to match selected image"), u8"\u25AD", false);
    connect(ar, &QToolButton::clicked, this, &TMain_Form::tb_arClick);
    addButton("Centre_btn", tr("set image size to match\nframe size & centre\non selected frames."), u8"\u29C8", false);
    ToolBar1->addSeparator();

    auto* label2 = new QLabel(tr("Frames "), ToolBar1);
    label2->setObjectName("Label2");
    ToolBar1->addWidget(label2);
    Sel_Frames = new QComboBox(ToolBar1);
    Sel_Frames->setObjectName("Sel_Frames");
    Sel_Frames->setToolTip(tr("number of frames on page"));
    Sel_Frames->addItems({"1", "2", "4", "8", "16"});
    // The wheel passing over the list must not change the count (and empty the page): it
    // neither gives the list the focus nor turns it without it.
    Sel_Frames->setFocusPolicy(Qt::StrongFocus);
    Sel_Frames->installEventFilter(this);
    ToolBar1->addWidget(Sel_Frames);
    ToolBar1->addSeparator();

    Page_Button = addButton("Page_Button", tr("print cut marks"), u8"\u2702", true);
    Page_Button->setCheckable(true);
    connect(Page_Button, &QToolButton::clicked, this, &TMain_Form::Page_ButtonClick);
    Text_Button = addButton("Text_Button", tr("print image properties in margin"), "T", true);
    Text_Button->setCheckable(true);
    connect(Text_Button, &QToolButton::clicked, this, &TMain_Form::Text_ButtonClick);
    ToolBar1->addSeparator();

    QToolButton* stop = addButton("tb_stop", tr("stop printing "), u8"\u25A0", false);
    stop->setIcon(glyphIcon(u8"\u25A0", QColor(0xc0, 0x20, 0x20)));
    connect(stop, &QToolButton::clicked, this, &TMain_Form::tb_stopClick);
    QToolButton* print = addButton("tb_print", tr("print "), "", true);
    print->setIcon(printerIcon(false));
    connect(print, &QToolButton::clicked, this, &TMain_Form::tb_printClick);
    QToolButton* printNext = addButton("tb_print_next", tr("print - load - print (from image list)"), "", false);
    printNext->setIcon(printerIcon(true));
    connect(printNext, &QToolButton::clicked, this, &TMain_Form::tb_print_nextClick);
    ToolBar1->addSeparator();
    QToolButton* help = addButton("tb_help", tr("help "), "?", true);
    connect(help, &QToolButton::clicked, this, &TMain_Form::tb_helpClick);
    ToolButton1 = addButton("ToolButton1", "", "", true);
    ToolButton1->property("toolBarAction").value<QAction*>()->setVisible(false);
    connect(ToolButton1, &QToolButton::clicked, this, &TMain_Form::ToolButton1Click);
}

void TMain_Form::buildBottomPanel()
{
    auto* panel3 = new QWidget(this);
    panel3->setObjectName("Panel3");
    panel3->setFixedHeight(32);
    auto* col = new QVBoxLayout(panel3);
    col->setContentsMargins(4, 0, 4, 0);
    col->setSpacing(0);
    Status = new QLabel(panel3);
    Status->setObjectName("Status");
    Status->setWordWrap(true);
    col->addWidget(Status, 0, Qt::AlignTop);
    col->addStretch(1);
    Progress = new QProgressBar(panel3);
    Progress->setObjectName("Progress");
    Progress->setRange(0, 100);
    Progress->setFixedHeight(15);
    Progress->setTextVisible(false);
    col->addWidget(Progress);

    StatusBarPanel = new QLabel(tr("Printer : "), this);
    StatusBarPanel->setObjectName("StatusBar1Panel0");
    StatusBarPanel->setMinimumWidth(400);
    statusBar()->setObjectName("StatusBar1");
    statusBar()->addWidget(StatusBarPanel, 1);
}

} // namespace app
