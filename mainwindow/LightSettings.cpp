#include "mainwindow/LightSettings.h"

#include "mainwindow/IniFile.h"

#include <cmath>

TLightBands ReadLightBands(const TIniFile &ini)
{
    const TLightBands defaults;
    const QString section = QStringLiteral("Svetlo");
    const TLightBands read{
        ini.ReadDecimal(section, QStringLiteral("modra_od"), defaults.BlueFrom),
        ini.ReadDecimal(section, QStringLiteral("zlata_od"), defaults.GoldenFrom),
        ini.ReadDecimal(section, QStringLiteral("zlata_do"), defaults.GoldenTo)};
    const auto fits = [](double a) { return std::fabs(a) <= 89; };
    if (fits(read.BlueFrom) && fits(read.GoldenTo) && read.BlueFrom < read.GoldenFrom &&
        read.GoldenFrom < read.GoldenTo)
        return read;
    return defaults;
}
