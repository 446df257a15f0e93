// Page arithmetic of the print-out, with made-up printers.
#include "table/PrintLayout.h"

#include <QtTest>

Q_DECLARE_METATYPE(TPrinterMetrics)

namespace
{

// A4 with a border of `border` pixels on every side that the printer cannot reach.
TPrinterMetrics A4(int dpi, int border)
{
    TPrinterMetrics m;
    m.dpiX = m.dpiY = dpi;
    m.physW = RoundHalfEven(dpi * 210 / 25.4);
    m.physH = RoundHalfEven(dpi * 297 / 25.4);
    m.offX = m.offY = border;
    m.pageW = m.physW - 2 * border;
    m.pageH = m.physH - 2 * border;
    return m;
}

TPrintLayout Layout(const TPrinterMetrics &m, int textHeight, int lines)
{
    TPrintLayout layout;
    QString error;
    const bool ok =
        ComputePrintLayout(m, 0.8f, 0.8f, 0.8f, 0.8f, 6.0f, textHeight, lines, &layout, &error);
    if (!ok)
        qWarning("%s", qPrintable(error));
    return layout;
}

} // namespace

class TestPrintLayout : public QObject
{
    Q_OBJECT

private slots:
    void roundHalfEven_data();
    void roundHalfEven();
    void ruleWidth_data();
    void ruleWidth();
    void at600Dpi_data();
    void at600Dpi();
    void wideUnprintableBorder();
    void unevenBorders();
    void lineFitsOnlyWithRoomForItsText();
    void exactlyOnePage();
    void pagesOfLines_data();
    void pagesOfLines();
    void emptyTableIsOnePage();
    void marginsTooLarge_data();
    void marginsTooLarge();
    void bodyLowerThanOneLine();
};

void TestPrintLayout::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("2.4999") << 2.4999 << 2;
    QTest::newRow("2.5001") << 2.5001 << 3;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("480.000007") << 480.000007 << 480;
}

void TestPrintLayout::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(RoundHalfEven(value), expected);
}

void TestPrintLayout::ruleWidth_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("width");
    QTest::newRow("72") << 72 << 1;
    QTest::newRow("96") << 96 << 1;
    QTest::newRow("108: 1.5 to even") << 108 << 2;
    QTest::newRow("180: 2.5 to even") << 180 << 2;
    QTest::newRow("300") << 300 << 4;
    QTest::newRow("600") << 600 << 8;
    QTest::newRow("1200") << 1200 << 17;
}

void TestPrintLayout::ruleWidth()
{
    QFETCH(int, dpi);
    QFETCH(int, width);
    QCOMPARE(RuleWidth(dpi), width);
}

void TestPrintLayout::at600Dpi_data()
{
    QTest::addColumn<int>("border");
    QTest::newRow("no border") << 0;
    QTest::newRow("1/6 inch border") << 100;
    QTest::newRow("border just inside the margin") << 479;
}

void TestPrintLayout::at600Dpi()
{
    QFETCH(int, border);
    const TPrinterMetrics m = A4(600, border);
    QCOMPARE(m.physW, 4961);
    QCOMPARE(m.physH, 7016);
    const TPrintLayout layout = Layout(m, 83, 10);

    // Margins of 480 pixels on the paper, shifted into the printable area.
    QCOMPARE(layout.body.left, 480 - border);
    QCOMPARE(layout.body.top, 480 - border);
    QCOMPARE(layout.body.right, 4961 - 480 - border);
    QCOMPARE(layout.body.bottom, 7016 - 480 - border);
    QCOMPARE(layout.lineHeight, 100);
    QCOMPARE(layout.ruleWidth, 8);
    QCOMPARE(layout.body.top - layout.headerRuleY, 33);
    QCOMPARE(layout.body.top - layout.headerTextBottom, 60);
    QCOMPARE(layout.footerRuleY, layout.body.bottom);
    QCOMPARE(layout.footerTextTop - layout.footerRuleY, 33);

    QCOMPARE(layout.header.left, layout.body.left);
    QCOMPARE(layout.header.right, layout.body.right);
    QCOMPARE(layout.header.top, 0);
    QCOMPARE(layout.header.bottom, layout.body.top);
    QCOMPARE(layout.footer.left, layout.body.left);
    QCOMPARE(layout.footer.right, layout.body.right);
    QCOMPARE(layout.footer.top, layout.body.bottom);
    QCOMPARE(layout.footer.bottom, m.pageH);
    QCOMPARE(layout.textHeight, 83);
}

void TestPrintLayout::wideUnprintableBorder()
{
    // 1.25 inch that the printer cannot reach: the body starts at its edge.
    const TPrinterMetrics m = A4(600, 750);
    const TPrintLayout layout = Layout(m, 83, 1);
    QCOMPARE(layout.body.left, 0);
    QCOMPARE(layout.body.top, 0);
    QCOMPARE(layout.body.right, m.pageW);
    QCOMPARE(layout.body.bottom, m.pageH);
    QCOMPARE(layout.header.bottom, 0);
    QCOMPARE(layout.footer.top, m.pageH);
    QCOMPARE(layout.headerRuleY, -33);
}

void TestPrintLayout::unevenBorders()
{
    // Printable area off-centre: 50 px on the left and top, 700 px to the
    // right and bottom of it.
    TPrinterMetrics m = A4(600, 0);
    m.offX = 50;
    m.offY = 60;
    m.pageW = m.physW - 50 - 700;
    m.pageH = m.physH - 60 - 700;
    const TPrintLayout layout = Layout(m, 83, 1);
    QCOMPARE(layout.body.left, 480 - 50);
    QCOMPARE(layout.body.top, 480 - 60);
    QCOMPARE(layout.body.right, m.pageW);
    QCOMPARE(layout.body.bottom, m.pageH);
}

