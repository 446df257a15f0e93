// Contents A and B of the crash test files.
#include "CrashContents.h"

QString CrashKindName(TCrashKind kind)
{
    switch (kind) {
    case TCrashKind::Localities:
        return QStringLiteral("localities");
    case TCrashKind::Settings:
        return QStringLiteral("settings");
    case TCrashKind::Table:
        return QStringLiteral("table");
    }
    return QString();
}

bool ParseCrashKind(const QString &name, TCrashKind *kind)
{
    for (TCrashKind k : {TCrashKind::Localities, TCrashKind::Settings, TCrashKind::Table}) {
        if (name == CrashKindName(k)) {
            *kind = k;
            return true;
        }
    }
    return false;
}

QString CrashFileName(TCrashKind kind)
{
    switch (kind) {
    case TCrashKind::Localities:
        return QStringLiteral("lokality.xml");
    case TCrashKind::Settings:
        return QStringLiteral("vantu.ini");
    case TCrashKind::Table:
        return QStringLiteral("tabulka.txt");
    }
    return QString();
}

TLocalityList CrashLocalities(int version)
{
    if (version == 0)
        return PredefinedLocalities();

    const QString filler =
        QString::fromUtf8(" – dlhý názov obce pre skúšku zápisu, Žilinský kraj").repeated(8);
    TLocalityList list;
    for (int i = 0; i < 500; ++i) {
        TLocality r;
        r.Field = {QStringLiteral("Obec %1").arg(i, 3, 10, QLatin1Char('0')) + filler,
                   QString::number(i % 25 - 12),
                   QString::number(i % 46),
                   QString::number(i % 91),
                   QString::number(i % 60),
                   QString::number((i * 7) % 60),
                   i % 2 ? QStringLiteral("S") : QStringLiteral("N"),
                   QString::number(i % 181),
                   QString::number((i * 11) % 60),
                   QString::number((i * 13) % 60),
                   i % 3 ? QStringLiteral("W") : QStringLiteral("E")};
        list.append(r);
    }
    return list;
}

TCrashWindowSettings CrashWindowSettings(int version)
{
    return version == 0 ? TCrashWindowSettings{120, 80, 1, 2}
                        : TCrashWindowSettings{300, 200, 2, 3};
}

QList<TCrashSetting> CrashSettings(int version)
{
    const TCrashWindowSettings w = CrashWindowSettings(version);
    QList<TCrashSetting> settings = {
        {QStringLiteral("Poloha"), QStringLiteral("vlavo"), w.Left},
        {QStringLiteral("Poloha"), QStringLiteral("hore"), w.Top},
        {QStringLiteral("Nastavenie"), QStringLiteral("jazyk"), w.Language},
        {QStringLiteral("Nastavenie"), QStringLiteral("formatcasu"), w.TimeFormat},
    };
    // Long keys rather than many: each write looks its key up line by line.
    const QString tail = QStringLiteral("_poznamka_k_nastaveniu").repeated(45);
    for (int i = 0; i < 200; ++i)
        settings.append({QStringLiteral("Historia"),
                         QStringLiteral("kluc%1").arg(i, 4, 10, QLatin1Char('0')) + tail,
                         version == 0 ? i : -1000000000 - i * 1000});
    return settings;
}

QString CrashTableText(int version)
{
    QString text = version == 0
                       ? QString::fromUtf8("  Východ, poludnie a západ Slnka – Žilina, SEČ\n\n")
                       : QString::fromUtf8("  ☀ Napkelte, dél és napnyugta – Győr, UTC\n\n");
    const int days = version == 0 ? 4000 : 6000;
    for (int d = 0; d < days; ++d) {
        text += QStringLiteral(" %1. deň   %2:%3:%4   %5:%6:%7   %8:%9:00  ")
                    .arg(d + 1, 5)
                    .arg(4 + d % 5, 2, 10, QLatin1Char('0'))
                    .arg(d % 60, 2, 10, QLatin1Char('0'))
                    .arg((d * 7) % 60, 2, 10, QLatin1Char('0'))
                    .arg(11 + d % 2, 2, 10, QLatin1Char('0'))
                    .arg((d * 3) % 60, 2, 10, QLatin1Char('0'))
                    .arg((d * 11) % 60, 2, 10, QLatin1Char('0'))
                    .arg(16 + d % 5, 2, 10, QLatin1Char('0'))
                    .arg((d * 13) % 60, 2, 10, QLatin1Char('0'));
        text += version == 0 ? QString::fromUtf8("štvrtok\n") : QString::fromUtf8("csütörtök\n");
    }
    return text;
}
