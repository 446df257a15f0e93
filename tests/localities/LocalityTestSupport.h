// Pieces shared by the tests of the locality records and of their file:
// records built from field texts, the records' XML as the program writes it,
// and readable failures for records.
#pragma once

#include "FileSupport.h"
#include "localities/LocalityFile.h"

#include <QByteArray>
#include <QStringList>
#include <QtTest>

inline TLocality Rec(const QStringList &fields)
{
    TLocality r;
    for (int f = 0; f < LocalityFieldCount; ++f)
        r.Field[f] = fields.value(f);
    return r;
}

inline TLocality Bratislava()
{
    return Rec({u8"SK - Bratislava", "1", "0", "48", "9", "0", "N", "17", "7", "1", "E"});
}

inline QString Names(const TLocalityList &list)
{
    QStringList names;
    for (const TLocality &r : list)
        names << r.Field[fMesto];
    return names.join(u'|');
}

// One record element written the way the program writes it.
inline QByteArray RecordXml(const TLocality &r)
{
    QByteArray xml = "<Riadok>";
    for (int f = 0; f < LocalityFieldCount; ++f)
        xml += QByteArray("<") + LocalityElementNames[f] + ">" + r.Field[f].toUtf8() + "</" +
               LocalityElementNames[f] + ">";
    return xml + "</Riadok>";
}

inline QByteArray FileXml(const QByteArray &inner)
{
    return "<?xml version=\"1.0\"?>\n<SuborDat>" + inner + "</SuborDat>";
}

// Readable failures for records.
inline char *toString(const TLocality &r)
{
    return qstrdup(qPrintable(SortKey(r)));
}
