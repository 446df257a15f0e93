// PrintString on a real printer device: PDF files whose pages, header, footer
// and body lie where the layout says.
#include "PdfTools.h"
#include "table/PrintLayout.h"
#include "table/TablePrint.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

QFont BodyFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setPointSize(10);
    return font;
}

QStringList Lines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("Poprad, %1.Mar.2026, [CET] =>   05:57:03,   11:49:30,   17:41:59")
                     .arg(i % 31 + 1, 2, 10, QLatin1Char('0'));
    return lines;
}

// Bounding box of the pixels darker than `limit` inside `area`.
QRect Ink(const QImage &image, const QRect &area, int limit)
{
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const uchar *row = image.constScanLine(y);
        for (int x = r.left(); x <= r.right(); ++x) {
            if (row[x] < limit) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Rows in which nearly every pixel from x0 to x1 is of the rules' grey.
QList<int> RuleRows(const QImage &image, int x0, int x1)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *row = image.constScanLine(y);
        int grey = 0;
        for (int x = x0; x < x1; ++x)
            grey += row[x] >= 100 && row[x] <= 170;
        if (grey >= (x1 - x0) * 9 / 10)
            rows << y;
    }
    return rows;
}

} // namespace

class TestTablePrint : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void pageCountMatchesLayout_data();
    void pageCountMatchesLayout();
    void pagePlacement_data();
    void pagePlacement();
    void pageNumberRightAligned();
    void longLineRunsPastTheMargin();
    void bandsAndFontsGivenToProcedures();
    void procedureStopsTheJob();
    void discardRemovesTheFile();
    void marginsTooLarge();
    void printerCannotStart();

private:
    std::unique_ptr<QPrinter> PdfPrinter(const QString &name, double borderMm);
    TPrintLayout ExpectedLayout(QPrinter &printer, int lines);
    std::unique_ptr<QTemporaryDir> FDir;
};

void TestTablePrint::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
}

std::unique_ptr<QPrinter> TestTablePrint::PdfPrinter(const QString &name, double borderMm)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(FDir->filePath(name));
    printer->setResolution(600);
    printer->setPageSize(QPageSize(QPageSize::A4));
    // The PDF page's margins play the printer's unprintable border.
    printer->setPageMargins(QMarginsF(borderMm, borderMm, borderMm, borderMm),
                            QPageLayout::Millimeter);
    printer->setDocName(QStringLiteral("Vantu-Tab"));
    return printer;
}

TPrintLayout TestTablePrint::ExpectedLayout(QPrinter &printer, int lines)
{
    TPrintLayout layout;
    const int textHeight = QFontMetrics(BodyFont(), &printer).height();
    if (!ComputePrintLayout(ReadPrinterMetrics(printer), 0.8f, 0.8f, 0.8f, 0.8f, 6.0f, textHeight,
                            lines, &layout, nullptr))
        qWarning("no layout");
    return layout;
}

void TestTablePrint::pageCountMatchesLayout_data()
{
    QTest::addColumn<double>("borderMm");
    QTest::addColumn<int>("extraLines"); // -1: empty table; else lines past whole pages
    QTest::addColumn<int>("wholePages");
    QTest::newRow("empty table") << 0.0 << -1 << 0;
    QTest::newRow("one line") << 0.0 << 1 << 0;
    QTest::newRow("exactly one page") << 0.0 << 0 << 1;
    QTest::newRow("one page and a line") << 0.0 << 1 << 1;
    QTest::newRow("exactly three pages") << 0.0 << 0 << 3;
    QTest::newRow("border 10 mm, exactly one page") << 10.0 << 0 << 1;
    QTest::newRow("border 40 mm, two pages and a line") << 40.0 << 1 << 2;
}

