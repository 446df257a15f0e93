// Locality records and the file lokality.xml that keeps them.
#include "localities/LocalityFile.h"
#include "common/AtomicFile.h"
#include "common/IntegerText.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <numeric>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const std::array<const char *, LocalityFieldCount> LocalityElementNames = {
    "Mesto", "Hod", "Min", "ZS1", "ZS2", "ZS3", "ZS4", "ZD1", "ZD2", "ZD3", "ZD4"};

const std::array<TLocalityField, 9> AddCheckOrder = {fMesto, fHod, fMin, fZS1, fZS2,
                                                     fZS3,   fZD1, fZD2, fZD3};

bool TLocality::operator==(const TLocality &other) const
{
    return Field == other.Field;
}

bool IsIntegerInRange(const QString &text, int lo, int hi)
{
    int value = 0;
    return ParseStrictInteger(text, &value) && value >= lo && value <= hi;
}

bool IsValidField(int field, const QString &text)
{
    switch (field) {
    case fMesto:
        // A name the file could not hold would be lost at the next save.
        return !text.isEmpty() && IsXmlText(text);
    case fHod:
        return IsIntegerInRange(text, -12, 12);
    case fMin:
        return IsIntegerInRange(text, 0, 45);
    case fZS1:
        return IsIntegerInRange(text, 0, 90);
    case fZD1:
        return IsIntegerInRange(text, 0, 180);
    case fZS2:
    case fZS3:
    case fZD2:
    case fZD3:
        return IsIntegerInRange(text, 0, 59);
    case fZS4:
        return text == u"N" || text == u"S";
    case fZD4:
        return text == u"W" || text == u"E";
    default:
        return false;
    }
}

int CheckLocalities(const TLocalityList &list)
{
    int invalid = 0;
    for (const TLocality &r : list)
        for (int f = 0; f < LocalityFieldCount; ++f)
            if (!IsValidField(f, r.Field[f]))
                ++invalid;
    return invalid;
}

int FirstInvalidAddField(const TLocality &r)
{
    for (TLocalityField f : AddCheckOrder)
        if (!IsValidField(f, r.Field[f]))
            return f;
    return -1;
}

bool IsXmlText(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x20) {
            if (c != 0x9 && c != 0xA && c != 0xD)
                return false;
        } else if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= text.size() || !QChar::isLowSurrogate(text[i + 1].unicode()))
                return false;
            ++i;
        } else if (QChar::isLowSurrogate(c) || c == 0xFFFE || c == 0xFFFF) {
            return false;
        }
    }
    return true;
}

TPlace PlaceOfLocality(const TLocality &record)
{
    const auto angle = [&record](int d, int m, int s, bool negative) {
        return TDmsAngle{record.Field[d].toInt(), record.Field[m].toInt(), record.Field[s].toInt(),
                         negative};
    };
    return TPlace::FromDms(record.Field[fMesto],
                           angle(fZS1, fZS2, fZS3, record.Field[fZS4] != QLatin1String("N")),
                           angle(fZD1, fZD2, fZD3, record.Field[fZD4] != QLatin1String("E")));
}

TClock ClockOfLocality(const TLocality &record)
{
    // The minutes are added whatever the sign of the hours, as the panel does.
    return TClock::Local(record.Field[fHod].toInt() * 3600 + record.Field[fMin].toInt() * 60);
}

TLocalityList PredefinedLocalities()
{
    struct Town {
        const char16_t *Name;
        int Lat[3];
        int Lon[3];
    };
    static const Town towns[] = {
        {u"SK - Sliač", {48, 36, 59}, {19, 8, 35}},
        {u"SK - Bratislava", {48, 9, 0}, {17, 7, 1}},
        {u"SK - Košice", {48, 43, 19}, {21, 15, 37}},
        {u"SK - Poprad", {49, 3, 37}, {20, 17, 58}},
        {u"SK - Michalovce", {48, 45, 16}, {21, 54, 58}},
        {u"SK - Žilina", {49, 13, 14}, {18, 44, 15}},
        {u"SK - Piešťany", {48, 35, 30}, {17, 49, 41}},
        {u"SK - Prešov", {48, 59, 30}, {21, 14, 45}},
        {u"SK - Rožňava", {48, 39, 23}, {20, 31, 55}},
    };
    TLocalityList list;
    for (const Town &t : towns) {
        TLocality r;
        r.Field = {QString::fromUtf16(t.Name), QStringLiteral("1"),       QStringLiteral("0"),
                   QString::number(t.Lat[0]),  QString::number(t.Lat[1]), QString::number(t.Lat[2]),
                   QStringLiteral("N"),        QString::number(t.Lon[0]), QString::number(t.Lon[1]),
                   QString::number(t.Lon[2]),  QStringLiteral("E")};
        list.append(r);
    }
    return list;
}

