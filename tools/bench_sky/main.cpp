// Opens the Sun and Moon window again and again and prints the time from
// construction to the end of its first paint: the day's Sun and Moon, their
// paths every few minutes and the chosen time's sky are computed in between.
// The aim is under 100 ms.
#include "app/SlnkoMesiac.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

namespace
{

// Notes that the chart received its paint event.
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
    TSkyRequest request;
    request.Place = {QStringLiteral("Bratislava"), 48.15, 17 + 7 / 60.0 + 1 / 3600.0, {}};
    request.Clock = TClock::Zone(QTimeZone("Europe/Bratislava"));
    request.Day = QDate(2026, 6, 21);

    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        auto *w = new TfrmSlnkoMesiac(nullptr, TLanguage::English);
        TPaintSeen seen;
        QWidget *chart = w->findChild<QWidget *>(QStringLiteral("SkyChart"));
        chart->installEventFilter(&seen);
        w->SetRequest(request);
        w->show();
        while (!seen.Seen)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QApplication::processEvents();
        const double ms = timer.nsecsElapsed() / 1e6;
        times.push_back(ms);
        std::printf("run %2d  %7.2f ms\n", i + 1, ms);
        chart->removeEventFilter(&seen);
        w->close();
        QApplication::processEvents();
    }
    const double first = times.front();
    std::sort(times.begin(), times.end());
    std::printf("first %.2f ms, median %.2f ms, slowest %.2f ms to open the window\n", first,
                times[times.size() / 2], times.back());
    return 0;
}
