#include "common/Clock.h"

#include "common/Texts.h"

#include <cstdlib>

TClock TClock::Zone(const QTimeZone &zone)
{
    if (!zone.isValid())
        return Utc();
    TClock clock(TKind::Zone,
                 zone.offsetFromUtc(QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC)));
    clock.FZone = zone;
    return clock;
}

int TClock::OffsetAt(const QDateTime &moment) const
{
    return FKind == TKind::Zone ? FZone.offsetFromUtc(moment) : FOffset;
}

int TClock::OffsetAtMs(qint64 msSinceEpoch) const
{
    if (FKind != TKind::Zone)
        return FOffset;
    return FZone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(msSinceEpoch, Qt::UTC));
}

QString TClock::Label(TLanguage language) const
{
    switch (FKind) {
    case TKind::Offset:
        return QStringLiteral("UTC") + OffsetText(FOffset);
    case TKind::Zone:
        return QString::fromLatin1(FZone.id());
    default:
        break;
    }
    // The tag's word between its brackets.
    const QString tag = Tag(language);
    const qsizetype open = tag.indexOf(QLatin1Char('['));
    return tag.mid(open + 1, tag.indexOf(QLatin1Char(']')) - open - 1);
}

QString TClock::Tag(TLanguage language) const
{
    switch (FKind) {
    case TKind::Utc:
        return TextIn(ClockTag::Utc, language);
    case TKind::Cet:
        return TextIn(ClockTag::Cet, language);
    case TKind::Cest:
        return TextIn(ClockTag::Cest, language);
    case TKind::Local:
        return TextIn(ClockTag::Local, language);
    case TKind::Offset:
    case TKind::Zone:
        break;
    }
    return QStringLiteral(", [%1] =>   ").arg(Label(language));
}

std::optional<TClock::TKind> TimeFormatFromIndex(int index)
{
    if (index < 0 || index > TimeFormatIndex(TClock::TKind::Local))
        return std::nullopt;
    return TClock::TKind(index);
}

QString OffsetText(int seconds)
{
    const int minutes = std::abs(seconds) / 60;
    return QStringLiteral("%1%2:%3")
        .arg(seconds < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
