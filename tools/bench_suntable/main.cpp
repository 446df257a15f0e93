// bench_suntable [places] [year] [folder]: the events and CSV of a year with
// twilights for many places (default 1,000), one file per place in folder (a
// new temporary folder by default), timed on one thread and on every core;
// then the cost per place-day for a few spans and place counts, which stays
// flat when the cost is linear in days x places.
#include "common/EventWriters.h"
#include "common/EventsOnClock.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

namespace
{

// Places spread over the inhabited latitudes and all longitudes, each on its
// own whole-hour clock, so polar and ordinary days both occur.
QVector<TPlace> Places(int count)
{
    QVector<TPlace> places;
    places.reserve(count);
    for (int i = 0; i < count; ++i) {
        TPlace p;
        p.Name = QStringLiteral("Place %1").arg(i);
        p.Latitude = -70.0 + 140.0 * ((i * 37) % count) / count;
        p.Longitude = 180.0 - 360.0 * ((i * 61) % count) / count;
        places.append(p);
    }
    return places;
}

struct TTiming {
    double Wall = 0; // seconds
    double Cpu = 0;  // seconds of the process, all threads
    qint64 Bytes = 0;
};

// Every place's CSV over the days, by threads taking the next place in turn;
// written into folder unless it is empty.
TTiming Run(const QVector<TPlace> &places, const QDate &first, const QDate &last, int threads,
            const QString &folder = QString())
{
    QElapsedTimer timer;
    const std::clock_t cpu = std::clock();
    timer.start();
    std::atomic<int> next{0};
    std::atomic<qint64> bytes{0};
    const auto work = [&]() {
        for (int i = next++; i < places.size(); i = next++) {
            const TPlace &p = places[i];
            const int offset = int(p.Longitude / 15) * 3600;
            const QVector<TDayEvents> days = EventsOfDates(p, TClock::Offset(offset), first, last);
            const QByteArray csv = EventsCsv(days, true, TLanguage::English);
            bytes += csv.size();
            if (!folder.isEmpty()) {
                QFile file(QDir(folder).filePath(QStringLiteral("place%1.csv").arg(i)));
                if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size())
                    std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            }
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread &t : pool)
        t.join();
    TTiming timing;
    timing.Wall = timer.nsecsElapsed() / 1e9;
    timing.Cpu = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    timing.Bytes = bytes;
    return timing;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    const int year = argc > 2 ? QByteArray(argv[2]).toInt() : 2026;
    if (count <= 0 || year < 1 || year > 9999) {
        std::fprintf(stderr, "usage: bench_suntable [places] [year] [folder]\n");
        return 2;
    }
    const QDate first(year, 1, 1);
    const QDate last(year, 12, 31);
    const QVector<TPlace> places = Places(count);

    const int cores = std::max(1, QThread::idealThreadCount());
    const qint64 cells = qint64(count) * (first.daysTo(last) + 1);
    QTemporaryDir temporary;
    const QString folder = argc > 3 ? QString::fromLocal8Bit(argv[3]) : temporary.path();
    Run(places.mid(0, std::min(count, 20)), first, last, 1); // warm-up
    for (const int threads : {1, cores}) {
        const TTiming t = Run(places, first, last, threads, folder);
        std::printf("%d places x %lld days with twilights, CSV files written, %d thread(s): "
                    "%.3f s wall, %.3f s CPU (%.1f MB, %.0f ns CPU per place-day)\n",
                    count, first.daysTo(last) + 1, threads, t.Wall, t.Cpu, t.Bytes / 1e6,
                    t.Cpu * 1e9 / cells);
    }

    // Linear in days x places: the CPU time per place-day stays about the same.
    std::printf("linearity, one thread, no files (ns CPU per place-day):\n");
    const struct {
        int Places;
        int Days;
    } spans[] = {{250, 365}, {500, 365}, {1000, 365}, {500, 730}, {500, 1461}, {2000, 91}};
    for (const auto &s : spans) {
        const TTiming t = Run(Places(s.Places), first, first.addDays(s.Days - 1), 1);
        std::printf("  %5d places x %5d days: %7.3f s CPU, %4.0f ns\n", s.Places, s.Days, t.Cpu,
                    t.Cpu * 1e9 / (qint64(s.Places) * s.Days));
    }
    return 0;
}