QString SortKey(const TLocality &r)
{
    QString key = r.Field[0];
    for (int f = 1; f < LocalityFieldCount; ++f) {
        key += u';';
        key += r.Field[f];
    }
    return key;
}

void SortLocalities(TLocalityList &list)
{
    SortLocalities(list, QLocale::system());
}

void SortLocalities(TLocalityList &list, const QLocale &locale)
{
    const int n = int(list.size());
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);

    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    if (locale.language() == QLocale::C) {
        // Qt's sort keys ignore the case setting in the C locale; its compare() is plain
        // case-insensitive code-point order, which case-folded keys reproduce.
        std::vector<QString> keys;
        keys.reserve(n);
        for (const TLocality &r : list)
            keys.push_back(SortKey(r).toCaseFolded());
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return keys[a] < keys[b]; });
    } else {
        // One collation key per record instead of a collation per comparison.
        std::vector<QCollatorSortKey> keys;
        keys.reserve(n);
        for (const TLocality &r : list)
            keys.push_back(collator.sortKey(SortKey(r)));
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    }

    TLocalityList sorted;
    sorted.reserve(n);
    for (int i : order)
        sorted.append(std::move(list[i]));
    list = std::move(sorted);
}

namespace
{

int FieldIndex(QStringView elementName)
{
    // Called for every element of a file that may hold 100,000 records.
    static const auto names = [] {
        std::array<QLatin1String, LocalityFieldCount> n;
        for (int f = 0; f < LocalityFieldCount; ++f)
            n[f] = QLatin1String(LocalityElementNames[f]);
        return n;
    }();
    for (int f = 0; f < LocalityFieldCount; ++f)
        if (elementName == names[f])
            return f;
    return -1;
}

// Reads the records of a locality document token by token, lenient about
// everything but well-formed XML and entity declarations.
class TLocalityReader
{
public:
    explicit TLocalityReader(const QByteArray &bytes) : FReader(bytes)
    {
        // Names are compared as written; prefixes need no declaration, xmlns stays an attribute.
        FReader.setNamespaceProcessing(false);
    }

    // False when the bytes are not well-formed or declare entities.
    bool Read();

    const TLocalityRoot &Root() const { return FRoot; }
    TLocalityList TakeRecords() { return std::move(FRecords); }
    // A node directly in the root that is not an element.
    bool StrayNode() const { return FStrayNode; }

private:
    using TToken = QXmlStreamReader::TokenType;
    // Where the reader stands in the document.
    enum class TPosition { OutsideRoot, InRoot, InRecord, InField };

    bool ReadOutsideRoot(TToken token);
    void ReadInRoot(TToken token);
    void ReadInRecord(TToken token);
    void ReadInField(TToken token);
    void StrayRecord();

