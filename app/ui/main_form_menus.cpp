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

QAction* MainWindow::addEntry(QMenu* menu, const QString& objectName, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(objectName);
    if (menu->objectName() != "About1")
        m_pageCommands->addAction(a);
    return a;
}

// An entry whose command comes with a later part of the program: shown, never pretending.
QAction* MainWindow::addLaterEntry(QMenu* menu, const QString& objectName, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(objectName);
    m_pageCommands->addAction(a);
    a->setEnabled(false);
    a->setProperty("notYetBuilt", true);
    return a;
}

void MainWindow::buildMenus()
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
    MainControls& c = m_controls;
    QMenu* files = menu("Images1", tr("&Files"), 10);
    connect(files, &QMenu::aboutToShow, this, &MainWindow::onFilesMenuShown);
    c.loadSelected = addEntry(files, "Load1", tr("&Load Selected"));
    c.loadFromTwain = addEntry(files, "LoadfromTWAIN1", tr("Load from TWAIN"));
    c.addToList = addEntry(files, "Addtofilelist1", tr("Add to file list"));
    c.clearList = addEntry(files, "ClearFilelist1", tr("Clear File list"));
    c.clearList->setEnabled(false);
    c.removeSelected = addLaterEntry(files, "Delete1", tr("&Remove Selected"));
    c.loadPage = addEntry(files, "LoadPages1", tr("Load Page - Zip"));
    c.savePage = addEntry(files, "SavePages1", tr("Save Page - Zip"));

    QMenu* select = menu("Select1", tr("&Select"), 11);
    c.selectAll = addLaterEntry(select, "All1", tr("&Select All"));
    c.deselectAll = addLaterEntry(select, "DeSelectAll1", tr("&DeSelect All"));

    QMenu* print = menu("Print1", tr("&Print"), 12);
    c.preview = addEntry(print, "PrintPreview1", tr("Print Preview "));
    c.printToPrinter = addEntry(print, "Print2", tr("&Print to printer"));
    c.printToFile = addEntry(print, "Printtofile1", tr("Print to image file"));

    QMenu* setup = menu("Setup1", tr("S&etup"), 999);
    c.settings = addEntry(setup, "Settings1", tr("&Settings"));
    c.printerSetup = addEntry(setup, "Printer_Setup", tr("&Printer Setup"));

    QMenu* about = menu("About1", tr("&About"), 14);
    c.about = addEntry(about, "About2", tr("&About"));
    c.helpEntry = addEntry(about, "Help1", tr("Help"));
    c.helpEntry->setShortcut(QKeySequence::HelpContents);
    c.quit = addEntry(about, "Quit_Btn", tr("&Quit"));
    about->addSeparator();
    c.homePage = addEntry(about, "HomePage1", tr("Home Page"));
    c.email = addEntry(about, "Email1", tr("Email"));

    c.quitOnBar = bar->addAction(tr("&Quit"));
    c.quitOnBar->setObjectName("Quit1");

    auto* f1 = new QAction(this);
    f1->setShortcut(QKeySequence::HelpContents);
    connect(f1, &QAction::triggered, this, &MainWindow::Help);
    addAction(f1);
}

QToolButton* MainWindow::addButton(const QString& objectName, const QString& hint, const QString& glyph, bool enabled)
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

void MainWindow::buildToolBar()
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
    MainControls& c = m_controls;
    c.load = addButton("tb_load", tr("load image(s) "), u8"\u21E9", true);
    c.loadNext = addButton("tb_load_next", tr("load image(s) from list"), u8"\u21CA", false);
    c.bin = addButton("tb_bin", tr("remove selected image(s) from frame(s)"), u8"\u2716", false);
    ToolBar1->addSeparator();
    c.rotate = addButton("tb_rotate", tr("rotate selected image(s)"), u8"\u21BB", false);
    c.flipVertical = addButton("tb_flip_Vert", tr("flip selected image(s) - vertically"), u8"\u21C5", false);
    c.flipHorizontal = addButton("tb_flip_horiz", tr("flip selected image(s) - horizontally"), u8"\u21C6", false);
    c.aspectRatio = addButton("tb_ar", tr("set aspect ratio to match selected image"), u8"\u25AD", false);
    c.centre = addButton("Centre_btn", tr("set image size to match\nframe size & centre\non selected frames."),
                         u8"\u29C8", false);
    ToolBar1->addSeparator();

    auto* label2 = new QLabel(tr("Frames "), ToolBar1);
    label2->setObjectName("Label2");
    ToolBar1->addWidget(label2);
    c.frameCount = new QComboBox(ToolBar1);
    c.frameCount->setObjectName("Sel_Frames");
    c.frameCount->setToolTip(tr("number of frames on page"));
    c.frameCount->addItems({"1", "2", "4", "8", "16"});
    // The wheel passing over the list must not change the count (and empty the page): it
    // neither gives the list the focus nor turns it without it.
    c.frameCount->setFocusPolicy(Qt::StrongFocus);
    c.frameCount->installEventFilter(this);
    ToolBar1->addWidget(c.frameCount);
    ToolBar1->addSeparator();

    c.cutMarks = addButton("Page_Button", tr("print cut marks"), u8"\u2702", true);
    c.cutMarks->setCheckable(true);
    c.properties = addButton("Text_Button", tr("print image properties in margin"), "T", true);
    c.properties->setCheckable(true);
    ToolBar1->addSeparator();

    c.stop = addButton("tb_stop", tr("stop printing "), u8"\u25A0", false);
    c.stop->setIcon(glyphIcon(u8"\u25A0", QColor(0xc0, 0x20, 0x20)));
    c.print = addButton("tb_print", tr("print "), "", true);
    c.print->setIcon(printerIcon(false));
    c.printNext = addButton("tb_print_next", tr("print - load - print (from image list)"), "", false);
    c.printNext->setIcon(printerIcon(true));
    ToolBar1->addSeparator();
    c.help = addButton("tb_help", tr("help "), "?", true);
    c.listSelected = addButton("ToolButton1", "", "", true);
    c.listSelected->property("toolBarAction").value<QAction*>()->setVisible(false);
}

void MainWindow::buildBottomPanel()
{
    Panel3 = new QWidget(this);
    Panel3->setObjectName("Panel3");
    Panel3->setFixedHeight(32);
    auto* col = new QVBoxLayout(Panel3);
    col->setContentsMargins(4, 0, 4, 0);
    col->setSpacing(0);
    Status = new QLabel(Panel3);
    Status->setObjectName("Status");
    Status->setWordWrap(true);
    col->addWidget(Status, 0, Qt::AlignTop);
    col->addStretch(1);
    Progress = new QProgressBar(Panel3);
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
