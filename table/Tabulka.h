// The results table window: the result lines as one editable text that the
// user can save to a text file and print. Owned by the main window.
#pragma once

#include "common/Language.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QStatusBar;

class TfrmTabulka : public QMainWindow
{
    Q_OBJECT

public:
    // Menus and status texts in the language of creation; its message boxes
    // speak the interface language in force when they appear.
    TfrmTabulka(QWidget *owner, TLanguage language);
    ~TfrmTabulka() override;

    // Status texts: one pair for all table windows, set by each new window in
    // the language of its creation.
    static QString NotSavedText;
    static QString SavedText;

    // For the main window: the text with CR LF line ends, appended to at its
    // very end without a line break of our own (the lines carry theirs).
    void AppendText(const QString &s);
    QString Text() const;
    void SetText(const QString &text);
    bool Modified() const { return FModified; }
    void SetModified(bool modified) { FModified = modified; }
    QString FileName() const { return FFileName; }
    TLanguage Language() const { return FLanguage; }
    QString StatusText() const; // the status line's one field

    bool Save();
    bool SaveAs();
    bool QuerySave();

signals:
    // No unsaved results are left in this window: its text was written, or
    // the window closed.
    void saved();
    void closed();

public slots:
    void Memo1Change();
    void mnuUlozitClick();
    void mnuUlozitAkoClick();
    void mnuTlacitClick();
    void mnuZavrietTabulkuClick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void ApplyTableTexts(TLanguage language);
    bool Dotaz();
    void FormClose();
    bool SaveWithProposal(const QString &proposed);
    bool WriteTo(const QString &path);
    void MarkSaved();

    TLanguage FLanguage = TLanguage::Slovak;
    bool FModified = false;
    QString FFileName;
    QLabel *FStatusLabel = nullptr;

    QPlainTextEdit *Memo1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QMenu *mnuTabulka = nullptr;
    QAction *mnuUlozit = nullptr;
    QAction *mnuUlozitAko = nullptr;
    QAction *mnuTlacit = nullptr;
    QAction *mnuZavrietTabulku = nullptr;
};