    QXmlStreamReader FReader;
    TPosition FPosition = TPosition::OutsideRoot;
    TLocalityRoot FRoot;
    TLocalityList FRecords;
    bool FStrayNode = false;
    bool FPreviousWasText = false;                // joins a text run split over several tokens
    std::array<bool, LocalityFieldCount> FSeen{}; // the fields of the record met so far
    int FField = -1;                              // the field being read
    QString FFieldText;
    bool FFieldMarkup = false;
};

bool TLocalityReader::Read()
{
    while (!FReader.atEnd()) {
        const TToken token = FReader.readNext();
        if (token == QXmlStreamReader::Invalid)
            break;
        switch (FPosition) {
        case TPosition::OutsideRoot:
            if (!ReadOutsideRoot(token))
                return false;
            break;
        case TPosition::InRoot:
            ReadInRoot(token);
            break;
        case TPosition::InRecord:
            ReadInRecord(token);
            break;
        case TPosition::InField:
            ReadInField(token);
            break;
        }
    }
    return !FReader.hasError();
}

bool TLocalityReader::ReadOutsideRoot(TToken token)
{
    if (token == QXmlStreamReader::DTD && !FReader.entityDeclarations().isEmpty()) {
        // Entity declarations are never ours and make a memory bomb possible
        // (quadratic blow-up stays within the reader's expansion limit).
        return false;
    }
    if (token == QXmlStreamReader::StartElement) {
        FRoot.Name = FReader.qualifiedName().toString();
        for (const QXmlStreamAttribute &a : FReader.attributes())
            FRoot.Attributes.append({a.qualifiedName().toString(), a.value().toString()});
        FPosition = TPosition::InRoot;
    }
    return true;
}

void TLocalityReader::ReadInRoot(TToken token)
{
    if (token == QXmlStreamReader::Characters && !FReader.isCDATA()) {
        if (!FReader.isWhitespace() && !FPreviousWasText)
            StrayRecord();
        FPreviousWasText = !FReader.isWhitespace() || FPreviousWasText;
        return;
    }
    FPreviousWasText = false;
    if (token == QXmlStreamReader::StartElement) {
        FRecords.append(TLocality());
        FSeen.fill(false);
        FPosition = TPosition::InRecord;
    } else if (token == QXmlStreamReader::EndElement) {
        FPosition = TPosition::OutsideRoot;
    } else {
        StrayRecord(); // comment, processing instruction, CDATA, entity reference
    }
}

void TLocalityReader::ReadInRecord(TToken token)
{
    if (token == QXmlStreamReader::StartElement) {
        const int f = FieldIndex(FReader.qualifiedName());
        if (f >= 0 && !FSeen[f]) {
            FSeen[f] = true;
            FField = f;
            FFieldText = QString();
            FFieldMarkup = false;
            FPosition = TPosition::InField;
        } else {
            FReader.skipCurrentElement(); // extra elements are ignored
        }
    } else if (token == QXmlStreamReader::EndElement) {
        FPosition = TPosition::InRoot;
    }
}

void TLocalityReader::ReadInField(TToken token)
{
    if (token == QXmlStreamReader::Characters && !FReader.isCDATA()) {
        if (FFieldText.isNull())
            FFieldText = FReader.text().toString();
        else
            FFieldText += FReader.text();
    } else if (token == QXmlStreamReader::EndElement) {
        // A field holding markup has no plain text: it reads as empty, so invalid.
        FRecords.last().Field[FField] = FFieldMarkup ? QString() : std::move(FFieldText);
        FPosition = TPosition::InRecord;
    } else {
        FFieldMarkup = true;
        if (token == QXmlStreamReader::StartElement)
            FReader.skipCurrentElement();
    }
}

// Every node directly in the root stands for one record; one that is no element has
// no fields at all.
void TLocalityReader::StrayRecord()
{
    FStrayNode = true;
    FRecords.append(TLocality());
}

} // namespace

TLoadStatus ParseLocalities(const QByteArray &bytes, TLocalityList &list,
                            std::optional<TLocalityRoot> *root)
{
    list.clear();
    if (root)
        root->reset();

    TLocalityReader reader(bytes);
    if (!reader.Read())
        return TLoadStatus::Damaged;

    list = reader.TakeRecords();
    if (root)
        *root = reader.Root();
    return reader.StrayNode() || CheckLocalities(list) > 0 ? TLoadStatus::Damaged
                                                           : TLoadStatus::Loaded;
}

TLocalityFile::TLocalityFile(const QString &path) : FilePath(path) {}

QString TLocalityFile::Path() const
{
    return FilePath;
}

bool TLocalityFile::HasDocument() const
{
    return Document.has_value();
}

TLocalityRoot TLocalityFile::Root() const
{
    return Document.value_or(TLocalityRoot());
}

TLoadStatus TLocalityFile::Load(TLocalityList &list)
{
    const QFileInfo info(FilePath);
    if (!info.exists() && !info.isSymLink())
        return TLoadStatus::Missing;

    // Opened without waiting and checked before reading: a FIFO or device by
    // that name would hold up the start, and a giant file would be read whole.
    const int fd =
        ::open(QFile::encodeName(FilePath).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_size > MaxLocalityFileSize) {
        if (fd >= 0)
            ::close(fd);
        list.clear();
        return TLoadStatus::Damaged; // there, but cannot be read
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        list.clear();
        return TLoadStatus::Damaged;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxLocalityFileSize) {
        list.clear();
        return TLoadStatus::Damaged;
    }

    std::optional<TLocalityRoot> root;
    const TLoadStatus status = ParseLocalities(bytes, list, &root);
    if (root)
        Document = root;
    return status;
}

