#include "localities/Gazetteer.h"

#include "localities/MessageCatalogue.h"
#include "localities/geonames/GeonamesModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QMutex>

#include <algorithm>
#include <atomic>
#include <string>
#include <string_view>
#include <vector>

namespace
{

const char *const LanguageCodes[LanguageCount] = {"sk", "en", "hu"};

// No city's name comes near this; longer ones are left out of the index.
constexpr int LongestKey = 200;

enum TRank : quint8 { Exact, Prefix, WordPrefix, NoMatch };

// The texts lie in one pool of UTF-8 (TData::Pool), each ending with NUL:
// tens of thousands of cities would otherwise cost seven allocations each.
struct TCity {
    quint32 Id, Name, Admin1, Region, CountryCode, Country, Zone; // offsets in the pool
    double Latitude, Longitude;
    quint32 Population;
};

// One searchable tail of a folded name: the whole name (Word 0) or the part
// from one of its later words on, so every match is a prefix test.
struct TKey {
    quint32 Offset; // of the whole folded name in the text buffer
    quint16 Length; // of the whole name
    quint16 Word;   // where the tail starts within the name
    quint32 City;
};

// Letters that neither decomposition nor case folding take apart.
struct TSpecialLetter {
    char32_t Letter;
    const char16_t *Written;
};
const TSpecialLetter SpecialLetters[] = {
    {U'ß', u"ss"}, {U'æ', u"ae"}, {U'ð', u"d"}, {U'ø', u"o"},  {U'þ', u"th"}, {U'đ', u"d"},
    {U'ħ', u"h"},  {U'ı', u"i"},  {U'ł', u"l"}, {U'œ', u"oe"}, {U'ŧ', u"t"},
};

bool AppendSpecial(char32_t c, std::u16string &out)
{
    if (c < U'ß' || c > U'ŧ')
        return false;
    for (const TSpecialLetter &special : SpecialLetters) {
        if (special.Letter == c) {
            out += special.Written;
            return true;
        }
    }
    return false;
}

void AppendCodePoint(char32_t c, std::u16string &out)
{
    if (QChar::requiresSurrogates(c)) {
        out += char16_t(QChar::highSurrogate(c));
        out += char16_t(QChar::lowSurrogate(c));
    } else {
        out += char16_t(c);
    }
}

// Letters and digits case-folded without their accents; every run of anything
// else one space between words.
std::u16string FoldText(QStringView text)
{
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    QString decomposed;
    if (!ascii) {
        decomposed = text.toString().normalized(QString::NormalizationForm_KD);
        text = decomposed;
    }
    std::u16string out;
    out.reserve(size_t(text.size()));
    bool gap = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing)
            continue;
        // Modifier letters are apostrophe-like marks here (ʻ, ʼ), not letters.
        if (!QChar::isLetterOrNumber(c) || category == QChar::Letter_Modifier) {
            gap = true;
            continue;
        }
        if (gap && !out.empty())
            out += u' ';
        gap = false;
        c = QChar::toCaseFolded(c);
        if (!AppendSpecial(c, out))
            AppendCodePoint(c, out);
    }
    return out;
}

} // namespace

struct TGazetteer::TData {
    QStringList ModuleFolders;
    QString LocaleFolder;

    QMutex LoadLock;
    std::atomic<bool> Done{false};
    bool Available = false;
    QString Error;

    std::vector<TCity> Cities;
    std::string Pool;
    TMessageCatalogue Catalogues[LanguageCount];
    std::u16string Text; // every folded name, one after another
    std::vector<TKey> Keys;

    std::u16string_view Tail(const TKey &key) const
    {
        return std::u16string_view(Text).substr(key.Offset + key.Word, key.Length - key.Word);
    }

    quint32 Keep(const char *text)
    {
        const auto offset = quint32(Pool.size());
        Pool.append(text ? text : "");
        Pool.push_back('\0');
        return offset;
    }
    QByteArrayView Bytes(quint32 offset) const { return QByteArrayView(Pool.data() + offset); }
    QString Text16(quint32 offset) const { return QString::fromUtf8(Bytes(offset)); }

    static void TakeCity(const VantuGeonamesCity *city, void *context);
    bool LoadModule(QString &error);
    void LoadCatalogues();
    void BuildIndex();
    QString Translated(QByteArrayView id, TLanguage language, quint32 own) const;
};

void TGazetteer::TData::TakeCity(const VantuGeonamesCity *city, void *context)
{
    auto *d = static_cast<TData *>(context);
    TCity c;
    c.Id = d->Keep(city->Id);
    c.Name = d->Keep(city->Name);
    c.Admin1 = d->Keep(city->Admin1);
    c.Region = d->Keep(city->Region);
    c.CountryCode = d->Keep(city->CountryCode);
    c.Country = d->Keep(city->Country);
    c.Zone = d->Keep(city->Zone);
    c.Latitude = city->Latitude;
    c.Longitude = city->Longitude;
    c.Population = city->Population;
    d->Cities.push_back(c);
}

