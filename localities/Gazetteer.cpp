#include "localities/Gazetteer.h"

#include "localities/FoldedName.h"
#include "localities/MessageCatalogue.h"
#include "localities/ModuleFile.h"
#include "localities/geonames/GeonamesModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <dlfcn.h>

namespace
{

const char *const LanguageCodes[LanguageCount] = {"sk", "en", "hu"};

// No city's name comes near this; longer ones are left out of the index.
constexpr int LongestKey = 200;

enum TRank : quint8 { Exact, Prefix, WordPrefix, NoMatch };

// How well a city's best name fits: by rank, and within a rank the names of
// the library and the interface languages before those of other languages.
quint8 Fit(TRank rank, bool own)
{
    return quint8(rank * 2 + (own ? 0 : 1));
}
constexpr quint8 NoFit = NoMatch * 2;

// The texts lie in one pool of UTF-8 (TData::Pool), each ending with NUL:
// tens of thousands of cities would otherwise cost seven allocations each.
struct TCity {
    quint32 Id, Name, Admin1, Region, CountryCode, Country, Zone; // offsets in the pool
    double Latitude, Longitude;
    quint32 Population;
};

// One name of a city, in any of the library's languages.
struct TName {
    quint32 Folded;  // offset of the folded name in TData::Text
    quint32 Written; // offset of the name as written in TData::Pool
    quint32 City;
    quint16 Length; // of the folded name
    bool Own;       // the library's own name or one in an interface language
};

// One searchable tail of a folded name: the whole name (Word 0) or the part
// from one of its later words on, so every match is a prefix test.
struct TKey {
    quint32 Name;
    quint16 Word; // where the tail starts within the folded name
};

TRank RankIn(std::u16string_view name, std::u16string_view query)
{
    if (name.substr(0, query.size()) == query)
        return name.size() == query.size() ? Exact : Prefix;
    for (size_t i = 1; i + query.size() <= name.size(); ++i)
        if (name[i - 1] == u' ' && name.substr(i, query.size()) == query)
            return WordPrefix;
    return NoMatch;
}

// The number a city's id in the catalogues is, or 0 for a region or country.
quint32 CityNumber(QByteArrayView id)
{
    if (id.isEmpty() || id.size() > 9)
        return 0;
    quint32 n = 0;
    for (char c : id) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + quint32(c - '0');
    }
    return n;
}

// The spellings are gathered as bytes and made unique before any folding:
// most languages repeat the library's own name.
struct TSpelling {
    quint32 City, Offset, Length;
    bool Own; // the library's own name or one in an interface language
};

struct TSpellings {
    std::string Written;
    std::vector<TSpelling> List;
};

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
    std::vector<TName> Names;
    std::vector<TKey> Keys;
    // What names have between their words besides blanks ("-", "'", "."), sorted.
    std::vector<char32_t> Separators;

    std::u16string_view Folded(const TName &name) const
    {
        return std::u16string_view(Text).substr(name.Folded, name.Length);
    }
    std::u16string_view Tail(const TKey &key) const
    {
        return Folded(Names[key.Name]).substr(key.Word);
    }

    quint32 Keep(std::string_view text)
    {
        const auto offset = quint32(Pool.size());
        Pool.append(text);
        Pool.push_back('\0');
        return offset;
    }
    quint32 Keep(const char *text) { return Keep(std::string_view(text ? text : "")); }
    QByteArrayView Bytes(quint32 offset) const { return QByteArrayView(Pool.data() + offset); }
    QString Text16(quint32 offset) const { return QString::fromUtf8(Bytes(offset)); }

    static void TakeCity(const VantuGeonamesCity *city, void *context);
    bool LoadModule();
    void LoadCatalogues();
    void BuildIndex();
    TSpellings GatherSpellings() const;
    void MakeNames(TSpellings &all);
    void MakeKeys();
    QString Translated(QByteArrayView id, TLanguage language, quint32 own) const;
    TCityMatch MatchOf(quint32 city, TLanguage language) const;
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

