// The main window's commands that open the auxiliary windows and pages.
#include "mainwindow/Vantu.h"

#include "app/About.h"
#include "app/MapaSK.h"
#include "app/MapaSveta.h"
#include "app/ProductInfo.h"
#include "app/Shell.h"
#include "calendar/FazeMesiaca.h"
#include "calendar/MoonPhase.h"
#include "mainwindow/Messages.h"

#include <QAction>
#include <QToolButton>
#include <memory>

namespace
{

// Whether a map window is open is told by its button: down exactly while the
// window is shown.
template <typename TMap>
void OpenMap(QWidget *owner, QPointer<TMap> &window, QToolButton *button, QAction *menuItem,
             int language, const char *title)
{
    // A window closed earlier has destroyed itself (or is about to).
    if (!button->isChecked())
        window.clear();
    if (!window)
        window = new TMap(owner, language, button, menuItem);
    // The picture failed to load: the window stays created but hidden.
    if (!button->isEnabled())
        return;
    window->show();
    button->setChecked(true);
    button->setEnabled(false);
    menuItem->setEnabled(false);
    window->setWindowTitle(QString::fromUtf8(title));
}

// The language whose menu item carries the check mark, tested in menu order;
// -1 when none does.
int CheckedLanguage(const QAction *slovak, const QAction *english, const QAction *hungarian)
{
    if (slovak->isChecked())
        return langSlovak;
    if (english->isChecked())
        return langEnglish;
    if (hungarian->isChecked())
        return langHungarian;
    return -1;
}

} // namespace

void TfrmVantu::mnuSvetClick()
{
    OpenMap(this, frmSvet, btnSvet, mnuSvet, FLanguageIndex, FTexts->WorldMapTitle);
}

void TfrmVantu::mnuSlovenskoClick()
{
    OpenMap(this, frmSlovakia, btnSlovensko, mnuSlovensko, FLanguageIndex,
            FTexts->SlovakiaMapTitle);
}

// Both windows close through close(), also one left hidden after a failed
// load, so that each gives its button and menu item back.
void TfrmVantu::CloseMapWindows()
{
    if (frmSvet)
        frmSvet->close();
    if (frmSlovakia)
        frmSlovakia->close();
}

void TfrmVantu::mnuFazaMesiacaClick()
{
    auto frm = std::make_unique<TfrmFazeMesiaca>(this);
    frm->setWindowTitle(QString::fromUtf8(FTexts->MoonPhaseTitle));
    const QString picture = MoonPictureFile(PhaseFraction(KalendarDate()));
    QString error;
    if (!frm->LoadPicture(picture, &error)) {
        // The window goes first; the failed load then reaches the
        // application's general error box and the program carries on.
        frm.reset();
        ShowMessage(this, QString::fromUtf8(ProductInfo::ApplicationTitle), QMessageBox::Critical,
                    QStringLiteral("%1: »%2«").arg(error, picture));
        return;
    }
    frm->exec();
}

void TfrmVantu::mnuPomocClick()
{
    const int language = CheckedLanguage(mnuSlovensky, mnuAnglicky, mnuMadarsky);
    if (language >= 0)
        TShell::Open(ProductInfo::LocalHelpUrl(language));
}

void TfrmVantu::mnuOnLineClick()
{
    const int language = CheckedLanguage(mnuSlovensky, mnuAnglicky, mnuMadarsky);
    if (language >= 0)
        TShell::Open(ProductInfo::OnlineHelpUrl(language));
}

void TfrmVantu::mnuOProgrameClick()
{
    auto frm = std::make_unique<TfrmAbout>(this, FLanguageIndex);
    frm->setWindowTitle(QString::fromUtf8(FTexts->AboutTitle));
    frm->exec();
}
