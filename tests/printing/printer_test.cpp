// The printer as CUPS describes it, read through Qt Print Support: the resolution and
// printable page the program lays out against must be the printer's own.
#include "printing/cups/printer.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <cmath>

namespace {

// The default of one option as `lpoptions -p NAME -l` reports it (marked with '*').
QString lpDefault(const QString& printer, const QString& option)
{
    const QString text = support::run("lpoptions", {"-p", printer, "-l"}, {.timeoutMs = 20000}).out;
    for (const QString& line : text.split('\n')) {
        if (!line.startsWith(option + "/"))
            continue;
        const auto m = QRegularExpression(R"(\*(\S+))").match(line);
        if (m.hasMatch())
            return m.captured(1);
    }
    return {};
}

class CupsPrinter : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            GTEST_SKIP() << "no CUPS printer on this machine (scripts/test.sh creates one)";
        m_name = QPrinterInfo::defaultPrinterName();
        ASSERT_FALSE(m_name.isEmpty()) << "scripts/test.sh makes a default printer";
    }
    QString m_name;
};

} // namespace

TEST_F(CupsPrinter, ResolutionIsThePrintersOwnDefault)
{
    const QString wanted = lpDefault(m_name, "Resolution");
    if (wanted.isEmpty())
        GTEST_SKIP() << "the printer offers no Resolution option";
    QPrinter printer(QPrinter::HighResolution);
    printing::preparePrinter(printer, m_name);
    const auto m = printing::readPrinterMetrics(printer);
    EXPECT_EQ(m.dpiX, std::atoi(wanted.toLatin1().constData())) << "lpoptions default " << wanted.toStdString();
    EXPECT_EQ(m.dpiY, m.dpiX);
    EXPECT_NE(m.dpiX, 96) << "the screen's resolution, not the printer's";
    EXPECT_EQ(m.name, m_name.toStdString());
}

TEST_F(CupsPrinter, PrintablePageIsThePaperLessOnlyThePrintersMargins)
{
    const QString size = lpDefault(m_name, "PageSize");
    QPrinter printer(QPrinter::HighResolution);
    printing::preparePrinter(printer, m_name);
    const auto m = printing::readPrinterMetrics(printer);
    const QMarginsF unprintable = printer.pageLayout().minimumMargins();
    const QSizeF paperPt = printer.pageLayout().pageSize().size(QPageSize::Point);
    const double wantW = (paperPt.width() - unprintable.left() - unprintable.right()) / 72.0 * m.dpiX;
    const double wantH = (paperPt.height() - unprintable.top() - unprintable.bottom()) / 72.0 * m.dpiY;
    EXPECT_NEAR(m.pageWidthPx, wantW, 2.0);
    EXPECT_NEAR(m.pageHeightPx, wantH, 2.0);
    EXPECT_LT(m.pageWidthPx, m.pageHeightPx) << "read in portrait";
    if (size == "A4" && unprintable.isNull()) {
        EXPECT_NEAR(m.pageWidthPx, 210 / 25.4 * m.dpiX, 2.0);
        EXPECT_NEAR(m.pageHeightPx, 297 / 25.4 * m.dpiY, 2.0);
    }
}

TEST_F(CupsPrinter, ListFindsTheDefaultAndRefusesStrangers)
{
    printing::CupsPrinterList list;
    ASSERT_TRUE(list.defaultIndex().has_value());
    EXPECT_EQ(list.names().at(*list.defaultIndex()), m_name);
    EXPECT_FALSE(list.select(list.count()));
    EXPECT_FALSE(list.select(-1));
    EXPECT_FALSE(list.selectByName("no such printer"));
    EXPECT_TRUE(list.selectByName(m_name));
    EXPECT_EQ(list.currentName(), m_name);
}

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
