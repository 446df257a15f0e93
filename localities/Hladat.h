// The Find a place dialog: a city of the world by its name, in the interface
// language. Typing lists up to 50 matches at once; Down moves into the list,
// Enter or a double click picks, Esc closes without a choice. The cities load
// on a thread of their own the first time, so the dialog opens at once.
#pragma once

#include "common/Language.h"
#include "localities/Gazetteer.h"

#include <QDialog>

#include <optional>
#include <thread>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;

class TfrmHladat : public QDialog
{
    Q_OBJECT

public:
    TfrmHladat(QWidget *owner, TLanguage language, TGazetteer &cities);
    ~TfrmHladat() override;

    // The city chosen when the dialog was accepted.
    const std::optional<TCityMatch> &Picked() const { return FPicked; }
    // Waits for the cities to be loaded (tests, and a program that needs them now).
    bool WaitLoaded();

    static constexpr int MaxMatches = 50;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Search();
    void Pick();
    void Loaded(bool ok);
    void ShowCount();

    TLanguage FLanguage;
    TGazetteer &FCities;
    QLineEdit *edtHladat = nullptr;
    QListWidget *lstMiesta = nullptr;
    QLabel *lblPocet = nullptr;
    QDialogButtonBox *FButtons = nullptr;
    QList<TCityMatch> FMatches;
    std::optional<TCityMatch> FPicked;
    // Joined, not merely waited for: the thread's own clean-up is over too.
    std::thread FLoader;
    bool FReady = false;
    bool FLoadSeen = false;
};
