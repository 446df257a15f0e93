#include "app/YearChartView.h"

#include "app/ChartPen.h"
#include "app/HorizonDrawing.h"
#include "app/YearChartStyle.h"
#include "common/EventsOnClock.h"
#include "common/SystemClock.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

using namespace YearChart;
using namespace YearChartStyle;

namespace
{

QString HourText(int hour)
{
    return QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0'));
}

enum TLegendKind { lkBand, lkCurve, lkCalendar, lkSeason, lkLight, lkExtreme, lkVisible };
struct TLegendItem {
    TLegendKind Kind;
    int Index;
    QString Text;
};

constexpr double SwatchWidth = 26;
} // namespace

struct TYearChartView::TLayout {
    double LineHeight = 0;
    QRectF Caption;
    QRectF SeasonRow;
    QRectF Main;
    QRectF Length;
    QRectF MonthRow;
    QVector<TLegendItem> Legend;
    QVector<QRectF> LegendRects;
};

TYearChartView::TYearChartView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("YearChart"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QColor TYearChartView::BandColour(TBand band)
{
    return BandColours[int(band)];
}

void TYearChartView::SetRows(const QVector<TDayEvents> &rows, const QVector<TSeasonDay> &seasons)
{
    FRows = rows;
    FSeasons = seasons;
    const TEventKind events[3] = {TEventKind::Sunrise, TEventKind::SolarNoon, TEventKind::Sunset};
    for (int c = 0; c < 3; ++c) {
        QVector<std::optional<double>> hours;
        hours.reserve(rows.size());
        for (const TDayEvents &row : rows)
            hours.append(EventHour(row, events[c]));
        FCurves[c] = SplitSeries(hours);
    }
    FVisible[0] = SplitSeries(VisibleHours(rows, true));
    FVisible[1] = SplitSeries(VisibleHours(rows, false));
    FLengthPieces.clear();
    TPiece length;
    for (int i = 0; i < rows.size(); ++i)
        length.append(QPointF(i + 0.5, rows[i].DayLength / 3600.0));
    if (!length.isEmpty())
        FLengthPieces.append(length);
    if (FCurrent >= rows.size())
        FCurrent = rows.isEmpty() ? -1 : int(rows.size()) - 1;
    FExtremes = SunExtremes(rows);
    FindLightSpans();
    update();
}

void TYearChartView::SetLight(const std::optional<TLightBands> &bands)
{
    FLight = bands;
    FindLightSpans();
    update();
}

void TYearChartView::FindLightSpans()
{
    const TLightBands b = FLight.value_or(TLightBands());
    FGolden = FLight ? BetweenSpans(FRows, b.GoldenFrom, b.GoldenTo) : QVector<QVector<TSpan>>();
    FBlue = FLight ? BetweenSpans(FRows, b.BlueFrom, b.GoldenFrom) : QVector<QVector<TSpan>>();
}

QString TYearChartView::ExtremeText(int which) const
{
    const int day = which == 0 ? FExtremes.LatestSunrise : FExtremes.EarliestSunset;
    if (day < 0 || day >= FRows.size())
        return QString();
    const QDate date = DateOf(FRows[day]);
    return (which == 0 ? FTexts.LatestSunrise : FTexts.EarliestSunset)
        .arg(FTexts.DayMonth.arg(date.day()).arg(FTexts.Months.value(date.month() - 1)));
}

void TYearChartView::SetCalendarDay(const QDate &day)
{
    FCalendarDay = day;
    update();
}

void TYearChartView::SetTexts(const TYearChartTexts &texts)
{
    const QString caption = FTexts.Caption;
    FTexts = texts;
    FTexts.Caption = caption;
    update();
}

void TYearChartView::SetCaption(const QString &caption)
{
    FTexts.Caption = caption;
    update();
}

void TYearChartView::SetCurrentDay(int day)
{
    if (FRows.isEmpty())
        day = -1;
    else
        day = std::clamp(day, 0, int(FRows.size()) - 1);
    if (day == FCurrent)
        return;
    FCurrent = day;
    update();
}

void TYearChartView::PointTo(int day)
{
    const int before = FCurrent;
    SetCurrentDay(day);
    if (FCurrent != before && FCurrent >= 0)
        emit DayPointed(FCurrent);
}

QFont TYearChartView::ChartFont() const
{
    // A pixel size keeps text in proportion to the chart on every device the
    // same routine paints (screen, PNG, PDF).
    QFont f = font();
    f.setPixelSize(std::max(10, QFontInfo(font()).pixelSize()));
    return f;
}

TYearChartView::TLayout TYearChartView::Layout(const QSizeF &size, const QFont &font) const
{
    TLayout l;
    const QFontMetricsF fm(font);
    l.LineHeight = fm.height();
    const double left = fm.horizontalAdvance(QStringLiteral("24:00")) + 12;
    const double right = 16;
    const double width = std::max(10.0, size.width() - left - right);
    l.Caption = QRectF(left, 4, width, l.LineHeight);
    // The dates of the season days over their markers.
    l.SeasonRow = QRectF(left, l.Caption.bottom() + 2, width, l.LineHeight + MarkerSize + 2);

    // The legend flows in rows under the month names.
    for (int b = 0; b < BandCount; ++b)
        l.Legend.append({lkBand, b, FTexts.Bands[b]});
    l.Legend.append({lkCurve, 0, FTexts.Sunrise});
    l.Legend.append({lkCurve, 1, FTexts.Noon});
    l.Legend.append({lkCurve, 2, FTexts.Sunset});
    if (!FVisible[0].isEmpty() || !FVisible[1].isEmpty()) {
        l.Legend.append({lkVisible, 0, FTexts.VisibleSunrise});
        l.Legend.append({lkVisible, 1, FTexts.VisibleSunset});
    }
    l.Legend.append({lkCalendar, 0, FTexts.CalendarDay});
    l.Legend.append({lkSeason, 0, FTexts.Equinox + QLatin1String(" / ") + FTexts.Solstice});
    if (FLight) {
        l.Legend.append({lkLight, 0, FTexts.GoldenHour});
        l.Legend.append({lkLight, 1, FTexts.BlueHour});
    }
    for (int which = 0; which < 2; ++which)
        if (const QString text = ExtremeText(which); !text.isEmpty())
            l.Legend.append({lkExtreme, which, text});
    const double rowHeight = l.LineHeight + 6;
    double x = left;
    int row = 0;
    for (const TLegendItem &item : l.Legend) {
        const double w = SwatchWidth + 6 + fm.horizontalAdvance(item.Text);
        if (x > left && x + w > left + width) {
            x = left;
            ++row;
        }
        l.LegendRects.append(QRectF(x, row * rowHeight, w, l.LineHeight));
        x += w + 18;
    }
    const double legendHeight = (row + 1) * rowHeight;

    const double monthRow = l.LineHeight + 6;
    const double top = l.SeasonRow.bottom() + 2;
    const double rest = size.height() - top - (l.LineHeight + 2) - monthRow - legendHeight - 6;
    const double lengthHeight = std::max(36.0, rest * 0.2);
    const double mainHeight = std::max(40.0, rest - lengthHeight);
    l.Main = QRectF(left, top, width, mainHeight);
    // The gap keeps the lower chart's top hour clear of the main one's 24:00.
    l.Length = QRectF(left, l.Main.bottom() + l.LineHeight + 2, width, lengthHeight);
    l.MonthRow = QRectF(left, l.Length.bottom(), width, monthRow);
    for (QRectF &r : l.LegendRects)
        r.translate(0, l.MonthRow.bottom() + 2);
    return l;
}

TMapping TYearChartView::Mapping(const QSizeF &size) const
{
    const TLayout l = Layout(size, ChartFont());
    return TMapping{l.Main, FRows.isEmpty() ? 365 : int(FRows.size()), 0, 24};
}

// What the layers of one painting share.
struct TYearChartView::TCanvas {
    QPainter &P;
    double K; // the width of a cosmetic pen of one device pixel
    QFont Font;
    TLayout L;
    int Days;
    int Year;
    TMapping Main;
    TMapping Length;
    QVector<double> MonthStarts; // the left edges of the months, then the plot's right edge
};

void TYearChartView::Paint(QPainter &p, const QSizeF &size, bool showCurrent) const
{
    const QFont font = ChartFont();
    const TLayout l = Layout(size, font);
    const int days = FRows.isEmpty() ? 365 : int(FRows.size());
    const TMapping main{l.Main, days, 0, 24};
    const TMapping length{l.Length, days, 24, 0};

    p.save();
    p.setFont(font);
    const double k = DevicePixel(p);
    p.fillRect(QRectF(QPointF(0, 0), size), Qt::white);

    const int year = FRows.isEmpty() ? TSystemClock::Today().year() : DateOf(FRows.first()).year();
    QVector<double> monthStarts;
    for (int m = 1; m <= 12; ++m)
        monthStarts.append(main.DayToX(QDate(year, m, 1).dayOfYear() - 1));
    monthStarts.append(l.Main.right());
    const TCanvas c{p, k, font, l, days, year, main, length, monthStarts};

    // Without antialiasing the neighbouring columns meet without seams.
    p.setRenderHint(QPainter::Antialiasing, false);
    PaintShades(c);
    PaintLightBands(c);
    PaintGrid(c);
    p.setRenderHint(QPainter::Antialiasing, true);
    PaintDayLength(c);
    PaintSeasons(c);
    PaintCurves(c);
    PaintExtremes(c);
    PaintCalendarDay(c);
    if (showCurrent)
        PaintCurrentDay(c);
    PaintAxes(c);
    PaintTitles(c);
    PaintLegend(c);
    p.restore();
}

// Each day's column, the brighter bands over the darker ones.
void TYearChartView::PaintShades(const TCanvas &c) const
{
    c.P.fillRect(c.L.Main, BandColours[0]);
    c.P.fillRect(c.L.Length, BandColours[0]);
    for (int i = 0; i < FRows.size(); ++i) {
        const double x0 = c.Main.DayToX(i);
        const double x1 = c.Main.DayToX(i + 1);
        for (int b = 1; b < BandCount; ++b) {
            for (const TSpan &s : BandSpans(FRows[i], TBand(b)))
                c.P.fillRect(
                    QRectF(QPointF(x0, c.Main.HourToY(s.From)), QPointF(x1, c.Main.HourToY(s.To))),
                    BandColours[b]);
        }
    }
}

// The golden and blue hours over the shades of twilight and day.
void TYearChartView::PaintLightBands(const TCanvas &c) const
{
    const QVector<QVector<TSpan>> *bands[2] = {&FGolden, &FBlue};
    for (int b = 0; b < 2; ++b)
        for (int i = 0; i < bands[b]->size() && i < c.Days; ++i)
            for (const TSpan &s : (*bands[b])[i])
                c.P.fillRect(QRectF(QPointF(c.Main.DayToX(i), c.Main.HourToY(s.From)),
                                    QPointF(c.Main.DayToX(i + 1), c.Main.HourToY(s.To))),
                             LightColours[b]);
}

// Every three hours and every month.
void TYearChartView::PaintGrid(const TCanvas &c) const
{
    const TLayout &l = c.L;
    c.P.setPen(CosmeticPen(QColor(255, 255, 255, 90), c.K));
    for (int h = 3; h < 24; h += 3)
        c.P.drawLine(QPointF(l.Main.left(), c.Main.HourToY(h)),
                     QPointF(l.Main.right(), c.Main.HourToY(h)));
    c.P.drawLine(QPointF(l.Length.left(), c.Length.HourToY(12)),
                 QPointF(l.Length.right(), c.Length.HourToY(12)));
    for (int m = 1; m < 12; ++m) {
        const double x = c.MonthStarts[m];
        c.P.drawLine(QPointF(x, l.Main.top()), QPointF(x, l.Main.bottom()));
        c.P.drawLine(QPointF(x, l.Length.top()), QPointF(x, l.Length.bottom()));
    }
}

// The lit part of the lower chart.
void TYearChartView::PaintDayLength(const TCanvas &c) const
{
    QPainter &p = c.P;
    for (const TPiece &piece : FLengthPieces) {
        QPolygonF area;
        area.append(c.Length.ToPixel(QPointF(0, 0)));
        for (const QPointF &pt : piece)
            area.append(c.Length.ToPixel(pt));
        area.append(c.Length.ToPixel(QPointF(c.Days, 0)));
        p.setPen(Qt::NoPen);
        p.setBrush(BandColours[int(TBand::Day)]);
        p.drawPolygon(area);
        p.setBrush(Qt::NoBrush);
        QPolygonF line;
        for (const QPointF &pt : piece)
            line.append(c.Length.ToPixel(pt));
        DrawWithHalo(p, c.K, line, CosmeticPen(CurveColours[0], c.K * 1.5));
    }
}

// Solstices and equinoxes: their dates above the chart and triangles
// pointing at the day's column from outside, so that they hide no shade.
void TYearChartView::PaintSeasons(const TCanvas &c) const
{
    const TLayout &l = c.L;
    const QFontMetricsF fm(c.Font);
    for (const TSeasonDay &s : FSeasons) {
        const int day = QDate(c.Year, 1, 1).daysTo(s.Date);
        if (day < 0 || day >= c.Days)
            continue;
        const double x = c.Main.DayCentreX(day);
        SeasonMarker(c.P, c.K, QPointF(x, l.Main.top()), true);
        SeasonMarker(c.P, c.K, QPointF(x, l.Main.bottom()), false);
        const QString text =
            FTexts.DayMonth.arg(s.Date.day()).arg(FTexts.Months.value(s.Date.month() - 1));
        const double w = fm.horizontalAdvance(text);
        const double tx = std::clamp(x - w / 2, l.SeasonRow.left(), l.SeasonRow.right() - w);
        c.P.setPen(SeasonColour);
        c.P.drawText(QRectF(tx, l.SeasonRow.top(), w + 1, l.LineHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

// Sunrise, solar noon and sunset.
void TYearChartView::PaintCurves(const TCanvas &c) const
{
    for (int i = 0; i < 3; ++i) {
        for (const TPiece &piece : FCurves[i]) {
            QPolygonF line;
            for (const QPointF &pt : piece)
                line.append(c.Main.ToPixel(pt));
            DrawWithHalo(c.P, c.K, line, CosmeticPen(CurveColours[i], c.K * 2, CurveStyles[i]));
        }
    }
    for (int i = 0; i < 2; ++i) {
        for (const TPiece &piece : FVisible[i]) {
            QPolygonF line;
            for (const QPointF &pt : piece)
                line.append(c.Main.ToPixel(pt));
            DrawWithHalo(c.P, c.K, line, CosmeticPen(VisibleColour, c.K * 2, VisibleStyles[i]));
        }
    }
}

// The latest sunrise and the earliest sunset, on their curves.
void TYearChartView::PaintExtremes(const TCanvas &c) const
{
    const std::pair<int, TEventKind> extremes[2] = {{FExtremes.LatestSunrise, TEventKind::Sunrise},
                                                    {FExtremes.EarliestSunset, TEventKind::Sunset}};
    for (const auto &[day, kind] : extremes)
        if (day >= 0 && day < FRows.size())
            if (const std::optional<double> hour = EventHour(FRows[day], kind))
                ExtremeMarker(c.P, c.K, c.Main.ToPixel(QPointF(day + 0.5, *hour)));
}

// The main window's calendar day.
void TYearChartView::PaintCalendarDay(const TCanvas &c) const
{
    if (!FCalendarDay.isValid() || FCalendarDay.year() != c.Year)
        return;
    const TLayout &l = c.L;
    const double x = c.Main.DayCentreX(FCalendarDay.dayOfYear() - 1);
    DrawWithHalo(c.P, c.K, QPolygonF({QPointF(x, l.Main.top()), QPointF(x, l.Main.bottom())}),
                 CosmeticPen(CalendarColour, c.K * 2));
    DrawWithHalo(c.P, c.K, QPolygonF({QPointF(x, l.Length.top()), QPointF(x, l.Length.bottom())}),
                 CosmeticPen(CalendarColour, c.K * 2));
}

// The day being read out, while the user points at the chart.
void TYearChartView::PaintCurrentDay(const TCanvas &c) const
{
    if (FCurrent < 0 || FCurrent >= c.Days)
        return;
    const double x0 = c.Main.DayToX(FCurrent) - 1.5;
    const double x1 = c.Main.DayToX(FCurrent + 1) + 1.5;
    const QRectF column(QPointF(x0, c.L.Main.top()), QPointF(x1, c.L.Length.bottom()));
    c.P.setBrush(Qt::NoBrush);
    c.P.setPen(CosmeticPen(Qt::white, c.K * 3));
    c.P.drawRect(column);
    c.P.setPen(CosmeticPen(Qt::black, c.K * 1.5, Qt::DashLine));
    c.P.drawRect(column);
}

// Frames, the hours beside both charts and the months below.
void TYearChartView::PaintAxes(const TCanvas &c) const
{
    QPainter &p = c.P;
    const TLayout &l = c.L;
    p.setBrush(Qt::NoBrush);
    p.setPen(CosmeticPen(TextColour, c.K));
    p.drawRect(l.Main);
    p.drawRect(l.Length);
    for (int h = 0; h <= 24; h += 3) {
        const double y = c.Main.HourToY(h);
        p.drawLine(QPointF(l.Main.left() - 4, y), QPointF(l.Main.left(), y));
        p.drawText(QRectF(0, y - l.LineHeight / 2, l.Main.left() - 6, l.LineHeight),
                   Qt::AlignRight | Qt::AlignVCenter, HourText(h));
    }
    for (int h : {0, 12, 24}) {
        const double y = c.Length.HourToY(h);
        p.drawLine(QPointF(l.Length.left() - 4, y), QPointF(l.Length.left(), y));
        const double ty = std::clamp(y - l.LineHeight / 2, l.Length.top() - l.LineHeight / 2,
                                     l.Length.bottom() - l.LineHeight / 2);
        p.drawText(QRectF(0, ty, l.Length.left() - 6, l.LineHeight),
                   Qt::AlignRight | Qt::AlignVCenter, HourText(h));
    }
    const QVector<double> &starts = c.MonthStarts;
    for (int m = 0; m < 12; ++m) {
        p.drawLine(QPointF(starts[m], l.Length.bottom()),
                   QPointF(starts[m], l.Length.bottom() + 4));
        p.drawText(QRectF(starts[m], l.MonthRow.top() + 2, starts[m + 1] - starts[m],
                          l.MonthRow.height() - 2),
                   Qt::AlignHCenter | Qt::AlignVCenter, FTexts.Months.value(m));
    }
}

// The lower chart's title and the caption, in the pen of the axes.
void TYearChartView::PaintTitles(const TCanvas &c) const
{
    QPainter &p = c.P;
    const TLayout &l = c.L;
    // The lower chart's title sits on a white tab in its corner.
    const QString text = FTexts.DayLength;
    const QRectF tab(l.Length.left() + 1, l.Length.top() + 1,
                     QFontMetricsF(c.Font).horizontalAdvance(text) + 8, l.LineHeight + 2);
    p.fillRect(tab, QColor(255, 255, 255, 220));
    p.drawText(tab, Qt::AlignCenter, text);

    QFont bold = c.Font;
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(l.Caption, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(bold).elidedText(FTexts.Caption, Qt::ElideRight, l.Caption.width()));
    p.setFont(c.Font);
}

// Each swatch with its text, in the rows that the layout flowed.
void TYearChartView::PaintLegend(const TCanvas &c) const
{
    QPainter &p = c.P;
    const double k = c.K;
    for (int i = 0; i < c.L.Legend.size(); ++i) {
        const TLegendItem &item = c.L.Legend[i];
        const QRectF r = c.L.LegendRects[i];
        const QRectF swatch(r.left(), r.top() + 2, SwatchWidth, r.height() - 4);
        const double midY = swatch.center().y();
        switch (item.Kind) {
        case lkBand:
            p.setPen(CosmeticPen(TextColour, k));
            p.setBrush(BandColours[item.Index]);
            p.drawRect(swatch);
            p.setBrush(Qt::NoBrush);
            break;
        case lkCurve:
            DrawWithHalo(p, k,
                         QPolygonF({QPointF(swatch.left(), midY), QPointF(swatch.right(), midY)}),
                         CosmeticPen(CurveColours[item.Index], k * 2, CurveStyles[item.Index]));
            break;
        case lkVisible:
            DrawWithHalo(p, k,
                         QPolygonF({QPointF(swatch.left(), midY), QPointF(swatch.right(), midY)}),
                         CosmeticPen(VisibleColour, k * 2, VisibleStyles[item.Index]));
            break;
        case lkCalendar:
            p.setPen(CosmeticPen(CalendarColour, k * 2));
            p.drawLine(QPointF(swatch.center().x(), swatch.top()),
                       QPointF(swatch.center().x(), swatch.bottom()));
            break;
        case lkSeason:
            SeasonMarker(p, k, QPointF(swatch.center().x(), swatch.bottom()), true);
            break;
        case lkLight:
            p.setPen(CosmeticPen(TextColour, k));
            p.setBrush(LightColours[item.Index]);
            p.drawRect(swatch);
            p.setBrush(Qt::NoBrush);
            break;
        case lkExtreme:
            DrawWithHalo(p, k,
                         QPolygonF({QPointF(swatch.left(), midY), QPointF(swatch.right(), midY)}),
                         CosmeticPen(CurveColours[item.Index == 0 ? 0 : 2], k * 2,
                                     CurveStyles[item.Index == 0 ? 0 : 2]));
            ExtremeMarker(p, k, swatch.center());
            break;
        }
        p.setPen(TextColour);
        p.drawText(QRectF(swatch.right() + 6, r.top(), r.width() - SwatchWidth - 6 + 1, r.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, item.Text);
    }
}

void TYearChartView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    Paint(p, size(), hasFocus() || FHover);
    if (hasFocus())
        PaintFocusFrame(p, *this);
}

void TYearChartView::keyPressEvent(QKeyEvent *event)
{
    if (FRows.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int last = int(FRows.size()) - 1;
    const int from = FCurrent >= 0 ? FCurrent : 0;
    const QDate date = DateOf(FRows[from]);
    auto indexOf = [&](const QDate &d) { return int(DateOf(FRows.first()).daysTo(d)); };
    switch (event->key()) {
    case Qt::Key_Left:
        PointTo(std::max(0, from - 1));
        break;
    case Qt::Key_Right:
        PointTo(std::min(last, from + 1));
        break;
    case Qt::Key_Home:
        PointTo(0);
        break;
    case Qt::Key_End:
        PointTo(last);
        break;
    case Qt::Key_PageUp:
        PointTo(std::max(0, indexOf(date.addMonths(-1))));
        break;
    case Qt::Key_PageDown:
        PointTo(std::min(last, indexOf(date.addMonths(1))));
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TYearChartView::mouseMoveEvent(QMouseEvent *event)
{
    const int day = Mapping(size()).XToDay(event->position().x());
    FHover = day >= 0;
    if (day >= 0)
        PointTo(day);
    update();
}

void TYearChartView::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    mouseMoveEvent(event);
}

void TYearChartView::leaveEvent(QEvent *)
{
    FHover = false;
    update();
}

void TYearChartView::focusInEvent(QFocusEvent *)
{
    update();
}

void TYearChartView::focusOutEvent(QFocusEvent *)
{
    update();
}