bool TGazetteer::TData::LoadModule(QString &error)
{
    if (ModuleFolders.isEmpty())
        ModuleFolders = DefaultModuleFolders();
    QStringList tried;
    for (const QString &folder : std::as_const(ModuleFolders)) {
        const QString path = QDir(folder).filePath(ModuleFileName());
        if (!QFileInfo::exists(path)) {
            tried << path;
            continue;
        }
        // Never unloaded: GLib does not survive being taken out of a process.
        QLibrary module(path);
        if (!module.load()) {
            // Usually libgeonames missing; a later folder may still do.
            tried << module.errorString();
            continue;
        }
        auto version = reinterpret_cast<VantuGeonamesInterfaceFunction>(
            module.resolve(VANTU_GEONAMES_INTERFACE_SYMBOL));
        auto enumerate = reinterpret_cast<VantuGeonamesEnumerateFunction>(
            module.resolve(VANTU_GEONAMES_ENUMERATE_SYMBOL));
        if (!version || !enumerate || version() != VANTU_GEONAMES_INTERFACE) {
            tried << QStringLiteral("%1: not a module of this version of the program").arg(path);
            continue;
        }
        Cities.reserve(32768);
        Pool.reserve(2 << 20);
        enumerate(TakeCity, this);
        if (Cities.empty()) {
            error = QStringLiteral("the geonames library holds no cities");
            return false;
        }
        return true;
    }
    error = QStringLiteral("no city search module: %1").arg(tried.join(QStringLiteral("; ")));
    return false;
}

void TGazetteer::TData::LoadCatalogues()
{
    // A missing catalogue only means names fall back to English.
    for (int i = 0; i < LanguageCount; ++i)
        Catalogues[i].Load(TMessageCatalogue::PathFor(
            LocaleFolder, QString::fromLatin1(LanguageCodes[i]), QStringLiteral("geonames")));
}

void TGazetteer::TData::BuildIndex()
{
    Text.clear();
    Keys.clear();
    Text.reserve(Cities.size() * 24);
    Keys.reserve(Cities.size() * 4);
    std::vector<std::u16string> names;
    QStringList shown;
    for (size_t city = 0; city < Cities.size(); ++city) {
        const TCity &c = Cities[city];
        names.clear();
        shown.clear();
        auto add = [&](const QString &name) {
            // Most translations repeat a name already folded.
            if (name.isEmpty() || shown.contains(name))
                return;
            shown << name;
            std::u16string folded = FoldText(name);
            if (folded.empty() || folded.size() > LongestKey ||
                std::find(names.begin(), names.end(), folded) != names.end())
                return;
            names.push_back(std::move(folded));
        };
        add(Text16(c.Name));
        for (const TMessageCatalogue &catalogue : Catalogues)
            add(catalogue.Translate(Bytes(c.Id)));
        for (const std::u16string &name : names) {
            const auto offset = quint32(Text.size());
            const auto length = quint16(name.size());
            Text += name;
            Keys.push_back({offset, length, 0, quint32(city)});
            for (size_t i = 1; i < name.size(); ++i) {
                if (name[i - 1] == u' ')
                    Keys.push_back({offset, length, quint16(i), quint32(city)});
            }
        }
    }
    std::sort(Keys.begin(), Keys.end(),
              [this](const TKey &a, const TKey &b) { return Tail(a) < Tail(b); });
}

QString TGazetteer::TData::Translated(QByteArrayView id, TLanguage language, quint32 own) const
{
    QString text = Catalogues[LanguageIndexOf(language)].Translate(id);
    if (text.isEmpty())
        text = Catalogues[LanguageIndexOf(TLanguage::English)].Translate(id);
    return text.isEmpty() ? Text16(own) : text;
}

// The folders are found at the first load: the application object need not
// exist yet when the gazetteer is made.
TGazetteer::TGazetteer() : TGazetteer(QStringList(), QStringLiteral("/usr/share/locale")) {}

TGazetteer::TGazetteer(const QStringList &moduleFolders, const QString &localeFolder)
    : D(std::make_unique<TData>())
{
    D->ModuleFolders = moduleFolders;
    D->LocaleFolder = localeFolder;
}

TGazetteer::~TGazetteer() = default;