void TestPrintLayout::lineFitsOnlyWithRoomForItsText()
{
    // Body 480 ... 6536 on the paper: tops at 480, 580, ... The top 6480 is
    // exactly 56 above the bottom edge.
    const TPrinterMetrics m = A4(600, 0);
    QCOMPARE(Layout(m, 56, 1).linesPerPage, 61);
    QCOMPARE(Layout(m, 57, 1).linesPerPage, 60);
    QCOMPARE(Layout(m, 155, 1).linesPerPage, 60);
    QCOMPARE(Layout(m, 157, 1).linesPerPage, 59);
}

void TestPrintLayout::exactlyOnePage()
{
    const TPrinterMetrics m = A4(600, 100);
    const TPrintLayout full = Layout(m, 56, 61);
    QCOMPARE(full.pageCount, 1);
    QCOMPARE(full.pageFirstLine, std::vector<int>{0});
    QCOMPARE(LineTop(full, 60), full.body.bottom - 56);
    QCOMPARE(PageOfLine(full, 60), 1);

    const TPrintLayout more = Layout(m, 56, 62);
    QCOMPARE(more.pageCount, 2);
    QCOMPARE(more.pageFirstLine, (std::vector<int>{0, 61}));
    QCOMPARE(PageOfLine(more, 61), 2);
    QCOMPARE(LineTop(more, 61), more.body.top);
}

void TestPrintLayout::pagesOfLines_data()
{
    QTest::addColumn<TPrinterMetrics>("metrics");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    // 300 dpi Letter without a border: 2550 x 3300, body 240 ... 3060, line
    // height 50, text height 42: tops 240 ... 2990, 56 lines a page.
    TPrinterMetrics letter;
    letter.dpiX = letter.dpiY = 300;
    letter.physW = letter.pageW = 2550;
    letter.physH = letter.pageH = 3300;
    QTest::newRow("one line") << letter << 1 << 1;
    QTest::newRow("56 lines") << letter << 56 << 1;
    QTest::newRow("57 lines") << letter << 57 << 2;
    QTest::newRow("112 lines") << letter << 112 << 2;
    QTest::newRow("113 lines") << letter << 113 << 3;
    QTest::newRow("a year of months") << letter << 12 * 32 << 7;
}

void TestPrintLayout::pagesOfLines()
{
    QFETCH(TPrinterMetrics, metrics);
    QFETCH(int, lines);
    QFETCH(int, pages);
    const TPrintLayout layout = Layout(metrics, 42, lines);
    QCOMPARE(layout.linesPerPage, 56);
    QCOMPARE(layout.pageCount, pages);
    QCOMPARE(int(layout.pageFirstLine.size()), pages);
    for (int line = 0; line < lines; ++line) {
        const int page = PageOfLine(layout, line);
        QVERIFY(page >= 1 && page <= pages);
        QVERIFY(layout.pageFirstLine[page - 1] <= line);
        QVERIFY(page == pages || line < layout.pageFirstLine[page]);
        const int top = LineTop(layout, line);
        QCOMPARE(top, layout.body.top + (line - layout.pageFirstLine[page - 1]) * 50);
        QVERIFY(top + 42 <= layout.body.bottom);
    }
}

void TestPrintLayout::emptyTableIsOnePage()
{
    const TPrintLayout layout = Layout(A4(600, 100), 83, 0);
    QCOMPARE(layout.pageCount, 1);
    QCOMPARE(layout.pageFirstLine, std::vector<int>{0});
}

void TestPrintLayout::marginsTooLarge_data()
{
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("right");
    QTest::addColumn<float>("top");
    QTest::addColumn<float>("bottom");
    // A4 is 8.27 x 11.69 inches.
    QTest::newRow("left and right meet") << 4.2f << 4.2f << 0.8f << 0.8f;
    QTest::newRow("left and right touch") << 4.0f << 4.27f << 0.8f << 0.8f;
    QTest::newRow("top and bottom meet") << 0.8f << 0.8f << 6.0f << 6.0f;
}

void TestPrintLayout::marginsTooLarge()
{
    QFETCH(float, left);
    QFETCH(float, right);
    QFETCH(float, top);
    QFETCH(float, bottom);
    TPrinterMetrics m = A4(600, 0);
    m.physW = m.pageW = 4962; // 8.27 inches exactly
    TPrintLayout layout;
    QString error;
    QVERIFY(!ComputePrintLayout(m, left, right, top, bottom, 6.0f, 83, 10, &layout, &error));
    QCOMPARE(error, QStringLiteral("PrintString: the supplied margins are too large, thereis no "
                                   "area to print left on the page."));
}

void TestPrintLayout::bodyLowerThanOneLine()
{
    const TPrinterMetrics m = A4(600, 0);
    TPrintLayout layout;
    QString error;
    // Body height 7016 - 2 * 3450 = 116 pixels.
    QVERIFY(ComputePrintLayout(m, 0.8f, 0.8f, 5.75f, 5.75f, 6.0f, 116, 3, &layout, &error));
    QCOMPARE(layout.linesPerPage, 1);
    QCOMPARE(layout.pageCount, 3);
    QVERIFY(!ComputePrintLayout(m, 0.8f, 0.8f, 5.75f, 5.75f, 6.0f, 117, 3, &layout, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