bool TGazetteer::TData::LoadModule()
{
    if (ModuleFolders.isEmpty())
        ModuleFolders = DefaultModuleFolders();
    QStringList tried;
    for (const QString &folder : std::as_const(ModuleFolders)) {
        const QString path = QDir(folder).filePath(ModuleFileName());
        QString why;
        if (!QFileInfo::exists(path)) {
            tried << QStringLiteral("%1: not found").arg(path);
            continue;
        }
        if (!CheckModuleFile(path, why)) {
            tried << QStringLiteral("%1: %2").arg(path, why);
            continue;
        }
        // Every symbol bound now, libgeonames' included: a library of that
        // name without them fails here instead of ending the process at the
        // first call. Never unloaded: GLib does not survive being taken out.
        void *module = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            // Usually libgeonames missing; a later folder may still do.
            tried << QString::fromLocal8Bit(dlerror());
            continue;
        }
        auto version = reinterpret_cast<VantuGeonamesInterfaceFunction>(
            dlsym(module, VANTU_GEONAMES_INTERFACE_SYMBOL));
        auto enumerate = reinterpret_cast<VantuGeonamesEnumerateFunction>(
            dlsym(module, VANTU_GEONAMES_ENUMERATE_SYMBOL));
        if (!version || !enumerate || version() != VANTU_GEONAMES_INTERFACE) {
            tried << QStringLiteral("%1: not a module of this version of the program").arg(path);
            continue;
        }
        Cities.reserve(32768);
        Pool.reserve(4 << 20);
        enumerate(TakeCity, this);
        if (Cities.empty()) {
            Error = QStringLiteral("%1: the geonames library holds no cities").arg(path);
            return false;
        }
        return true;
    }
    Error = tried.join(QLatin1Char('\n'));
    return false;
}

void TGazetteer::TData::LoadCatalogues()
{
    // A missing catalogue only means names fall back to English.
    for (int i = 0; i < LanguageCount; ++i)
        Catalogues[i].Load(TMessageCatalogue::PathFor(
            LocaleFolder, QString::fromLatin1(LanguageCodes[i]), QStringLiteral("geonames")));
}

// Every name of every city, the library's own and those of all its
// catalogues, folded once; then the sorted index of their tails.
void TGazetteer::TData::BuildIndex()
{
    TSpellings spellings = GatherSpellings();
    MakeNames(spellings);
    MakeKeys();
}

// Every spelling of every city: the library's own names, those of the
// interface languages' catalogues and those of every other catalogue.
TSpellings TGazetteer::TData::GatherSpellings() const
{
    std::vector<std::pair<quint32, quint32>> byNumber; // geonames id, city
    byNumber.reserve(Cities.size());
    for (size_t city = 0; city < Cities.size(); ++city)
        if (const quint32 number = CityNumber(Bytes(Cities[city].Id)))
            byNumber.push_back({number, quint32(city)});
    std::sort(byNumber.begin(), byNumber.end());

    TSpellings result;
    std::string &written = result.Written;
    std::vector<TSpelling> &spellings = result.List;
    spellings.reserve(Cities.size() * 6);
    const auto add = [&](quint32 city, QByteArrayView name, bool isOwn) {
        spellings.push_back({city, quint32(written.size()), quint32(name.size()), isOwn});
        written.append(name.data(), size_t(name.size()));
    };
    std::vector<QByteArrayView> own(Cities.size());
    for (size_t city = 0; city < Cities.size(); ++city)
        own[city] = Bytes(Cities[city].Name);
    for (size_t city = 0; city < Cities.size(); ++city)
        add(quint32(city), own[city], true);
    const auto harvest = [&](const TMessageCatalogue &catalogue, bool isOwn) {
        for (int i = 0; i < catalogue.Count(); ++i) {
            const quint32 number = CityNumber(catalogue.IdAt(i));
            const auto city = std::lower_bound(byNumber.begin(), byNumber.end(),
                                               std::pair<quint32, quint32>(number, 0));
            if (number == 0 || city == byNumber.end() || city->first != number)
                continue;
            const QByteArrayView name = catalogue.TextAt(i);
            if (!name.isEmpty() && name != own[city->second])
                add(city->second, name, isOwn);
        }
    };
    for (const TMessageCatalogue &catalogue : Catalogues)
        harvest(catalogue, true);
    // The other languages are read for their names alone and let go.
    const QStringList folders = QDir(LocaleFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &language : folders) {
        if (std::find(std::begin(LanguageCodes), std::end(LanguageCodes), language.toLatin1()) !=
            std::end(LanguageCodes))
            continue;
        // Mapped rather than read: the names are copied out once anyway.
        QFile file(TMessageCatalogue::PathFor(LocaleFolder, language, QStringLiteral("geonames")));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const qint64 size = file.size();
        const uchar *bytes = size > 0 ? file.map(0, size) : nullptr;
        TMessageCatalogue catalogue;
        if (bytes && catalogue.Parse(QByteArray::fromRawData(reinterpret_cast<const char *>(bytes),
                                                             qsizetype(size))))
            harvest(catalogue, false);
    }
    return result;
}

