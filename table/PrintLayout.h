// Page arithmetic of the table print-out: margins, body, header and footer
// bands, line height and which line goes on which page, all in printer
// pixels. Plain numbers in, plain numbers out; no printer needed.
#pragma once

#include <QString>
#include <vector>

// What the printer tells about its page, in its own pixels.
struct TPrinterMetrics {
    int dpiX = 0, dpiY = 0;   // pixels per inch across and down
    int offX = 0, offY = 0;   // printable area's distance from the paper's left and top edge
    int physW = 0, physH = 0; // paper size
    int pageW = 0, pageH = 0; // printable area size
};

// A rectangle by its edges (right and bottom are the edges, not the last
// pixel), in printable-area pixels: (0, 0) is the printable area's corner.
struct TPixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct TPrintLayout {
    TPixelRect body;
    TPixelRect header; // from the top of the printable area down to the body
    TPixelRect footer; // from the body down to the bottom of the printable area
    int lineHeight = 0;
    int textHeight = 0;
    int ruleWidth = 0;
    int headerRuleY = 0;      // centre line of the header rule
    int headerTextBottom = 0; // the header text ends here
    int footerRuleY = 0;      // centre line of the footer rule: the body's bottom
    int footerTextTop = 0;
    int linesPerPage = 0;
    int lineCount = 0;
    int pageCount = 0;              // at least 1, also for no lines
    std::vector<int> pageFirstLine; // index of each page's first line
};

// Nearest whole number, an exact half to the even neighbour.
int RoundHalfEven(double value);
int MarginPixels(int dpi, float inches);
int RuleWidth(int dpiY);                              // one point
int HeaderRuleY(int headerBandBottom, int dpiY);      // 1/18 inch above the body
int HeaderTextBottom(int headerBandBottom, int dpiY); // 1/10 inch above the body
int FooterTextTop(int footerBandTop, int dpiY);       // 1/18 inch below the footer rule

// The layout for lineCount lines of textHeight pixels. False with the reason
// in *error when the margins leave no body, or the body holds no line.
bool ComputePrintLayout(const TPrinterMetrics &metrics, float leftMargin, float rightMargin,
                        float topMargin, float bottomMargin, float linesPerInch, int textHeight,
                        int lineCount, TPrintLayout *layout, QString *error);

int PageOfLine(const TPrintLayout &layout, int line); // 1 for the first page
int LineTop(const TPrintLayout &layout, int line);    // top edge of the line on its page
