// Times the city search: the first load (module, cities, three catalogues,
// index), then every prefix of a few typed names, as each keystroke would ask.
//   bench_gazetteer [runs] [words...]   default: 200 Bratislava Košice Wien Vienna Pozsony
// Run from build/bin, where the module lies beside the program.
#include "localities/Gazetteer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <vector>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int runs = 200;
    QStringList words{"Bratislava", "Košice", "Wien", "Vienna", "Pozsony"};
    const QStringList args = app.arguments().mid(1);
    if (!args.isEmpty()) {
        runs = std::max(1, args.first().toInt());
        if (args.size() > 1)
            words = args.mid(1);
    }
    QTextStream out(stdout);

    TGazetteer gazetteer;
    QElapsedTimer timer;
    timer.start();
    const bool available = gazetteer.Load();
    const double loadMs = timer.nsecsElapsed() / 1e6;
    if (!available) {
        out << "unavailable: " << gazetteer.Error() << "\n";
        return 1;
    }
    out << "cities " << gazetteer.Count() << ", load " << QString::number(loadMs, 'f', 1)
        << " ms\n";
    out << qSetFieldWidth(14) << Qt::left << "query" << qSetFieldWidth(11) << Qt::right << "matches"
        << "median us"
        << "worst us" << qSetFieldWidth(0) << "  first match\n";

    double worstOverall = 0;
    const TLanguage languages[] = {TLanguage::Slovak, TLanguage::English, TLanguage::Hungarian};
    for (const QString &word : std::as_const(words)) {
        for (int length = 1; length <= word.size(); ++length) {
            const QString typed = word.left(length);
            std::vector<double> times;
            QList<TCityMatch> matches;
            for (int run = 0; run < runs; ++run) {
                timer.restart();
                matches = gazetteer.Find(typed, languages[run % 3], 20);
                times.push_back(timer.nsecsElapsed() / 1e3);
            }
            std::sort(times.begin(), times.end());
            worstOverall = std::max(worstOverall, times.back());
            out << qSetFieldWidth(14) << Qt::left << typed << qSetFieldWidth(11) << Qt::right
                << matches.size() << QString::number(times[times.size() / 2], 'f', 0)
                << QString::number(times.back(), 'f', 0) << qSetFieldWidth(0) << "  "
                << (matches.isEmpty() ? QString()
                                      : matches.first().Name + ", " + matches.first().Country)
                << "\n";
        }
    }
    out << "worst query " << QString::number(worstOverall / 1e3, 'f', 2) << " ms over " << runs
        << " runs each\n";
    return 0;
}