// One name per city and folded spelling, written as most languages write it.
void TGazetteer::TData::MakeNames(TSpellings &all)
{
    const std::string &written = all.Written;
    std::vector<TSpelling> &spellings = all.List;
    const auto view = [&written](const TSpelling &s) {
        return std::string_view(written.data() + s.Offset, s.Length);
    };
    const auto byCity = [&view](const TSpelling &a, const TSpelling &b) {
        return a.City != b.City ? a.City < b.City : view(a) < view(b);
    };
    std::sort(spellings.begin(), spellings.end(), byCity);

    Text.clear();
    Names.clear();
    Keys.clear();
    Text.reserve(spellings.size() * 12);
    Names.reserve(spellings.size());
    std::vector<char32_t> separators;
    std::vector<quint32> sources; // of each name's spelling: how many languages write it so
    size_t firstOfCity = 0;
    for (size_t i = 0; i < spellings.size();) {
        const TSpelling &s = spellings[i];
        if (i == 0 || s.City != spellings[i - 1].City)
            firstOfCity = Names.size();
        // A run of the same spelling: how many write it, and whether one of
        // them is the library itself or an interface language.
        bool own = false;
        size_t end = i;
        for (; end < spellings.size() && spellings[end].City == s.City &&
               view(spellings[end]) == view(s);
             ++end)
            own = own || spellings[end].Own;
        const auto count = quint32(end - i);
        i = end;
        const std::u16string folded = FoldText(QString::fromUtf8(view(s)), &separators);
        if (folded.empty() || folded.size() > LongestKey)
            continue;
        // Spellings apart only in case or accents are one name, written as
        // most languages write it ("México" rather than "Mexico").
        size_t known = firstOfCity;
        while (known < Names.size() && Folded(Names[known]) != folded)
            ++known;
        if (known < Names.size()) {
            Names[known].Own = Names[known].Own || own;
            if (count > sources[known]) {
                Names[known].Written = Keep(view(s));
                sources[known] = count;
            }
            continue;
        }
        Names.push_back({quint32(Text.size()), Keep(view(s)), s.City, quint16(folded.size()), own});
        sources.push_back(count);
        Text += folded;
    }
    std::sort(separators.begin(), separators.end());
    separators.erase(std::unique(separators.begin(), separators.end()), separators.end());
    Separators = std::move(separators);
}

