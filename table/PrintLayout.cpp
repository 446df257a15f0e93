#include "table/PrintLayout.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

int RoundHalfEven(double value)
{
    // nearbyint honours the rounding mode; make sure it is the default one.
    const int mode = std::fegetround();
    if (mode != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    if (mode != FE_TONEAREST)
        std::fesetround(mode);
    return static_cast<int>(rounded);
}

int MarginPixels(int dpi, float inches)
{
    return RoundHalfEven(static_cast<double>(dpi) * static_cast<double>(inches));
}

int RuleWidth(int dpiY)
{
    return RoundHalfEven(dpiY / 72.0);
}

int HeaderRuleY(int headerBandBottom, int dpiY)
{
    return headerBandBottom - dpiY / 18;
}

int HeaderTextBottom(int headerBandBottom, int dpiY)
{
    return headerBandBottom - dpiY / 10;
}

int FooterTextTop(int footerBandTop, int dpiY)
{
    return footerBandTop + dpiY / 18;
}

bool ComputePrintLayout(const TPrinterMetrics &m, float leftMargin, float rightMargin,
                        float topMargin, float bottomMargin, float linesPerInch, int textHeight,
                        int lineCount, TPrintLayout *layout, QString *error)
{
    auto fail = [error](const char *message) {
        if (error)
            *error = QString::fromLatin1(message);
        return false;
    };

    // Body on the paper: the margins, but never into the unprintable border.
    const int l = std::max(MarginPixels(m.dpiX, leftMargin), m.offX);
    const int t = std::max(MarginPixels(m.dpiY, topMargin), m.offY);
    const int r = std::min(m.physW - MarginPixels(m.dpiX, rightMargin), m.pageW + m.offX);
    const int b = std::min(m.physH - MarginPixels(m.dpiY, bottomMargin), m.pageH + m.offY);
    if (l >= r || t >= b)
        return fail("PrintString: the supplied margins are too large, thereis no area to print "
                    "left on the page.");
    if (!(linesPerInch > 0))
        return fail("PrintString: the number of lines per inch must be above zero.");

    TPrintLayout result;
    result.body = {l - m.offX, t - m.offY, r - m.offX, b - m.offY};
    result.header = {result.body.left, 0, result.body.right, result.body.top};
    result.footer = {result.body.left, result.body.bottom, result.body.right, m.pageH};
    result.lineHeight = RoundHalfEven(m.dpiY / static_cast<double>(linesPerInch));
    result.textHeight = textHeight;
    result.ruleWidth = RuleWidth(m.dpiY);
    result.headerRuleY = HeaderRuleY(result.header.bottom, m.dpiY);
    result.headerTextBottom = HeaderTextBottom(result.header.bottom, m.dpiY);
    result.footerRuleY = result.footer.top;
    result.footerTextTop = FooterTextTop(result.footer.top, m.dpiY);
    if (result.lineHeight < 1)
        return fail("PrintString: the lines per inch are too many for the printer's resolution.");

    // A line goes on the page while its top lies at least one text height
    // above the body's bottom, so its text ends inside the body.
    const int lastTop = result.body.bottom - textHeight;
    if (lastTop < result.body.top)
        return fail("PrintString: the body between the margins is lower than one line of text.");
    result.linesPerPage = (lastTop - result.body.top) / result.lineHeight + 1;

    result.lineCount = std::max(lineCount, 0);
    // No lines still make one page: the header and footer show an empty table.
    result.pageCount =
        std::max(1, (result.lineCount + result.linesPerPage - 1) / result.linesPerPage);
    result.pageFirstLine.reserve(result.pageCount);
    for (int page = 0; page < result.pageCount; ++page)
        result.pageFirstLine.push_back(page * result.linesPerPage);

    if (layout)
        *layout = std::move(result);
    return true;
}

int PageOfLine(const TPrintLayout &layout, int line)
{
    return layout.linesPerPage > 0 ? line / layout.linesPerPage + 1 : 1;
}

int LineTop(const TPrintLayout &layout, int line)
{
    const int onPage = layout.linesPerPage > 0 ? line % layout.linesPerPage : 0;
    return layout.body.top + onPage * layout.lineHeight;
}
