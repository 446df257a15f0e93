// Appends month after month to one results table through the main window's
// command and prints the time of each command: it must not grow with the
// table's length.
#include "common/FileLocations.h"
#include "mainwindow/Vantu.h"
#include "table/Tabulka.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int months = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 12;
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    QFile file(QStringLiteral("lokality.xml"));
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write("<?xml version=\"1.0\"?>\n<SuborDat><Riadok><Mesto>SK - Sliač</Mesto><Hod>1</Hod>"
               "<Min>0</Min><ZS1>48</ZS1><ZS2>36</ZS2><ZS3>59</ZS3><ZS4>N</ZS4><ZD1>19</ZD1>"
               "<ZD2>8</ZD2><ZD3>35</ZD3><ZD4>E</ZD4></Riadok></SuborDat>");
    file.close();
    UseFileLocations(PortableLocations(folder.path()));

    TfrmVantu w;
    w.show();
    auto *calendar = w.findChild<QDateEdit *>(QStringLiteral("Kalendar"));
    auto *command = w.findChild<QAction *>(QStringLiteral("mnuTabulkaMes"));
    std::printf("month  lines before  ms\n");
    double total = 0;
    for (int m = 0; m < months; ++m) {
        calendar->setDate(QDate(2026, 1, 1).addMonths(m));
        const TfrmTabulka *table = w.findChild<TfrmTabulka *>();
        const int before = table ? table->Text().count(QLatin1Char('\n')) : 0;
        QElapsedTimer timer;
        timer.start();
        command->trigger();
        QCoreApplication::processEvents();
        const double ms = timer.nsecsElapsed() / 1e6;
        total += ms;
        std::printf("%5d  %12d  %6.2f\n", m + 1, before, ms);
    }
    std::printf("mean %.2f ms per month command\n", total / months);
    return 0;
}
