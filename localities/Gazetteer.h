// The world's cities from libgeonames, searched by name as the user types.
// The library is reached through a module loaded the first time the cities
// are needed, so the program starts (without the search) where it is missing.
// Names are shown in the interface language from the library's gettext
// catalogues, read directly because sk and hu need not be system locales.
#pragma once

#include "common/Language.h"
#include "common/Place.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// One city as found, Košice asked for in Hungarian.
struct TCityMatch {
    QString Id;           // geonames id, "724443"
    QString Name;         // in the requested language, "Kassa"
    QString Region;       // the first-level division, "Kassai körzet"
    QString Country;      // "Szlovákia"
    QString CountryCode;  // "SK"
    double Latitude = 0;  // degrees, north positive
    double Longitude = 0; // degrees, east positive
    QByteArray Zone;      // IANA id, "Europe/Bratislava"
    quint32 Population = 0;
    // The name the text matched when Name fits it less well: "Wien" for
    // Vienna found by "Wien"; empty otherwise.
    QString Matched;
    bool WholeName = false; // the text is one of its names, not only their start

    // "Kassa, Szlovákia": the name a place of the program takes.
    QString PlaceName() const;
    // "Kassa, Kassai körzet, Szlovákia": the city told apart from others.
    QString FullName() const;
    // "Vienna (Wien), Vienna, Austria", as a list of matches shows it.
    QString ListText() const;
    TPlace Place() const;
};

class TGazetteer;

// The process's gazetteer, made at first use with the default folders, and
// another one to use instead (tests hand in theirs; nothing: the default).
TGazetteer &Cities();
void UseCities(TGazetteer *cities);

class TGazetteer
{
public:
    // The module beside the program, then in ../lib/<architecture>/vantu; the
    // catalogues in /usr/share/locale. Nothing is read before Load.
    TGazetteer();
    // No folders: the default ones.
    TGazetteer(const QStringList &moduleFolders, const QString &localeFolder);
    ~TGazetteer();
    TGazetteer(const TGazetteer &) = delete;
    TGazetteer &operator=(const TGazetteer &) = delete;

    // The first call loads the module, the cities and the catalogues (about a
    // tenth of a second; call it off the window's thread to keep typing smooth).
    // Later calls, from any thread, wait for that one and return its outcome.
    // False when the cities are unavailable, whatever the reason: no module,
    // a damaged one, a libgeonames without the functions it needs. Error()
    // says why, a line per place the module was looked for.
    bool Load();
    bool Loaded() const;
    QString Error() const;
    int Count() const;

    // At most limit cities whose name in any language of the library's
    // catalogues, or its own name, matches the text: the whole name first,
    // then names starting with the text, then names with a word starting with
    // it; accents, case and punctuation do not count, the more populous city
    // goes first. Names are given in the requested language. Loads first when
    // needed; safe from several threads at once. Nothing for text without a
    // letter or digit, or with a character no name has ("[").
    // *total, when asked for, is the number of cities that match in all.
    QList<TCityMatch> Find(const QString &text, TLanguage language, int limit = 20,
                           int *total = nullptr);

    // The form names and typed text are compared in: "Saint-Étienne" and
    // "saint etienne" both become "saint etienne", "Gießen" "giessen".
    static QString Fold(const QString &text);

    static QStringList DefaultModuleFolders();
    static QString ModuleFileName(); // libvantu_geonames.so

private:
    struct TData;
    std::unique_ptr<TData> D;
};
