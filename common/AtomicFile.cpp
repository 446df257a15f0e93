#include "common/AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace
{

// "vantu.ini.vantu-Xq3kZp.tmp": a name no other program and no user picks, so
// that leftovers can be told apart from everything else in the folder.
const QString TemporaryMark = QStringLiteral(".vantu-");
const QString TemporarySuffix = QStringLiteral(".tmp");
constexpr int RandomLength = 6;

// A temporary file untouched this long belongs to no save still running:
// each write of one moves its time on.
constexpr qint64 StaleAfterSeconds = 10;

QString RandomPart()
{
    static const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString text;
    for (int i = 0; i < RandomLength; ++i)
        text +=
            QLatin1Char(Alphabet[QRandomGenerator::global()->bounded(int(sizeof Alphabet) - 1)]);
    return text;
}

// Takes away what a save killed before its rename left in the folder.
void RemoveLeftovers(const QDir &folder)
{
    static const QRegularExpression pattern(QStringLiteral("^.+%1[A-Za-z0-9]{%2}%3$")
                                                .arg(QRegularExpression::escape(TemporaryMark),
                                                     QString::number(RandomLength),
                                                     QRegularExpression::escape(TemporarySuffix)));
    const QDateTime stale = QDateTime::currentDateTimeUtc().addSecs(-StaleAfterSeconds);
    const QFileInfoList files = folder.entryInfoList(
        {QStringLiteral("*") + TemporaryMark + QStringLiteral("*") + TemporarySuffix},
        QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &file : files) {
        if (file.isSymLink() || !pattern.match(file.fileName()).hasMatch() ||
            file.lastModified().toUTC() > stale)
            continue;
        QFile::remove(file.filePath());
    }
}

} // namespace

bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    // A link is followed: the file it names is the one replaced.
    const QFileInfo given(path);
    const QString target = given.isSymLink() ? given.symLinkTarget() : path;
    const QFileInfo info(target);
    RemoveLeftovers(info.dir());

    QFile file;
    for (int attempt = 0; attempt < 100; ++attempt) {
        file.setFileName(
            info.dir().filePath(info.fileName() + TemporaryMark + RandomPart() + TemporarySuffix));
        // Made new, never an existing file, with the permissions umask gives.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (!QFileInfo::exists(file.fileName()))
            break; // the folder refuses, not a name taken by chance
    }
    const bool created = file.isOpen();
    auto fail = [&](const QString &reason) {
        if (error)
            *error = reason;
        // Only a file this save made is taken away (by name: QFile::remove
        // keeps a file whose last flush failed).
        if (created) {
            file.close();
            QFile::remove(file.fileName());
        }
        return false;
    };
    if (!created)
        return fail(file.errorString());
    if (info.exists())
        file.setPermissions(info.permissions());
    // A full disk shows in the write, the flush or the sync; each is checked
    // so that a truncated file never takes the old one's place.
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0)
        return fail(file.errorString().isEmpty() ? QStringLiteral("write error")
                                                 : file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    std::error_code failure;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(file.fileName()).toStdString()),
                            std::filesystem::path(QFile::encodeName(target).toStdString()),
                            failure);
    if (failure)
        return fail(QString::fromLocal8Bit(failure.message()));
    return true;
}
