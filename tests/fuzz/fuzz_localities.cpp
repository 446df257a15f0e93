// Locality file reader: any bytes give records or "damaged", never a crash;
// a list that parsed is written and read back unchanged.
#include "FuzzSupport.h"
#include "localities/LocalityFile.h"

#include <QLocale>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace
{

QString Describe(const TLocalityList &list)
{
    QStringList records;
    for (const TLocality &r : list) {
        QStringList fields;
        for (const QString &f : r.Field)
            fields << Escaped(f);
        records << fields.join(u'|');
    }
    return records.join(u'\n');
}

QString Describe(const TLocalityRoot &root)
{
    QString text = Escaped(root.Name);
    for (const auto &a : root.Attributes)
        text += u' ' + Escaped(a.first) + u'=' + Escaped(a.second);
    return text;
}

bool Storable(const TLocalityList &list)
{
    for (const TLocality &r : list)
        for (const QString &f : r.Field)
            if (!IsXmlText(f))
                return false;
    return true;
}

bool FieldsLess(const TLocality &a, const TLocality &b)
{
    return a.Field < b.Field;
}

// Sorting only moves whole records around.
void CheckSort(const TLocalityList &list, const QLocale &locale)
{
    TLocalityList sorted = list;
    SortLocalities(sorted, locale);
    FUZZ_REQUIRE(sorted.size() == list.size(), Describe(sorted));
    TLocalityList a = list;
    TLocalityList b = sorted;
    std::sort(a.begin(), a.end(), FieldsLess);
    std::sort(b.begin(), b.end(), FieldsLess);
    FUZZ_REQUIRE(a == b, Describe(list) + QStringLiteral("\n--- sorted ---\n") + Describe(sorted));
    if (locale.language() == QLocale::C) {
        for (qsizetype i = 1; i < sorted.size(); ++i)
            FUZZ_REQUIRE(SortKey(sorted[i - 1]).toCaseFolded() <= SortKey(sorted[i]).toCaseFolded(),
                         Describe(sorted));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    TLocalityList list;
    std::optional<TLocalityRoot> root;
    const TLoadStatus status = ParseLocalities(bytes, list, &root);
    FUZZ_REQUIRE(status == TLoadStatus::Loaded || status == TLoadStatus::Damaged, QString());

    // The root is optional output only; it changes nothing else.
    TLocalityList plain;
    FUZZ_REQUIRE(ParseLocalities(bytes, plain) == status && plain == list, Describe(plain));

    if (!root) {
        FUZZ_REQUIRE(status == TLoadStatus::Damaged && list.isEmpty(), Describe(list));
        return 0;
    }

    const int invalid = CheckLocalities(list);
    if (status == TLoadStatus::Loaded)
        FUZZ_REQUIRE(invalid == 0, Describe(list));
    int counted = 0;
    for (const TLocality &r : list) {
        qsizetype length = LocalityFieldCount - 1;
        for (int f = 0; f < LocalityFieldCount; ++f) {
            length += r.Field[f].size();
            if (!IsValidField(f, r.Field[f]))
                ++counted;
        }
        const QString key = SortKey(r);
        FUZZ_REQUIRE(key.size() == length && key.startsWith(r.Field[fMesto]), Escaped(key));
        const int firstBad = FirstInvalidAddField(r);
        FUZZ_REQUIRE(firstBad == -1 || !IsValidField(firstBad, r.Field[firstBad]), Escaped(key));
    }
    FUZZ_REQUIRE(counted == invalid, Describe(list));

    // Collation is costly; a few records are enough to exercise it.
    if (list.size() <= 16) {
        CheckSort(list, QLocale::c());
        static const QLocale slovak(QLocale::Slovak, QLocale::Slovakia);
        CheckSort(list, slovak);
    }

    // What was read must be written and read back as it was.
    QString error;
    const QByteArray written = TLocalityFile::Serialize(list, root->Name, root->Attributes, &error);
    if (!Storable(list)) {
        FUZZ_REQUIRE(written.isEmpty() && !error.isEmpty(), Describe(list));
        return 0;
    }
    FUZZ_REQUIRE(!written.isEmpty(), error + u'\n' + Describe(*root) + u'\n' + Describe(list));

    TLocalityList back;
    std::optional<TLocalityRoot> backRoot;
    const TLoadStatus backStatus = ParseLocalities(written, back, &backRoot);
    const QString detail =
        QStringLiteral("written: ") + Escaped(written) + QStringLiteral("\n--- read ---\n") +
        Describe(*root) + u'\n' + Describe(list) + QStringLiteral("\n--- read back ---\n") +
        (backRoot ? Describe(*backRoot) : QStringLiteral("<no root>")) + u'\n' + Describe(back);
    FUZZ_REQUIRE(backRoot.has_value(), detail);
    FUZZ_REQUIRE(backRoot->Name == root->Name, detail);
    FUZZ_REQUIRE(backRoot->Attributes == root->Attributes, detail);
    FUZZ_REQUIRE(back == list, detail);
    FUZZ_REQUIRE(backStatus == (invalid > 0 ? TLoadStatus::Damaged : TLoadStatus::Loaded), detail);
    return 0;
}
