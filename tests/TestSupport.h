// Helpers shared by the window tests: scripted answers to message boxes, the
// main window's fixture and widget look-ups; the file helpers come from
// FileSupport.h.
#pragma once

#include "FileSupport.h"
#include "app/RokSlnka.h"
#include "app/Shell.h"
#include "common/FileLocations.h"
#include "common/Messages.h"
#include "common/ModalRun.h"
#include "common/SystemClock.h"
#include "localities/LocalityFile.h"
#include "mainwindow/Vantu.h"
#include "table/Tabulka.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// Answers the next message boxes, in order, with the given buttons, without
// showing them; every box is recorded. A box beyond the answers given is
// recorded and answered with NoButton, as a box closed without a choice.
class TBoxAnswerer
{
public:
    explicit TBoxAnswerer(QList<QMessageBox::StandardButton> answers)
    {
        MessageTestHook::SetNextAnswers(answers);
    }
    ~TBoxAnswerer() { MessageTestHook::StopAnswering(); }
    TBoxAnswerer(const TBoxAnswerer &) = delete;
    TBoxAnswerer &operator=(const TBoxAnswerer &) = delete;

    const QList<TShownMessage> &Seen() const { return MessageTestHook::Shown(); }
};

// The child of w of that type and object name, or null.
template <typename T> T *Find(QWidget *w, const char *name)
{
    return w->findChild<T *>(QString::fromLatin1(name));
}

// One valid record, so that the main window starts without a message.
inline const QByteArray OneLocalityFile =
    "<?xml version=\"1.0\"?>\n<SuborDat>"
    "<Riadok><Mesto>SK - Bratislava</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>9</ZS2>"
    "<ZS3>0</ZS3><ZS4>N</ZS4><ZD1>17</ZD1><ZD2>7</ZD2><ZD3>1</ZD3><ZD4>E</ZD4></Riadok>"
    "</SuborDat>";

// Resets every seam of the program: the modal windows, the clock and the opener.
inline void ResetTestHooks()
{
    MessageTestHook::Reset();
    TSystemClock::Fix(QDateTime());
    TShell::Open = [](const QUrl &) { return false; }; // never a browser from a test
}

// Answers a save dialog with a path in a folder that exists, or cancels it
// when the path is empty; records the name it proposes and its folder.
inline int AnswerSaveDialog(QDialog &dialog, const QString &answer, QStringList &names,
                            QString &folder)
{
    auto *files = qobject_cast<QFileDialog *>(&dialog);
    if (!files || dialog.objectName() != QLatin1String("SaveDialog1"))
        return QDialog::Rejected;
    names << files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
    folder = files->directory().absolutePath();
    if (answer.isEmpty())
        return QDialog::Rejected;
    files->selectFile(answer);
    return QDialog::Accepted;
}

// A path no file can be written to, in a folder that exists: a folder of
// that name stands there.
inline QString BlockedPath(const QString &path)
{
    QDir().mkpath(path);
    return path;
}

// Answers every save dialog while it lives.
class TSaveDialogAnswer
{
public:
    explicit TSaveDialogAnswer(QString answer = QString()) : Answer(std::move(answer))
    {
        MessageTestHook::SetModalHandler([this](QDialog &dialog) {
            return AnswerSaveDialog(dialog, Answer, Proposed, ProposedFolder);
        });
    }
    ~TSaveDialogAnswer() { MessageTestHook::SetModalHandler(nullptr); }
    TSaveDialogAnswer(const TSaveDialogAnswer &) = delete;
    TSaveDialogAnswer &operator=(const TSaveDialogAnswer &) = delete;

    QString Answer;
    QStringList Proposed;
    QString ProposedFolder;
};

// The main window's world for one test: a scratch folder as program and
// working folder, a fixed start day (Monday 7 December 2026), optionally a
// locality file; every seam is reset when it goes.
class TVantuFixture
{
public:
    // An empty localities text leaves lokality.xml out.
    explicit TVantuFixture(const QByteArray &localities = OneLocalityFile,
                           const QDate &today = QDate(2026, 12, 7))
    {
        ResetTestHooks();
        UseFileLocations(PortableLocations(FFolder.Path()));
        TSystemClock::Fix(QDateTime(today, QTime(12, 0)));
        FReady = FFolder.Valid() &&
                 (localities.isEmpty() ||
                  WriteFile(FFolder.File(QStringLiteral("lokality.xml")), localities));
    }
    ~TVantuFixture()
    {
        ResetTestHooks();
        UseFileLocations(FPrevious);
    }
    TVantuFixture(const TVantuFixture &) = delete;
    TVantuFixture &operator=(const TVantuFixture &) = delete;

    // The folder was made and, if asked for, holds the locality file.
    bool Ready() const { return FReady; }
    QString Path() const { return FFolder.Path(); }
    QString File(const QString &name) const { return FFolder.File(name); }

private:
    const TFileLocations FPrevious = FileLocations();
    TScratchFolder FFolder;
    bool FReady = false;
};

// The nine towns as the program writes them to a new lokality.xml.
inline QByteArray NineTownsFile()
{
    return TLocalityFile::Serialize(PredefinedLocalities(), QStringLiteral("SuborDat"), {});
}

// Runs the main window's language command: 0 Slovak, 1 English, 2 Hungarian.
inline void SwitchLanguage(QWidget *window, int language)
{
    static const char *const items[] = {"mnuSlovensky", "mnuAnglicky", "mnuMadarsky"};
    window->findChild<QAction *>(QString::fromLatin1(items[language]))->trigger();
}
