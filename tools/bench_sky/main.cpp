// Times the opening of the Sun and Moon window: the day's Sun and Moon, their
// paths every few minutes and the chosen time's sky are computed before its
// first paint. The aim is under 100 ms.
#include "app/SlnkoMesiac.h"
#include "tools/WindowOpenBench.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TChartRequest request;
    request.Place = {QStringLiteral("Bratislava"), 48.15, 17 + 7 / 60.0 + 1 / 3600.0, {}};
    request.MainClock = TClock::Zone(QTimeZone("Europe/Bratislava"));
    request.Day = QDate(2026, 6, 21);
    return bench::TimeWindowOpening(argc, argv, "SkyChart", [&request] {
        auto *w = new TfrmSlnkoMesiac(nullptr, TLanguage::English);
        w->SetRequest(request);
        return w;
    });
}
