// Times Load + CheckLocalities + SortLocalities on generated files of valid records.
//   bench_localities [counts...]    default: 9 1000 10000 100000
#include "localities/LocalityFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace
{

// Valid records with varied names, offsets and positions, in no particular order.
TLocalityList MakeRecords(int count)
{
    const TLocalityList towns = PredefinedLocalities();
    if (count == towns.size())
        return towns;
    TLocalityList list;
    list.reserve(count);
    quint32 seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % quint32(n));
    };
    for (int i = 0; i < count; ++i) {
        TLocality r = towns[i % towns.size()];
        r.Field[fMesto] = QStringLiteral("%1 %2").arg(r.Field[fMesto]).arg(next(1000000));
        r.Field[fHod] = QString::number(next(25) - 12);
        r.Field[fMin] = QString::number(next(4) * 15);
        r.Field[fZS1] = QString::number(next(91));
        r.Field[fZS2] = QString::number(next(60));
        r.Field[fZS3] = QString::number(next(60));
        r.Field[fZS4] = next(2) ? QStringLiteral("N") : QStringLiteral("S");
        r.Field[fZD1] = QString::number(next(181));
        r.Field[fZD2] = QString::number(next(60));
        r.Field[fZD3] = QString::number(next(60));
        r.Field[fZD4] = next(2) ? QStringLiteral("E") : QStringLiteral("W");
        list.append(r);
    }
    return list;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<int> counts{9, 1000, 10000, 100000};
    if (argc > 1) {
        counts.clear();
        for (int i = 1; i < argc; ++i)
            counts << QString::fromLocal8Bit(argv[i]).toInt();
    }

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "No temporary folder.\n");
        return 1;
    }
    QTextStream out(stdout);
    out << "locale " << QLocale::system().name() << "\n";
    out << qSetFieldWidth(9) << "records"
        << "bytes"
        << "load ms"
        << "check ms"
        << "sort ms"
        << "total ms" << qSetFieldWidth(0) << "\n";
    for (int count : counts) {
        const QString path = dir.filePath(QStringLiteral("lokality-%1.xml").arg(count));
        TLocalityFile writer(path);
        QString error;
        writer.StartFromSkeleton(dir.path());
        if (!writer.Save(MakeRecords(count), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }

        QElapsedTimer timer;
        timer.start();
        TLocalityFile file(path);
        TLocalityList list;
        const TLoadStatus status = file.Load(list);
        const double load = timer.nsecsElapsed() / 1e6;
        const int invalid = CheckLocalities(list);
        const double check = timer.nsecsElapsed() / 1e6 - load;
        SortLocalities(list);
        const double total = timer.nsecsElapsed() / 1e6;
        if (status != TLoadStatus::Loaded || invalid != 0 || list.size() != count) {
            std::fprintf(stderr, "%d records did not load cleanly.\n", count);
            return 1;
        }
        out << qSetFieldWidth(9) << count << QFileInfo(path).size() << qSetRealNumberPrecision(1)
            << Qt::fixed << load << check << total - load - check << total << qSetFieldWidth(0)
            << "\n";
        out.flush();
    }
    return 0;
}
