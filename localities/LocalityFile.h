// Locality records and the file lokality.xml that keeps them: checks, sort order,
// reading (lenient, safe against hostile XML) and atomic writing.
#pragma once

#include "common/Clock.h"
#include "common/Place.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QPair>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

// Field order = grid column order = element order.
enum TLocalityField {
    fMesto,
    fHod,
    fMin,
    fZS1,
    fZS2,
    fZS3,
    fZS4,
    fZD1,
    fZD2,
    fZD3,
    fZD4,
    LocalityFieldCount
};
extern const std::array<const char *, LocalityFieldCount> LocalityElementNames;

struct TLocality {
    std::array<QString, LocalityFieldCount> Field;
    bool operator==(const TLocality &other) const;
    bool operator!=(const TLocality &other) const { return !(*this == other); }
};
// Eleven QStrings move as plain bytes, so a growing list can reallocate in place.
Q_DECLARE_TYPEINFO(TLocality, Q_RELOCATABLE_TYPE);
using TLocalityList = QVector<TLocality>;
using TXmlAttributes = QVector<QPair<QString, QString>>;

// A decimal integer: an optional "+" or "-", then one or more digits 0-9, nothing else
// (no blanks); its value lies within [lo, hi].
bool IsIntegerInRange(const QString &text, int lo, int hi);
// One field of a record is valid (name not empty and storable in XML, numbers in range,
// hemisphere letters).
bool IsValidField(int field, const QString &text);
// Number of invalid fields over the whole list; every field is examined.
int CheckLocalities(const TLocalityList &list);
// The add command checks these inputs in this order; the hemisphere lists are not checked.
extern const std::array<TLocalityField, 9> AddCheckOrder;
// The first field of AddCheckOrder whose text fails, or -1 when all pass.
int FirstInvalidAddField(const TLocality &r);
// The text holds only characters that XML 1.0 can store.
bool IsXmlText(const QString &text);

// The place of a record as the main window's panel reads its fields (a
// hemisphere other than exactly "N" is south, other than exactly "E" west),
// and its own clock, Hod + Min/60 hours.
TPlace PlaceOfLocality(const TLocality &record);
TClock ClockOfLocality(const TLocality &record);

// The nine towns, in the order they are written to a new file.
TLocalityList PredefinedLocalities();
// The eleven fields joined by ";".
QString SortKey(const TLocality &r);
// Case-insensitive locale collation of the sort keys; stable; moves whole records, so a
// name holding ";" keeps its fields. The first overload uses the system locale.
void SortLocalities(TLocalityList &list);
void SortLocalities(TLocalityList &list, const QLocale &locale);

enum class TLoadStatus { Loaded, Missing, Damaged };

// A lokality.xml larger than this is not read: it counts as damaged. Far
// beyond any list of places a person keeps (some 300 000 records).
constexpr qint64 MaxLocalityFileSize = 64 * 1024 * 1024;

// Root element of a parsed file: what every later save writes around the records.
struct TLocalityRoot {
    QString Name;
    TXmlAttributes Attributes;
};

// Parses bytes without touching disk. Loaded: list = the records. Damaged: list = the records
// that were read when the bytes parsed, empty otherwise; root is set only when they parsed.
// A document that declares entities is refused as damaged (entity expansion is a memory bomb).
TLoadStatus ParseLocalities(const QByteArray &bytes, TLocalityList &list,
                            std::optional<TLocalityRoot> *root = nullptr);

// Moves a damaged XML file aside as "<base>-yyyy-MM-dd-HHmmss.damaged.xml" (a
// counter is added if that name is taken) in its folder; if that fails,
// deletes it. The new path, or an empty string when the file was deleted or
// nothing was there.
QString MoveFileAside(const QString &path, const QDateTime &now);

class TLocalityFile
{
public:
    explicit TLocalityFile(const QString &path); // usually "lokality.xml" in the working folder

    // Missing: nothing at the path (list untouched). Something that is not a regular file,
    // or a file larger than MaxLocalityFileSize, is Damaged without being read. Otherwise
    // reads and checks the file.
    // Loaded: list = records. Damaged: list = the records that were read if the file parsed,
    // empty otherwise. Whenever the file parsed, the working document afterwards holds its
    // root element (name and attributes) with no children.
    TLoadStatus Load(TLocalityList &list);
    // Writes the three-line skeleton as temp.xml in tempFolder (replacing any), loads the
    // working document from it and deletes temp.xml. If a step fails, the working document
    // is still the skeleton's (so saving can go on) and false comes back with the reason.
    bool StartFromSkeleton(const QString &tempFolder, QString *error = nullptr);
    // Writes the list atomically: declaration, one line break, the root with every record on
    // one line. On any failure returns false with a readable error; the file is untouched.
    bool Save(const TLocalityList &list, QString *error = nullptr);
    // MoveFileAside for this file.
    QString MoveAside(const QDateTime &now = QDateTime::currentDateTime());

    QString Path() const;
    bool HasDocument() const;
    TLocalityRoot Root() const;

    // The bytes Save writes; empty with an error when a text cannot be stored in XML.
    static QByteArray Serialize(const TLocalityList &list, const QString &rootName,
                                const TXmlAttributes &rootAttributes, QString *error = nullptr);

private:
    QString FilePath;
    std::optional<TLocalityRoot> Document;
};
