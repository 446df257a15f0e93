#include "table/TablePrint.h"

#include "common/Version.h"

#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace
{

const QColor Grey(128, 128, 128);

void DrawTextAt(QPainter &canvas, int left, int top, const QString &text)
{
    // The painter places text by its baseline; the layout speaks of top edges.
    canvas.drawText(QPoint(left, top + canvas.fontMetrics().ascent()), text);
}

void SetRulePen(QPainter &canvas)
{
    QPen pen(Grey);
    pen.setStyle(Qt::SolidLine);
    pen.setWidth(RuleWidth(canvas.device()->logicalDpiY()));
    // Flat ends keep the rule between the margins.
    pen.setCapStyle(Qt::FlatCap);
    canvas.setPen(pen);
}

// The window's font is sized for the screen; the print-out keeps its point size.
QFont PrinterFont(const QFont &font)
{
    QFont result = font;
    if (font.pointSizeF() <= 0 && font.pixelSize() > 0)
        result.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
    return result;
}

} // namespace

TPrinterMetrics ReadPrinterMetrics(QPrinter &printer)
{
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    TPrinterMetrics m;
    m.dpiX = printer.logicalDpiX();
    m.dpiY = printer.logicalDpiY();
    m.offX = qRound(page.left() - paper.left());
    m.offY = qRound(page.top() - paper.top());
    m.physW = qRound(paper.width());
    m.physH = qRound(paper.height());
    m.pageW = qRound(page.width());
    m.pageH = qRound(page.height());
    return m;
}

int PrintString(QPrinter &printer, const QStringList &lines, const QFont &aFont, bool discard,
                float leftMargin, float rightMargin, float topMargin, float bottomMargin,
                float linesPerInch, const TPrintBandProc &header, const TPrintBandProc &footer,
                QString *error)
{
    auto setError = [error](const QString &text) {
        if (error)
            *error = text;
    };

    QPainter canvas;
    if (!canvas.begin(&printer)) {
        setError(QStringLiteral("PrintString: the printer cannot start the job."));
        return -1;
    }

    const QFont font = PrinterFont(aFont);
    canvas.setFont(font);
    const QFontMetrics bodyMetrics = canvas.fontMetrics();
    TPrintLayout layout;
    QString layoutError;
    const bool laidOut = ComputePrintLayout(
        ReadPrinterMetrics(printer), leftMargin, rightMargin, topMargin, bottomMargin, linesPerInch,
        bodyMetrics.height(), int(lines.size()), &layout, &layoutError);

    bool continuePrinting = true;
    bool failed = !laidOut;
    int page = 1;
    if (failed)
        setError(layoutError);
    const QPen bodyPen = canvas.pen();
    for (int next = 0; !failed;) {
        if (header) {
            header(canvas, page, continuePrinting, layout.header);
            canvas.setFont(font);
            canvas.setPen(bodyPen);
            if (!continuePrinting)
                break;
        }
        for (; next < lines.size() && PageOfLine(layout, next) == page; ++next)
            DrawTextAt(canvas, layout.body.left, LineTop(layout, next), lines.at(next));
        if (footer) {
            footer(canvas, page, continuePrinting, layout.footer);
            canvas.setFont(font);
            canvas.setPen(bodyPen);
        }
        if (next >= lines.size() || !continuePrinting)
            break;
        if (!printer.newPage()) {
            setError(QStringLiteral("PrintString: the printer cannot start a new page."));
            failed = true;
            break;
        }
        ++page;
    }

    // The pages drawn so far go out even after an error; only a stop by a
    // header or footer, or discard, cancels the job.
    const bool cancel = !continuePrinting || discard;
    bool aborted = false;
    if (cancel)
        aborted = printer.abort();
    const bool ended = canvas.end();
    if (cancel && !aborted && printer.outputFormat() == QPrinter::PdfFormat &&
        !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName()); // the PDF writer cannot cancel
    if (!cancel && (!ended || printer.printerState() == QPrinter::Error) && !failed) {
        setError(QStringLiteral("PrintString: the printer failed to finish the job."));
        failed = true;
    }
    if (failed)
        return -1;
    return continuePrinting ? page : 0;
}

QString HeaderCreditText()
{
    // Program and version, its makers, and what it is: there is no web site.
    return QStringLiteral("Vantu " VANTU_VERSION
                          ",   the Vantu developers,   sunrise, noon and sunset "
                          "calculator");
}

QFont HeaderFooterFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

void PrintHeader(QPainter &canvas, int, bool &, const TPixelRect &band)
{
    const int dpiY = canvas.device()->logicalDpiY();
    SetRulePen(canvas);
    const int ruleY = HeaderRuleY(band.bottom, dpiY);
    canvas.drawLine(band.left, ruleY, band.right, ruleY);
    canvas.setFont(HeaderFooterFont());
    canvas.setPen(Grey);
    const int top = HeaderTextBottom(band.bottom, dpiY) - canvas.fontMetrics().height();
    DrawTextAt(canvas, band.left, top, HeaderCreditText());
}

void PrintFooter(QPainter &canvas, int page, bool &, const TPixelRect &band)
{
    const int dpiY = canvas.device()->logicalDpiY();
    SetRulePen(canvas);
    canvas.drawLine(band.left, band.top, band.right, band.top);
    const QString text = QStringLiteral("- %1 -").arg(page);
    canvas.setFont(HeaderFooterFont());
    canvas.setPen(Grey);
    const int width = canvas.fontMetrics().horizontalAdvance(text);
    DrawTextAt(canvas, band.right - width, FooterTextTop(band.top, dpiY), text);
}
