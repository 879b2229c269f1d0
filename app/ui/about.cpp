#include "app/ui/about.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace app {
namespace {

// The picture of the about window: a page of four frames, drawn rather than shipped.
QPixmap aboutPicture(QSize size)
{
    QPixmap pix(size);
    pix.fill(Qt::white);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF page(size.width() * 0.08, size.height() * 0.12, size.width() * 0.30, size.height() * 0.62);
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.drawRect(page);
    const QColor tones[] = {QColor(0x4a, 0x7f, 0xb5), QColor(0xd9, 0x8c, 0x3f), QColor(0x5e, 0xa3, 0x5a),
                            QColor(0xb5, 0x4a, 0x6d)};
    const double fw = (page.width() - 12) / 2, fh = (page.height() - 12) / 2;
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRectF(page.left() + 4 + (i / 2) * (fw + 4), page.top() + 4 + (i % 2) * (fh + 4), fw, fh), tones[i]);
    QFont title("DejaVu Sans", 26, QFont::Bold);
    p.setFont(title);
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.drawText(QRectF(size.width() * 0.42, size.height() * 0.18, size.width() * 0.56, size.height() * 0.3),
               Qt::AlignLeft | Qt::AlignVCenter, "Paginor");
    QFont sub("DejaVu Sans", 9);
    p.setFont(sub);
    p.drawText(QRectF(size.width() * 0.42, size.height() * 0.45, size.width() * 0.56, size.height() * 0.2),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QCoreApplication::translate("Paginor", "Many photographs, one printed page."));
    return pix;
}

} // namespace

QString aboutText()
{
    return QCoreApplication::translate("Paginor", "Lays 1 to 16 photographs on a page and prints them with cut marks and captions.");
}

AboutDialog::AboutDialog(const QString& versionLabel, bool splash, QWidget* parent, int splashMs)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
{
    setObjectName("About");
    setFixedSize(363, 229);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto* picture = new QLabel(this);
    picture->setPixmap(aboutPicture(QSize(363, 150)));
    auto* label1 = new QLabel(versionLabel, this);
    label1->setObjectName("Label1");
    auto* label2 = new QLabel(aboutText(), this);
    label2->setObjectName("Label2");
    label2->setWordWrap(true);
    QFont small("DejaVu Sans", 7);
    label1->setFont(small);
    label2->setFont(small);

    Okbtn = new QPushButton(tr("OK"), this);
    Okbtn->setObjectName("Okbtn");
    Okbtn->setVisible(!splash);
    connect(Okbtn, &QPushButton::clicked, this, &AboutDialog::OkbtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 6);
    layout->addWidget(picture);
    layout->addWidget(label1);
    layout->addWidget(label2);
    layout->addWidget(Okbtn, 0, Qt::AlignRight);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(splashMs);
    connect(Timer1, &QTimer::timeout, this, &AboutDialog::Timer1Timer);
    if (splash)
        Timer1->start();

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void AboutDialog::Timer1Timer()
{
    done(kSplashDone);
}

void AboutDialog::OkbtnClick()
{
    done(kAboutOk);
}

} // namespace app