bool TLocalityFile::StartFromSkeleton(const QString &tempFolder, QString *error)
{
    static const QByteArray skeleton = "<?xml version=\"1.0\"?>\n<SuborDat>\n</SuborDat>\n";
    // Whatever happens on disk, the skeleton's root is the vessel for the saves to come.
    Document = TLocalityRoot{QStringLiteral("SuborDat"), {}};

    const QString tempPath = QDir(tempFolder).filePath(QStringLiteral("temp.xml"));
    auto fail = [&](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };

    QString why;
    if (!WriteFileAtomically(tempPath, skeleton, &why))
        return fail(
            QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(tempPath), why));

    QFile in(tempPath);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Cannot read %1: %2")
                        .arg(QDir::toNativeSeparators(tempPath), in.errorString()));
    const QByteArray bytes = in.readAll();
    in.close();
    QFile::remove(tempPath);

    TLocalityList none;
    std::optional<TLocalityRoot> root;
    if (ParseLocalities(bytes, none, &root) != TLoadStatus::Loaded || !root)
        return fail(QStringLiteral("%1 did not read back as written")
                        .arg(QDir::toNativeSeparators(tempPath)));
    Document = root;
    return true;
}

QByteArray TLocalityFile::Serialize(const TLocalityList &list, const QString &rootName,
                                    const TXmlAttributes &rootAttributes, QString *error)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        for (int f = 0; f < LocalityFieldCount; ++f) {
            if (!IsXmlText(list[i].Field[f])) {
                if (error)
                    *error = QStringLiteral("Record %1: the field %2 holds a character that "
                                            "an XML file cannot store.")
                                 .arg(i + 1)
                                 .arg(QLatin1String(LocalityElementNames[f]));
                return QByteArray();
            }
        }
    }

    // The declaration by hand: the writer's own one adds an encoding attribute.
    QByteArray body;
    body.reserve(list.size() * 200 + 64);
    QXmlStreamWriter writer(&body);
    writer.writeStartElement(rootName);
    for (const auto &attribute : rootAttributes)
        writer.writeAttribute(attribute.first, attribute.second);
    for (const TLocality &r : list) {
        writer.writeStartElement(QStringLiteral("Riadok"));
        for (int f = 0; f < LocalityFieldCount; ++f) {
            writer.writeStartElement(QLatin1String(LocalityElementNames[f]));
            // A raw CR would come back as LF; as a character reference it survives.
            const QStringList parts = r.Field[f].split(u'\r');
            for (qsizetype p = 0; p < parts.size(); ++p) {
                if (p > 0)
                    writer.writeEntityReference(QStringLiteral("#13"));
                writer.writeCharacters(parts[p]);
            }
            writer.writeEndElement();
        }
        writer.writeEndElement();
    }
    writer.writeEndElement();
    if (writer.hasError()) {
        if (error)
            *error = QStringLiteral("The records could not be written as XML.");
        return QByteArray();
    }
    return "<?xml version=\"1.0\"?>\n" + body;
}

bool TLocalityFile::Save(const TLocalityList &list, QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (!Document)
        return fail(QStringLiteral("No locality document is loaded."));

    QString reason;
    const QByteArray bytes = Serialize(list, Document->Name, Document->Attributes, &reason);
    if (bytes.isEmpty())
        return fail(reason);

    // Write beside the file, then rename over it: a failure at any point leaves the old file.
    if (!WriteFileAtomically(FilePath, bytes, &reason))
        return fail(
            QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(FilePath), reason));
    return true;
}

QString TLocalityFile::MoveAside(const QDateTime &now)
{
    return MoveFileAside(FilePath, now);
}

QString MoveFileAside(const QString &path, const QDateTime &now)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QString();

    const QDir folder = info.dir();
    const QString stem =
        info.completeBaseName() + u'-' + now.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    for (int counter = 1; counter <= 1000; ++counter) {
        const QString name = counter == 1
                                 ? stem + QStringLiteral(".damaged.xml")
                                 : QStringLiteral("%1-%2.damaged.xml").arg(stem).arg(counter);
        const QString target = folder.filePath(name);
        const QFileInfo targetInfo(target);
        if (targetInfo.exists() || targetInfo.isSymLink())
            continue;
        if (QFile::rename(path, target))
            return target;
        break;
    }
    QFile::remove(path);
    return QString();
}
