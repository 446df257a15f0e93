// Opens the Year of the Sun window again and again and prints the time from
// construction to the end of its first paint: the year's rows (365 days,
// four zenith angles) are computed in between. The aim is under 150 ms.
#include "app/RokSlnka.h"
#include "app/YearChartView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

namespace
{

// Notes that the chart received its paint event; the paint is over once
// processEvents returns.
class TPaintSeen : public QObject
{
public:
    bool Seen = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            Seen = true;
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 20;
    TYearRequest request;
    request.Place = {QStringLiteral("Bratislava"), 48.15, 17 + 7 / 60.0 + 1 / 3600.0, {}};
    request.PlaceClock = TClock::Local(3600);
    request.MainClock = TClock::Cet();
    request.Year = 2025;
    request.CalendarDay = QDate(2025, 6, 21);

    QVector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        auto *w = new TfrmRokSlnka(nullptr, TLanguage::English);
        TPaintSeen seen;
        QWidget *chart = w->findChild<QWidget *>(QStringLiteral("YearChart"));
        chart->installEventFilter(&seen);
        w->SetRequest(request);
        w->show();
        while (!seen.Seen)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents();
        const double ms = timer.nsecsElapsed() / 1e6;
        times.append(ms);
        std::printf("run %2d  %7.2f ms\n", i + 1, ms);
        chart->removeEventFilter(&seen);
        w->close();
        QApplication::processEvents();
    }
    std::vector<double> sorted(times.begin(), times.end());
    std::sort(sorted.begin(), sorted.end());
    std::printf("first %.2f ms, median %.2f ms, slowest %.2f ms to open the window\n", times[0],
                sorted[sorted.size() / 2], sorted.back());
    return 0;
}
