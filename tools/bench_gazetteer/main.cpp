// Times the city search: the first load (module, cities, every catalogue,
// index) and the memory it takes, then every prefix of a few typed names, as
// each keystroke would ask, then the widest queries there are: every one and
// two letters a ... z, which match the most names.
//   bench_gazetteer [runs] [words...]
//   default: 200 Bratislava Košice Wien Vienna Pozsony Warszawa Москва 北京
// Run from build/bin, where the module lies beside the program.
#include "localities/Gazetteer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace
{

// The resident memory of the process, in MiB.
double ResidentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// As many as the Find a place dialog asks for.
constexpr int Limit = 51;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int runs = 200;
    QStringList words{"Bratislava", "Košice",   "Wien",   "Vienna",
                      "Pozsony",    "Warszawa", "Москва", "北京"};
    const QStringList args = app.arguments().mid(1);
    if (!args.isEmpty()) {
        runs = std::max(1, args.first().toInt());
        if (args.size() > 1)
            words = args.mid(1);
    }
    QTextStream out(stdout);

    TGazetteer gazetteer;
    const double before = ResidentMiB();
    QElapsedTimer timer;
    timer.start();
    const bool available = gazetteer.Load();
    const double loadMs = timer.nsecsElapsed() / 1e6;
    const double memory = ResidentMiB() - before;
    if (!available) {
        out << "unavailable: " << gazetteer.Error() << "\n";
        return 1;
    }
    out << "cities " << gazetteer.Count() << ", load " << QString::number(loadMs, 'f', 1)
        << " ms, memory " << QString::number(memory, 'f', 1) << " MiB more resident\n";
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
                matches = gazetteer.Find(typed, languages[run % 3], Limit);
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
    out << "worst typed query " << QString::number(worstOverall / 1e3, 'f', 2) << " ms over "
        << runs << " runs each\n";

    double widest = 0;
    QString widestText;
    for (char first = 'a'; first <= 'z'; ++first) {
        for (char second = '`'; second <= 'z'; ++second) {
            QString typed{QLatin1Char(first)};
            if (second != '`')
                typed += QLatin1Char(second);
            for (int run = 0; run < std::max(1, runs / 20); ++run) {
                timer.restart();
                gazetteer.Find(typed, languages[run % 3], Limit);
                const double us = timer.nsecsElapsed() / 1e3;
                if (us > widest) {
                    widest = us;
                    widestText = typed;
                }
            }
        }
    }
    out << "worst of every a ... zz: " << QString::number(widest / 1e3, 'f', 2) << " ms ("
        << widestText << ")\n";
    return 0;
}