bool TGazetteer::Load()
{
    if (D->Done.load(std::memory_order_acquire))
        return D->Available;
    QMutexLocker lock(&D->LoadLock);
    if (D->Done.load(std::memory_order_relaxed))
        return D->Available;
    QString error;
    if (D->LoadModule(error)) {
        D->LoadCatalogues();
        D->BuildIndex();
        D->Available = true;
    } else {
        D->Cities = {};
        D->Pool = {};
        D->Error = error;
    }
    D->Done.store(true, std::memory_order_release);
    return D->Available;
}

bool TGazetteer::Loaded() const
{
    return D->Done.load(std::memory_order_acquire);
}

QString TGazetteer::Error() const
{
    return Loaded() ? D->Error : QString();
}

int TGazetteer::Count() const
{
    return Loaded() ? int(D->Cities.size()) : 0;
}

QList<TCityMatch> TGazetteer::Find(const QString &text, TLanguage language, int limit)
{
    QList<TCityMatch> matches;
    if (limit <= 0 || !Load())
        return matches;
    const std::u16string query = FoldText(text);
    if (query.empty() || query.size() > LongestKey)
        return matches;

    // Every key with the query as its prefix lies in one run of the sorted index.
    auto key =
        std::lower_bound(D->Keys.begin(), D->Keys.end(), std::u16string_view(query),
                         [this](const TKey &k, std::u16string_view q) { return D->Tail(k) < q; });
    std::vector<quint8> best(D->Cities.size(), NoMatch);
    std::vector<quint32> found;
    for (; key != D->Keys.end(); ++key) {
        const std::u16string_view tail = D->Tail(*key);
        if (tail.substr(0, query.size()) != query)
            break;
        const TRank rank = key->Word > 0                 ? WordPrefix
                           : tail.size() == query.size() ? Exact
                                                         : Prefix;
        quint8 &old = best[key->City];
        if (old == NoMatch)
            found.push_back(key->City);
        old = std::min<quint8>(old, rank);
    }

    const auto before = [&](quint32 a, quint32 b) {
        if (best[a] != best[b])
            return best[a] < best[b];
        if (D->Cities[a].Population != D->Cities[b].Population)
            return D->Cities[a].Population > D->Cities[b].Population;
        return a < b;
    };
    const size_t count = std::min(found.size(), size_t(limit));
    std::partial_sort(found.begin(), found.begin() + count, found.end(), before);

    matches.reserve(qsizetype(count));
    for (size_t i = 0; i < count; ++i) {
        const TCity &c = D->Cities[found[i]];
        TCityMatch m;
        m.Id = D->Text16(c.Id);
        m.Name = D->Translated(D->Bytes(c.Id), language, c.Name);
        const QByteArrayView country = D->Bytes(c.CountryCode);
        const QByteArrayView admin1 = D->Bytes(c.Admin1);
        m.Region = admin1.isEmpty()
                       ? D->Text16(c.Region)
                       : D->Translated(country.toByteArray() + '.' + admin1.toByteArray(), language,
                                       c.Region);
        m.Country = D->Translated(country, language, c.Country);
        m.CountryCode = D->Text16(c.CountryCode);
        m.Latitude = c.Latitude;
        m.Longitude = c.Longitude;
        m.Zone = D->Bytes(c.Zone).toByteArray();
        m.Population = c.Population;
        matches.append(m);
    }
    return matches;
}

QString TGazetteer::Fold(const QString &text)
{
    const std::u16string folded = FoldText(text);
    return QString(reinterpret_cast<const QChar *>(folded.data()), qsizetype(folded.size()));
}

QStringList TGazetteer::DefaultModuleFolders()
{
    // Beside the program (the build, a portable copy), else where the
    // Debian package puts it, ../lib/x86_64-linux-gnu/vantu from /usr/bin.
    if (!QCoreApplication::instance())
        return {};
    const QString program = QCoreApplication::applicationDirPath();
    return {program, QDir::cleanPath(program + QStringLiteral("/../" VANTU_MODULE_FOLDER))};
}

QString TGazetteer::ModuleFileName()
{
    return QStringLiteral("libvantu_geonames.so");
}

QString TCityMatch::PlaceName() const
{
    return Country.isEmpty() ? Name : Name + QStringLiteral(", ") + Country;
}

QString TCityMatch::ListText() const
{
    QStringList parts{Name};
    if (!Region.isEmpty())
        parts << Region;
    if (!Country.isEmpty())
        parts << Country;
    return parts.join(QStringLiteral(", "));
}

TPlace TCityMatch::Place() const
{
    TPlace place;
    place.Name = PlaceName();
    place.Latitude = Latitude;
    place.Longitude = Longitude;
    place.Zone = Zone;
    return place;
}

namespace
{

TGazetteer *ChosenCities = nullptr;

} // namespace

TGazetteer &Cities()
{
    static TGazetteer cities;
    return ChosenCities ? *ChosenCities : cities;
}

void UseCities(TGazetteer *cities)
{
    ChosenCities = cities;
}
