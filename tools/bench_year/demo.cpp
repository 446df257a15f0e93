// Shows the Year of the Sun window for one place in one language until it is
// closed; used to take the help pages' screenshots.
//   year_demo <sk|en|hu> <bratislava|polar|equator> [width height]
#include "app/RokSlnka.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString lang = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("en");
    const QString place = argc > 2 ? QString::fromLatin1(argv[2]) : QStringLiteral("bratislava");
    const TLanguage language = lang == QLatin1String("sk")   ? TLanguage::Slovak
                               : lang == QLatin1String("hu") ? TLanguage::Hungarian
                                                             : TLanguage::English;
    TChartRequest r;
    r.Day = QDate(2025, 6, 21);
    r.MainClock = TClock::Cet();
    r.PlaceClock = TClock::Local(3600);
    if (place == QLatin1String("polar")) {
        r.Place = {QStringLiteral("Longyearbyen"), 78.2232, 15.6267, {}};
        r.Day = QDate(2025, 12, 21);
    } else if (place == QLatin1String("equator")) {
        r.Place = {QStringLiteral("Quito"), -0.1807, -78.4678, {}};
        r.PlaceClock = r.MainClock = TClock::Local(-5 * 3600);
    } else {
        r.Place = {QStringLiteral("Bratislava"), 48.15, 17 + 7 / 60.0 + 1 / 3600.0, {}};
    }
    auto *w = new TfrmRokSlnka(nullptr, language);
    w->SetRequest(r);
    if (argc > 4)
        w->resize(QString::fromLatin1(argv[3]).toInt(), QString::fromLatin1(argv[4]).toInt());
    w->move(0, 0);
    w->show();
    return app.exec();
}
