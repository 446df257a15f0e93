// Printing a list of text lines on pages between fixed margins, with a header
// and a footer on every page; and the table's own header and footer.
#pragma once

#include "table/PrintLayout.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;
class QPrinter;

// Header or footer of one page: may draw anything in its band and may clear
// continuePrinting to stop the job (which is then cancelled).
using TPrintBandProc =
    std::function<void(QPainter &canvas, int page, bool &continuePrinting, const TPixelRect &band)>;

// Metrics of the printer's current page, in its own pixels.
TPrinterMetrics ReadPrinterMetrics(QPrinter &printer);

// Prints the lines, each at the body's left edge, unwrapped and unclipped.
// Returns the number of pages, 0 when a header or footer stopped the job, or
// -1 with the reason in *error (may be null) when the printer failed or the
// margins leave no room; the pages drawn so far are still sent. With discard
// the job is cancelled at its end instead of ended (a PDF file is removed).
int PrintString(QPrinter &printer, const QStringList &lines, const QFont &aFont, bool discard,
                float leftMargin, float rightMargin, float topMargin, float bottomMargin,
                float linesPerInch, const TPrintBandProc &header, const TPrintBandProc &footer,
                QString *error = nullptr);

// The credit line at the top of every page.
QString HeaderCreditText();
// "Arial" 8 pt, or a sans-serif with the same metrics where Arial is missing.
QFont HeaderFooterFont();

// Grey rule 1/18 inch above the body and the credit line ending 1/10 inch above it.
void PrintHeader(QPainter &canvas, int page, bool &continuePrinting, const TPixelRect &band);
// Grey rule along the body's bottom edge and "- n -" right-aligned 1/18 inch below it.
void PrintFooter(QPainter &canvas, int page, bool &continuePrinting, const TPixelRect &band);
