// The measure of a chart window's opening, shared by the window benchmarks:
// opens the window again and again and prints the time from construction to
// the end of its chart's first paint, with the first, median and slowest run.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench
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

// open makes the window with its request set, not yet shown; the chart is
// its child of that object name. The runs come from the first argument.
inline int TimeWindowOpening(int argc, char *argv[], const char *chartName,
                             const std::function<QWidget *()> &open)
{
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 20;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        QWidget *w = open();
        TPaintSeen seen;
        QWidget *chart = w->findChild<QWidget *>(QString::fromLatin1(chartName));
        chart->installEventFilter(&seen);
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

} // namespace bench