void TestTablePrint::pageCountMatchesLayout()
{
    QFETCH(double, borderMm);
    QFETCH(int, extraLines);
    QFETCH(int, wholePages);
    if (!HavePoppler())
        QSKIP("pdfinfo and pdftoppm (poppler-utils) are needed");
    auto printer = PdfPrinter(QStringLiteral("count.pdf"), borderMm);
    const int perPage = ExpectedLayout(*printer, 0).linesPerPage;
    QVERIFY(perPage > 10);
    const int lines = extraLines < 0 ? 0 : wholePages * perPage + extraLines;
    const TPrintLayout layout = ExpectedLayout(*printer, lines);
    const int expectedPages = extraLines < 0 ? 1 : wholePages + (extraLines > 0 ? 1 : 0);
    QCOMPARE(layout.pageCount, expectedPages);

    QString error;
    const int pages = PrintString(*printer, Lines(lines), BodyFont(), false, 0.8f, 0.8f, 0.8f, 0.8f,
                                  6.0f, PrintHeader, PrintFooter, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(pages, expectedPages);
    const QString pdf = printer->outputFileName();
    QCOMPARE(PdfInfo(pdf, QStringLiteral("Pages")), QString::number(expectedPages));
    QCOMPARE(PdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("Vantu-Tab"));
}

void TestTablePrint::pagePlacement_data()
{
    QTest::addColumn<double>("borderMm");
    QTest::newRow("no border") << 0.0;
    QTest::newRow("border inside the margin") << 10.0;
    QTest::newRow("border wider than the margin") << 30.0;
}

void TestTablePrint::pagePlacement()
{
    QFETCH(double, borderMm);
    if (!HavePoppler())
        QSKIP("pdfinfo and pdftoppm (poppler-utils) are needed");
    auto printer = PdfPrinter(QStringLiteral("place.pdf"), borderMm);
    const int perPage = ExpectedLayout(*printer, 0).linesPerPage;
    const int lines = perPage + 5;
    const TPrintLayout layout = ExpectedLayout(*printer, lines);
    const TPrinterMetrics m = ReadPrinterMetrics(*printer);
    QCOMPARE(m.dpiY, 600);
    QCOMPARE(PrintString(*printer, Lines(lines), BodyFont(), false, 0.8f, 0.8f, 0.8f, 0.8f, 6.0f,
                         PrintHeader, PrintFooter),
             2);

    // Rendered at a quarter of the print resolution; positions on the paper.
    const double s = 150.0 / 600.0;
    auto X = [&](int printableX) { return qRound((printableX + m.offX) * s); };
    auto Y = [&](int printableY) { return qRound((printableY + m.offY) * s); };
    for (int page = 1; page <= 2; ++page) {
        const QImage image = RenderPage(printer->outputFileName(), page, 150,
                                        FDir->filePath(QStringLiteral("page%1").arg(page)));
        QVERIFY(!image.isNull());
        QCOMPARE(image.width(), qRound(m.physW * s));

        const int left = X(layout.body.left), right = X(layout.body.right);
        const int top = Y(layout.body.top), bottom = Y(layout.body.bottom);
        // Two rules, each one point thick, across the body's width.
        const QList<int> rules = RuleRows(image, left + 2, right - 2);
        QVERIFY2(!rules.isEmpty(), "no rules found");
        const QList<int> headerRule = [&] {
            QList<int> r;
            for (int y : rules)
                if (y < top)
                    r << y;
            return r;
        }();
        const QList<int> footerRule = [&] {
            QList<int> r;
            for (int y : rules)
                if (y >= top)
                    r << y;
            return r;
        }();
        QVERIFY(!headerRule.isEmpty() && !footerRule.isEmpty());
        const double ruleHalf = layout.ruleWidth * s / 2;
        QVERIFY(std::abs((headerRule.first() + headerRule.last()) / 2.0 -
                         (layout.headerRuleY + m.offY) * s) <= 1.0);
        QVERIFY(std::abs((footerRule.first() + footerRule.last()) / 2.0 -
                         (layout.footerRuleY + m.offY) * s) <= 1.0);
        QVERIFY(headerRule.last() - headerRule.first() + 1 <= 2 * ruleHalf + 2);
        // The rules end at the margins.
        const QRect headerRuleInk = Ink(image, QRect(0, headerRule.first(), image.width(), 1), 200);
        QVERIFY(std::abs(headerRuleInk.left() - left) <= 1);
        QVERIFY(std::abs(headerRuleInk.right() + 1 - right) <= 1);

        // Header text above its rule, ending 1/10 inch above the body.
        const QRect headerInk = Ink(image, QRect(0, 0, image.width(), headerRule.first() - 1), 235);
        QVERIFY(!headerInk.isNull());
        QVERIFY(headerInk.bottom() <= Y(layout.headerTextBottom) + 1);
        QVERIFY(headerInk.bottom() >= Y(layout.headerTextBottom) - 8);
        QVERIFY(std::abs(headerInk.left() - left) <= 2);
        // Grey, not black.
        QVERIFY(Ink(image, headerInk, 100).isNull());

        // Body text: black, inside the body, starting at its top-left corner.
        const QRect bodyInk = Ink(image,
                                  QRect(0, headerRule.last() + 1, image.width(),
                                        footerRule.first() - headerRule.last() - 1),
                                  100);
        QVERIFY(!bodyInk.isNull());
        QVERIFY(bodyInk.top() >= top - 1 && bodyInk.top() <= top + 8);
        QVERIFY(bodyInk.bottom() <= bottom);
        QVERIFY(std::abs(bodyInk.left() - left) <= 2);
        const int linesHere = page == 1 ? perPage : 5;
        const int lastTop = Y(layout.body.top + (linesHere - 1) * layout.lineHeight);
        QVERIFY(bodyInk.bottom() > lastTop);
        QVERIFY(bodyInk.bottom() <= lastTop + qRound(layout.textHeight * s) + 1);

        // Page number: grey, right-aligned to the margin, 1/18 inch under the rule.
        const QRect footerInk = Ink(
            image,
            QRect(0, footerRule.last() + 1, image.width(), image.height() - footerRule.last() - 1),
            235);
        QVERIFY(!footerInk.isNull());
        QVERIFY(std::abs(footerInk.right() + 1 - right) <= 2);
        QVERIFY(footerInk.top() >= Y(layout.footerTextTop));
        QVERIFY(footerInk.top() <= Y(layout.footerTextTop) + 8);
        QVERIFY(footerInk.width() < (right - left) / 10);
        QVERIFY(Ink(image, footerInk, 100).isNull());
    }
}

void TestTablePrint::pageNumberRightAligned()
{
    if (!HavePoppler())
        QSKIP("pdfinfo and pdftoppm (poppler-utils) are needed");
    auto printer = PdfPrinter(QStringLiteral("ten.pdf"), 0);
    const int perPage = ExpectedLayout(*printer, 0).linesPerPage;
    const TPrintLayout layout = ExpectedLayout(*printer, 9 * perPage + 1);
    QCOMPARE(PrintString(*printer, Lines(9 * perPage + 1), BodyFont(), false, 0.8f, 0.8f, 0.8f,
                         0.8f, 6.0f, PrintHeader, PrintFooter),
             10);
    const int footerTop = qRound(layout.footer.top * 0.25) + 3;
    const QImage page9 =
        RenderPage(printer->outputFileName(), 9, 150, FDir->filePath(QStringLiteral("p9")));
    const QImage page10 =
        RenderPage(printer->outputFileName(), 10, 150, FDir->filePath(QStringLiteral("p10")));
    const QRect area(0, footerTop, page9.width(), page9.height() - footerTop);
    const QRect ink9 = Ink(page9, area, 235);
    const QRect ink10 = Ink(page10, area, 235);
    QVERIFY(!ink9.isNull() && !ink10.isNull());
    QVERIFY(std::abs(ink9.right() - ink10.right()) <= 1);
    QVERIFY(ink10.left() < ink9.left() - 2);
}

void TestTablePrint::longLineRunsPastTheMargin()
{
    if (!HavePoppler())
        QSKIP("pdfinfo and pdftoppm (poppler-utils) are needed");
    auto printer = PdfPrinter(QStringLiteral("long.pdf"), 0);
    const TPrintLayout layout = ExpectedLayout(*printer, 2);
    const QStringList lines{QString(200, QLatin1Char('M')), QStringLiteral("second")};
    QCOMPARE(PrintString(*printer, lines, BodyFont(), false, 0.8f, 0.8f, 0.8f, 0.8f, 6.0f,
                         PrintHeader, PrintFooter),
             1);
    const QImage image =
        RenderPage(printer->outputFileName(), 1, 150, FDir->filePath(QStringLiteral("long")));
    const int top = qRound(layout.body.top * 0.25);
    const int lineHeight = qRound(layout.lineHeight * 0.25);
    // The first line is not broken: it reaches the paper's edge, and the
    // second line holds only its own word.
    const QRect first = Ink(image, QRect(0, top, image.width(), lineHeight), 100);
    QVERIFY(first.right() >= image.width() - 3);
    const QRect second = Ink(image, QRect(0, top + lineHeight, image.width(), lineHeight), 100);
    QVERIFY(second.width() < image.width() / 8);
}

void TestTablePrint::bandsAndFontsGivenToProcedures()
{
    auto printer = PdfPrinter(QStringLiteral("bands.pdf"), 5);
    const int perPage = ExpectedLayout(*printer, 0).linesPerPage;
    const TPrintLayout layout = ExpectedLayout(*printer, 2 * perPage + 1);
    const QFont font = BodyFont();
    QStringList calls;
    bool fontsRestored = true;
    auto header = [&](QPainter &canvas, int page, bool &continuePrinting, const TPixelRect &band) {
        QVERIFY(continuePrinting);
        fontsRestored = fontsRestored && canvas.font() == font;
        QCOMPARE(band.left, layout.header.left);
        QCOMPARE(band.top, layout.header.top);
        QCOMPARE(band.right, layout.header.right);
        QCOMPARE(band.bottom, layout.header.bottom);
        calls << QStringLiteral("H%1").arg(page);
        canvas.setFont(QFont(QStringLiteral("DejaVu Serif"), 30));
    };
    auto footer = [&](QPainter &canvas, int page, bool &continuePrinting, const TPixelRect &band) {
        QVERIFY(continuePrinting);
        fontsRestored = fontsRestored && canvas.font() == font;
        QCOMPARE(band.left, layout.footer.left);
        QCOMPARE(band.top, layout.footer.top);
        QCOMPARE(band.right, layout.footer.right);
        QCOMPARE(band.bottom, layout.footer.bottom);
        calls << QStringLiteral("F%1").arg(page);
        canvas.setFont(QFont(QStringLiteral("DejaVu Serif"), 40));
    };
    QCOMPARE(PrintString(*printer, Lines(2 * perPage + 1), font, false, 0.8f, 0.8f, 0.8f, 0.8f,
                         6.0f, header, footer),
             3);
    QCOMPARE(calls, (QStringList{"H1", "F1", "H2", "F2", "H3", "F3"}));
    QVERIFY(fontsRestored);

    // Absent procedures are skipped.
    auto plain = PdfPrinter(QStringLiteral("plain.pdf"), 5);
    QCOMPARE(PrintString(*plain, Lines(perPage + 1), font, false, 0.8f, 0.8f, 0.8f, 0.8f, 6.0f,
                         nullptr, nullptr),
             2);
}

void TestTablePrint::procedureStopsTheJob()
{
    auto printer = PdfPrinter(QStringLiteral("stop.pdf"), 0);
    const int perPage = ExpectedLayout(*printer, 0).linesPerPage;
    QStringList calls;
    auto header = [&](QPainter &, int page, bool &continuePrinting, const TPixelRect &) {
        calls << QStringLiteral("H%1").arg(page);
        if (page == 2)
            continuePrinting = false;
    };
    auto footer = [&](QPainter &, int page, bool &, const TPixelRect &) {
        calls << QStringLiteral("F%1").arg(page);
    };
    QCOMPARE(PrintString(*printer, Lines(3 * perPage), BodyFont(), false, 0.8f, 0.8f, 0.8f, 0.8f,
                         6.0f, header, footer),
             0);
    QCOMPARE(calls, (QStringList{"H1", "F1", "H2"}));
    // A cancelled job leaves no file behind.
    QVERIFY(!QFileInfo::exists(printer->outputFileName()));

    auto stopInFooter = PdfPrinter(QStringLiteral("stop2.pdf"), 0);
    calls.clear();
    auto footerStops = [&](QPainter &, int page, bool &continuePrinting, const TPixelRect &) {
        calls << QStringLiteral("F%1").arg(page);
        continuePrinting = false;
    };
    QCOMPARE(PrintString(*stopInFooter, Lines(3 * perPage), BodyFont(), false, 0.8f, 0.8f, 0.8f,
                         0.8f, 6.0f, header, footerStops),
             0);
    QCOMPARE(calls, (QStringList{"H1", "F1"}));
}

void TestTablePrint::discardRemovesTheFile()
{
    auto printer = PdfPrinter(QStringLiteral("discard.pdf"), 0);
    QCOMPARE(PrintString(*printer, Lines(3), BodyFont(), true, 0.8f, 0.8f, 0.8f, 0.8f, 6.0f,
                         PrintHeader, PrintFooter),
             1);
    QVERIFY(!QFileInfo::exists(printer->outputFileName()));
}

void TestTablePrint::marginsTooLarge()
{
    auto printer = PdfPrinter(QStringLiteral("margins.pdf"), 0);
    QString error;
    QCOMPARE(PrintString(*printer, Lines(3), BodyFont(), false, 4.2f, 4.2f, 0.8f, 0.8f, 6.0f,
                         PrintHeader, PrintFooter, &error),
             -1);
    QCOMPARE(error, QStringLiteral("PrintString: the supplied margins are too large, thereis no "
                                   "area to print left on the page."));
}

void TestTablePrint::printerCannotStart()
{
    auto printer = PdfPrinter(QStringLiteral("no/such/folder/x.pdf"), 0);
    QString error;
    QCOMPARE(PrintString(*printer, Lines(3), BodyFont(), false, 0.8f, 0.8f, 0.8f, 0.8f, 6.0f,
                         PrintHeader, PrintFooter, &error),
             -1);
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestTablePrint)
#include "tst_tableprint.moc"