// Every name and every word of a name that follows a blank is a key.
void TGazetteer::TData::MakeKeys()
{
    // Sorted by the first four letters packed into a number first: most
    // comparisons end there, without reaching into the names.
    std::vector<std::pair<quint64, TKey>> headed;
    headed.reserve(Names.size() * 5 / 4);
    const auto push = [&](quint32 name, quint16 word) {
        const std::u16string_view tail = Tail({name, word});
        quint64 head = 0;
        for (size_t i = 0; i < 4; ++i)
            head = head << 16 | (i < tail.size() ? tail[i] : 0);
        headed.push_back({head, {name, word}});
    };
    for (size_t n = 0; n < Names.size(); ++n) {
        const std::u16string_view name = Folded(Names[n]);
        push(quint32(n), 0);
        for (size_t i = 1; i < name.size(); ++i) {
            if (name[i - 1] == u' ')
                push(quint32(n), quint16(i));
        }
    }
    std::sort(headed.begin(), headed.end(), [this](const auto &a, const auto &b) {
        return a.first != b.first ? a.first < b.first : Tail(a.second) < Tail(b.second);
    });
    Keys.reserve(headed.size());
    for (const auto &key : headed)
        Keys.push_back(key.second);
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
// A city as the interface language names it.
TCityMatch TGazetteer::TData::MatchOf(quint32 city, TLanguage language) const
{
    const TCity &c = Cities[city];
    TCityMatch m;
    m.Id = Text16(c.Id);
    m.Name = Translated(Bytes(c.Id), language, c.Name);
    const QByteArrayView country = Bytes(c.CountryCode);
    const QByteArrayView admin1 = Bytes(c.Admin1);
    m.Region = admin1.isEmpty() ? Text16(c.Region)
                                : Translated(country.toByteArray() + '.' + admin1.toByteArray(),
                                             language, c.Region);
    m.Country = Translated(country, language, c.Country);
    m.CountryCode = Text16(c.CountryCode);
    m.Latitude = c.Latitude;
    m.Longitude = c.Longitude;
    m.Zone = Bytes(c.Zone).toByteArray();
    m.Population = c.Population;
    return m;
}

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
    if (D->LoadModule()) {
        D->LoadCatalogues();
        D->BuildIndex();
        D->Available = true;
    } else {
        D->Cities = {};
        D->Pool = {};
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

QList<TCityMatch> TGazetteer::Find(const QString &text, TLanguage language, int limit, int *total)
{
    QList<TCityMatch> matches;
    if (total)
        *total = 0;
    if (limit <= 0 || !Load())
        return matches;
    std::vector<char32_t> others;
    const std::u16string query = FoldText(text, &others);
    if (query.empty() || query.size() > LongestKey)
        return matches;
    // A character that no city's name holds ("[", "*") makes the text no name
    // at all, not a prefix of what its letters alone would match.
    for (char32_t c : others)
        if (!std::binary_search(D->Separators.begin(), D->Separators.end(), c))
            return matches;

    // Every key with the query as its prefix lies in one run of the sorted index.
    auto key =
        std::lower_bound(D->Keys.begin(), D->Keys.end(), std::u16string_view(query),
                         [this](const TKey &k, std::u16string_view q) { return D->Tail(k) < q; });
    std::vector<quint8> best(D->Cities.size(), NoFit);
    std::vector<quint32> bestName(D->Cities.size());
    std::vector<quint32> found;
    for (; key != D->Keys.end(); ++key) {
        const std::u16string_view tail = D->Tail(*key);
        if (tail.substr(0, query.size()) != query)
            break;
        const TName &name = D->Names[key->Name];
        const TRank rank = key->Word > 0                 ? WordPrefix
                           : tail.size() == query.size() ? Exact
                                                         : Prefix;
        const quint8 fit = Fit(rank, name.Own);
        if (best[name.City] == NoFit)
            found.push_back(name.City);
        if (fit < best[name.City]) {
            best[name.City] = fit;
            bestName[name.City] = key->Name;
        }
    }
    if (total)
        *total = int(found.size());

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
        const quint32 city = found[i];
        TCityMatch m = D->MatchOf(city, language);
        const auto rank = TRank(best[city] / 2);
        m.WholeName = rank == Exact;
        // "Vienna (Wien)": the name typed, when the one shown fits it less well.
        if (RankIn(FoldText(m.Name), query) > rank)
            m.Matched = D->Text16(D->Names[bestName[city]].Written);
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

QString TCityMatch::FullName() const
{
    QStringList parts{Name};
    if (!Region.isEmpty())
        parts << Region;
    if (!Country.isEmpty())
        parts << Country;
    return parts.join(QStringLiteral(", "));
}

QString TCityMatch::ListText() const
{
    QStringList parts{Matched.isEmpty() ? Name : QStringLiteral("%1 (%2)").arg(Name, Matched)};
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
