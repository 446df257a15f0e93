// Times the opening of the Year of the Sun window: the year's rows (365 days,
// four zenith angles) are computed before its first paint. The aim is under
// 150 ms.
#include "app/RokSlnka.h"
#include "tools/WindowOpenBench.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TChartRequest request;
    request.Place = {QStringLiteral("Bratislava"), 48.15, 17 + 7 / 60.0 + 1 / 3600.0, {}};
    request.PlaceClock = TClock::Local(3600);
    request.MainClock = TClock::Cet();
    request.Day = QDate(2025, 6, 21);
    return bench::TimeWindowOpening(argc, argv, "YearChart", [&request] {
        auto *w = new TfrmRokSlnka(nullptr, TLanguage::English);
        w->SetRequest(request);
        return w;
    });
}
