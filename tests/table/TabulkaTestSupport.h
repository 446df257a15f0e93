// The results table window's tests: the texts each language expects, a
// sample line, a handler for the window's own modal dialogs, and the
// fixture: an owner window standing in for the main window, a fresh folder
// and scripted file names for the save dialog.
#pragma once

#include "TestSupport.h"
#include "common/MessageLanguage.h"
#include "table/Tabulka.h"

#include <QMainWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

struct TExpectedTexts {
    const char *menu, *save, *saveAs, *print, *close, *notSaved, *saved;
    const char *queryCaption, *queryText;
    const char *printerCaption, *printerText, *pagesText;
    const char *fileCaption;
};

inline const TExpectedTexts Expected[] = {
    {"&Tabuľka", "&Uložiť", "Uložiť &Ako", "&Tlačiť", "&Zavrieť",
     " Tabuľka výsledkov nie je uložená", " Tabuľka výsledkov je uložená", " Potvrdenie",
     "Tabuľka výsledkov bola zmenená. Uložiť zmeny?", " Chyba tlače", "Tlačiareň nie je pripravená",
     "Prebieha tlač výsledkov, počet strán: %1", " Chyba súboru"},
    {"&Table", "&Save", "Save &As", "&Print", "&Close", " Table of results is not saved",
     " Table of results is saved", " Confirmation", "Table of results is modified. Save the table?",
     " Printer error", "Printer is not ready", "%1 pages printed", " File error"},
    {"&Táblázat", "&Mentés", "M&entés másként", "&Nyomtatás", "&Kilépés",
     " Az eredmények táblázata nincs mentve", " Az eredmények táblázata mentve van", " Megerősítés",
     "Az eredmények táblázata megváltozott. Menteni?", " Nyomtatási hiba",
     "Hiba történt a nyomtatás alatt", "%1 oldal nyomtatva", " Fájlhiba"},
};

inline const QString SampleLine =
    QStringLiteral("SK - Poprad, 05.Mar.2026, [SEČ] =>   05:57:03,   11:49:30,   17:41:59\r\n");

// Runs an action on the next modal window with the given object name: the
// window is shown instead of running its own event loop, and its result
// goes back to the code under test.
class TModalHandler
{
public:
    TModalHandler(QString objectName, std::function<void(QWidget *)> action)
    {
        MessageTestHook::SetModalHandler([this, objectName, action](QDialog &dialog) {
            if (FDone || dialog.objectName() != objectName)
                return int(QDialog::Rejected);
            FDone = true;
            dialog.show();
            action(&dialog);
            return dialog.result();
        });
    }
    ~TModalHandler() { MessageTestHook::SetModalHandler(nullptr); }
    bool Done() const { return FDone; }

private:
    bool FDone = false;
};

inline void DeleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The base of the table window's test classes: the owner window lives for
// the whole program, each test gets a fresh folder and save dialog answers.
class TTabulkaTestBase : public QObject
{
protected:
    // Shows the owner window.
    void StartOwner()
    {
        FOwner = std::make_unique<QMainWindow>();
        FOwner->setObjectName(QStringLiteral("frmVantu"));
        FOwner->show();
    }
    // A fresh folder. The save dialog records what it proposes and answers
    // FSaveAnswer (in a folder that exists); the print dialog prints to the PDF file FPrintTo.
    // Either is cancelled while its answer is empty.
    void Prepare()
    {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
        FCleared = 0;
        FProposed.clear();
        FSaveAnswer.clear();
        FPrintTo.clear();
        FPrintDialogs = 0;
        MessageTestHook::SetModalHandler([this](QDialog &dialog) {
            [&] { QVERIFY(qobject_cast<TfrmTabulka *>(dialog.parentWidget())); }();
            auto *print = qobject_cast<QPrintDialog *>(&dialog);
            if (!print)
                return AnswerSaveDialog(dialog, FSaveAnswer, FProposed, FProposedFolder);
            ++FPrintDialogs;
            if (FPrintTo.isEmpty())
                return int(QDialog::Rejected);
            SetUpPdf(*print->printer(), FPrintTo);
            return int(QDialog::Accepted);
        });
    }
    // Every table window goes, and the dialog hooks with them.
    void Finish()
    {
        for (auto *w : FOwner->findChildren<TfrmTabulka *>())
            delete w;
        MessageTestHook::SetModalHandler(nullptr);
    }

    TfrmTabulka *NewTable(int language)
    {
        // A table is created in the interface language in force.
        SetMessageLanguage(TLanguage(language));
        auto *table = new TfrmTabulka(FOwner.get(), TLanguage(language));
        connect(table, &TfrmTabulka::saved, this, [this] { ++FCleared; });
        connect(table, &TfrmTabulka::closed, this, [this] { ++FCleared; });
        table->show();
        return table;
    }

    static void SetUpPdf(QPrinter &printer, const QString &path)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setResolution(600);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    }
    std::unique_ptr<QPrinter> PdfPrinter(const QString &path)
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        SetUpPdf(*printer, path);
        return printer;
    }

    std::unique_ptr<QMainWindow> FOwner;
    std::unique_ptr<QTemporaryDir> FDir;
    int FCleared = 0;
    QStringList FProposed; // names the save dialog proposed
    QString FProposedFolder;
    QString FSaveAnswer;
    QString FPrintTo;
    int FPrintDialogs = 0;
};
