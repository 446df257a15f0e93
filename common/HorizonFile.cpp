#include "common/HorizonFile.h"

#include "common/Texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>

namespace
{

// %1 the file, %2 the line number, %3 what is wrong
namespace HorizonMessage
{
inline constexpr TText CannotRead{"%1: súbor nemožno prečítať", "%1: the file cannot be read",
                                  "%1: a fájl nem olvasható"};
inline constexpr TText TooLarge{"%1: súbor je väčší ako 1 MiB", "%1: the file is larger than 1 MiB",
                                "%1: a fájl nagyobb 1 MiB-nál"};
inline constexpr TText NotText{"%1: nie je textový súbor", "%1: not a text file",
                               "%1: nem szöveges fájl"};
inline constexpr TText BadLine{"%1, riadok %2: čakal sa azimut a výška: „%3“",
                               "%1, line %2: expected an azimuth and an altitude: \"%3\"",
                               "%1, %2. sor: irányszöget és magasságot várt: „%3”"};
inline constexpr TText AzimuthRange{"%1, riadok %2: azimut %3 nie je od 0 do 360",
                                    "%1, line %2: azimuth %3 is not from 0 to 360",
                                    "%1, %2. sor: a(z) %3 irányszög nincs 0 és 360 között"};
inline constexpr TText AltitudeRange{"%1, riadok %2: výška %3 nie je od −5 do 60",
                                     "%1, line %2: altitude %3 is not from −5 to 60",
                                     "%1, %2. sor: a(z) %3 magasság nincs −5 és 60 között"};
inline constexpr TText TooFew{"%1: menej ako dva body", "%1: fewer than two points",
                              "%1: kettőnél kevesebb pont"};
inline constexpr TText NotPolygonal{"%1: nie je polygonálna krajina (type = polygonal)",
                                    "%1: not a polygonal landscape (type = polygonal)",
                                    "%1: nem poligonális táj (type = polygonal)"};
inline constexpr TText UnknownMode{"%1: neznámy polygonal_horizon_list_mode: %2",
                                   "%1: unknown polygonal_horizon_list_mode: %2",
                                   "%1: ismeretlen polygonal_horizon_list_mode: %2"};
inline constexpr TText Rotated{
    "%1: otočená krajina (polygonal_angle_rotatez) sa nečíta: otočte azimuty v zozname",
    "%1: a rotated landscape (polygonal_angle_rotatez) is not read: rotate the azimuths in its "
    "list",
    "%1: elforgatott táj (polygonal_angle_rotatez) nem olvasható: forgassa el a lista "
    "irányszögeit"};
} // namespace HorizonMessage

// How a polygonal landscape's list gives its two angles.
struct TListMode {
    double AzimuthScale = 1;  // to degrees
    double AltitudeScale = 1; // to degrees
    bool ZenithDistance = false;
    bool Wrap = false; // azimuths of any turn, brought into 0 ... 360
};

THorizonRead Failure(const QString &message)
{
    THorizonRead r;
    r.Error = message;
    return r;
}

// The file's text if it is one: UTF-8 without NUL characters.
std::optional<QString> AsText(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

THorizonRead ParseList(const QByteArray &bytes, const QString &name, TLanguage language,
                       const TListMode &mode)
{
    const std::optional<QString> text = AsText(bytes);
    if (!text)
        return Failure(TextIn(HorizonMessage::NotText, language).arg(name));
    static const QRegularExpression pair(QStringLiteral(
        "^([+-]?(?:\\d+\\.?\\d*|\\.\\d+))(?:\\s*,\\s*|\\s+)([+-]?(?:\\d+\\.?\\d*|\\.\\d+))$"));
    THorizonRead r;
    const QStringList lines = text->split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        const qsizetype hash = line.indexOf(QLatin1Char('#'));
        if (hash >= 0)
            line.truncate(hash);
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        const QString number = QString::number(i + 1);
        const QRegularExpressionMatch m = pair.match(line);
        if (!m.hasMatch())
            return Failure(
                TextIn(HorizonMessage::BadLine, language).arg(name, number, line.left(60)));
        double azimuth = m.captured(1).toDouble() * mode.AzimuthScale;
        double altitude = m.captured(2).toDouble() * mode.AltitudeScale;
        if (mode.ZenithDistance)
            altitude = 90 - altitude;
        if (mode.Wrap)
            azimuth -= 360 * std::floor(azimuth / 360);
        if (!(azimuth >= 0 && azimuth <= 360))
            return Failure(
                TextIn(HorizonMessage::AzimuthRange, language).arg(name, number, m.captured(1)));
        if (!(altitude >= -5 && altitude <= 60))
            return Failure(TextIn(HorizonMessage::AltitudeRange, language)
                               .arg(name, number, QString::number(altitude, 'g', 6)));
        r.Points.push_back({azimuth, altitude});
    }
    if (r.Points.size() < 2)
        return Failure(TextIn(HorizonMessage::TooFew, language).arg(name));
    return r;
}

std::optional<QByteArray> ReadLimited(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(HorizonFileLimit + 1);
}

// A polygonal landscape's landscape.ini: its list file read in its mode.
THorizonRead ReadLandscape(const QString &path, const QString &text, TLanguage language)
{
    const QString name = QDir::toNativeSeparators(path);
    QString type, list, modeName = QStringLiteral("azDeg_altDeg"), rotation;
    bool inLandscape = false;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inLandscape = line.compare(QLatin1String("[landscape]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inLandscape || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed(), value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("type"))
            type = value;
        else if (key == QLatin1String("polygonal_horizon_list"))
            list = value;
        else if (key == QLatin1String("polygonal_horizon_list_mode"))
            modeName = value;
        else if (key == QLatin1String("polygonal_angle_rotatez"))
            rotation = value;
    }
    if (type != QLatin1String("polygonal") || list.isEmpty())
        return Failure(TextIn(HorizonMessage::NotPolygonal, language).arg(name));
    if (!rotation.isEmpty() && rotation.toDouble() != 0)
        return Failure(TextIn(HorizonMessage::Rotated, language).arg(name));
    static const QRegularExpression modePattern(
        QStringLiteral("^az(Deg|Rad|Grad)_(alt|zd)(Deg|Rad|Grad)$"));
    const QRegularExpressionMatch m = modePattern.match(modeName);
    if (!m.hasMatch())
        return Failure(TextIn(HorizonMessage::UnknownMode, language).arg(name, modeName));
    const auto scale = [](const QString &unit) {
        return unit == QLatin1String("Rad")    ? 180 / M_PI
               : unit == QLatin1String("Grad") ? 0.9
                                               : 1.0;
    };
    TListMode mode;
    mode.AzimuthScale = scale(m.captured(1));
    mode.ZenithDistance = m.captured(2) == QLatin1String("zd");
    mode.AltitudeScale = scale(m.captured(3));
    mode.Wrap = true;
    const QString listPath = QFileInfo(path).dir().filePath(list);
    const std::optional<QByteArray> bytes = ReadLimited(listPath);
    const QString listName = QDir::toNativeSeparators(listPath);
    if (!bytes)
        return Failure(TextIn(HorizonMessage::CannotRead, language).arg(listName));
    if (bytes->size() > HorizonFileLimit)
        return Failure(TextIn(HorizonMessage::TooLarge, language).arg(listName));
    return ParseList(*bytes, listName, language, mode);
}

} // namespace

THorizonRead ParseHorizonText(const QByteArray &bytes, const QString &name, TLanguage language)
{
    if (bytes.size() > HorizonFileLimit)
        return Failure(TextIn(HorizonMessage::TooLarge, language).arg(name));
    return ParseList(bytes, name, language, TListMode());
}

THorizonRead ReadHorizonFile(const QString &path, TLanguage language)
{
    const QString name = QDir::toNativeSeparators(path);
    if (QFileInfo(path).isDir())
        return Failure(TextIn(HorizonMessage::CannotRead, language).arg(name));
    const std::optional<QByteArray> bytes = ReadLimited(path);
    if (!bytes)
        return Failure(TextIn(HorizonMessage::CannotRead, language).arg(name));
    if (bytes->size() > HorizonFileLimit)
        return Failure(TextIn(HorizonMessage::TooLarge, language).arg(name));
    if (const std::optional<QString> text = AsText(*bytes)) {
        static const QRegularExpression section(QStringLiteral("^\\s*\\[landscape\\]\\s*$"),
                                                QRegularExpression::MultilineOption |
                                                    QRegularExpression::CaseInsensitiveOption);
        if (section.match(*text).hasMatch())
            return ReadLandscape(path, *text, language);
    }
    return ParseHorizonText(*bytes, name, language);
}

QByteArray HorizonText(const std::vector<THorizonPoint> &points)
{
    QByteArray out = "# azimuth altitude (degrees)\n";
    for (const THorizonPoint &p : points)
        out += QByteArray::number(p.Azimuth, 'g', 10) + ' ' +
               QByteArray::number(p.Altitude, 'g', 10) + '\n';
    return out;
}
