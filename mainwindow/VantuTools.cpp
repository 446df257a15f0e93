// The main window's tools: result lines into the results table, the maps,
// the chart windows, the Moon phase, the about box and the help pages.
#include "mainwindow/Vantu.h"

#include "app/About.h"
#include "app/ChartWindow.h"
#include "app/MapaSK.h"
#include "app/MapaSveta.h"
#include "app/ProductInfo.h"
#include "app/RokSlnka.h"
#include "app/Shell.h"
#include "app/SlnkoMesiac.h"
#include "calendar/FazeMesiaca.h"
#include "calendar/MoonPhase.h"
#include "common/Messages.h"
#include "common/ModalRun.h"
#include "common/SystemClock.h"
#include "common/Texts.h"
#include "mainwindow/IniFile.h"
#include "mainwindow/LightSettings.h"
#include "mainwindow/SpinEdit.h"
#include "table/ResultLines.h"
#include "table/Tabulka.h"

#include <QAction>
#include <QDateEdit>
#include <QLineEdit>
#include <QToolButton>
#include <memory>

// ---------------------------------------------------------------- results table

// The window that receives lines: the current one while it holds unsaved
// lines, else a new one placed right under the main window.
TfrmTabulka *TfrmVantu::TableWindow()
{
    if (!FTableInUse)
        frmTabulka = nullptr;
    if (!frmTabulka) {
        auto *table = new TfrmTabulka(this, FLanguage);
        // Only the window that holds the unsaved lines may clear the marker:
        // saving or closing an older table must not let unsaved lines go.
        const QPointer<TfrmTabulka> self = table;
        auto release = [this, self] {
            if (self && frmTabulka == self)
                FTableInUse = false;
        };
        connect(table, &TfrmTabulka::saved, this, release);
        connect(table, &TfrmTabulka::closed, this, release);
        frmTabulka = table;
        table->move(x(), y() + 438);
    }
    frmTabulka->SetModified(true);
    frmTabulka->show();
    FTableInUse = true;
    frmTabulka->setWindowTitle(TextIn(MainText::TableTitle, FLanguage));
    return frmTabulka;
}

// The time format's tag: a city's zone is the place's own clock too.
QString TfrmVantu::ResultTag() const
{
    const TClock clock = Clock();
    return clock.IsZone() ? TextIn(ClockTag::Local, FLanguage) : clock.Tag(FLanguage);
}

void TfrmVantu::mnuTabulkaClick()
{
    TfrmTabulka *table = TableWindow();
    table->AppendText(ResultLineFor(FSunTime, KalendarDate(), Edit1->text(), ResultTag(),
                                    TextIn(MainText::NoEventText, FLanguage), QLocale::system(),
                                    FResultClock));
}

void TfrmVantu::mnuTabulkaMesClick()
{
    TfrmTabulka *table = TableWindow();
    // The month's lines leave the calculator on the calendar's day, so the
    // panel goes on computing for it.
    const QStringList lines = MonthResultLines(
        FSunTime, FCalendarDate.Year, FCalendarDate.Month, Edit1->text(), ResultTag(),
        TextIn(MainText::NoEventText, FLanguage), QLocale::system(), FResultClock);
    for (const QString &line : lines)
        table->AppendText(line);
    table->AppendText(ResultLineEnd);
    FSunTime.SetDate(KalendarDate());
}

// ---------------------------------------------------------------- maps

// Whether a map window is open is told by its button: down exactly while the
// window is shown.
template <typename TMap>
void TfrmVantu::OpenMap(QPointer<TMap> &window, QAction *item, const TText &title)
{
    // A window closed earlier has destroyed itself (or is about to).
    if (!FButtonOfItem.value(item)->isChecked())
        window.clear();
    if (!window) {
        window = new TMap(this, FLanguage);
        connect(window, &TMapWindow::closed, this,
                [this, item] { SetCommandState(item, TCommandState::Available); });
        // The picture failed to load: the window stays created but hidden,
        // and the map cannot be opened until a language switch closes it.
        if (!window->PictureLoaded()) {
            SetCommandState(item, TCommandState::Failed);
            return;
        }
    }
    if (!item->isEnabled())
        return;
    window->show();
    SetCommandState(item, TCommandState::Unavailable);
    window->setWindowTitle(TextIn(title, FLanguage));
}

void TfrmVantu::mnuSvetClick()
{
    OpenMap(frmSvet, mnuSvet, MainText::WorldMapTitle);
}

void TfrmVantu::mnuSlovenskoClick()
{
    OpenMap(frmSlovakia, mnuSlovensko, MainText::SlovakiaMapTitle);
}

// Both windows close through close(), also one left hidden after a failed
// load, so that each gives its command back.
void TfrmVantu::CloseMapWindows()
{
    if (frmSvet)
        frmSvet->close();
    if (frmSlovakia)
        frmSlovakia->close();
}

// ---------------------------------------------------------------- chart windows

// The Year of the Sun and the Sun and Moon: one window each, which follows
// the inputs while it is open.
QList<TChartWindow *> TfrmVantu::ChartWindows() const
{
    QList<TChartWindow *> open;
    if (frmRokSlnka)
        open << frmRokSlnka;
    if (frmSlnkoMesiac)
        open << frmSlnkoMesiac;
    return open;
}

// The place and clock in the inputs, the place's own clock (a picked city's
// zone, or the offset fields), the calendar's day and, on today's date, now.
TChartRequest TfrmVantu::ChartRequest() const
{
    TChartRequest request;
    request.Place = Place();
    request.MainClock = Clock();
    request.PlaceClock = ClockOf(TClock::TKind::Local);
    request.Day = Kalendar->date();
    if (request.Day == TSystemClock::Today())
        request.Now = TSystemClock::Now();
    request.Light = ReadLightBands(TIniFile(FLocations.SettingsFile));
    request.Horizon = PlaceHorizon();
    return request;
}

template <typename TChart> void TfrmVantu::OpenChartWindow(QPointer<TChart> &window)
{
    if (!window) {
        window = new TChart(this, FLanguage);
        window->SetRequest(ChartRequest());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void TfrmVantu::FeedChartWindows()
{
    const QList<TChartWindow *> open = ChartWindows();
    if (open.isEmpty())
        return;
    const TChartRequest request = ChartRequest();
    for (TChartWindow *window : open)
        window->SetRequest(request);
}

// Like the maps, they open anew in the new language.
void TfrmVantu::CloseChartWindows()
{
    for (TChartWindow *window : ChartWindows())
        window->close();
}

void TfrmVantu::mnuRokSlnkaClick()
{
    OpenChartWindow(frmRokSlnka);
}

void TfrmVantu::mnuSlnkoMesiacClick()
{
    OpenChartWindow(frmSlnkoMesiac);
}

// The dates of alignment belong to the Sun and Moon window, whose bearing
// and day they take; it opens too.
void TfrmVantu::mnuZarovnanieClick()
{
    OpenChartWindow(frmSlnkoMesiac);
    frmSlnkoMesiac->ShowAlignments();
}

// ---------------------------------------------------------------- Moon, about, help

namespace
{

// The Moon picture in words: %1 = picture number, %2 = fraction of the cycle.
constexpr TText MoonPictureWords{"Fáza Mesiaca: obrázok %1 z 29, fáza %2",
                                 "Moon phase: picture %1 of 29, phase %2",
                                 "Holdfázis: %1. kép a 29-ből, fázis %2"};

} // namespace

void TfrmVantu::mnuFazaMesiacaClick()
{
    auto frm = std::make_unique<TfrmFazeMesiaca>(this);
    frm->setWindowTitle(TextIn(MainText::MoonPhaseTitle, FLanguage));
    const double phase = PhaseFraction(KalendarDate());
    const QString picture = MoonPictureFile(phase);
    QString error;
    if (!frm->LoadPicture(FLocations.DataFile(picture), &error)) {
        // The window goes first; the failed load then reaches the
        // application's general error box and the program carries on.
        frm.reset();
        ShowMessage(this, QString::fromLatin1(ProductInfo::ApplicationTitle), QMessageBox::Critical,
                    QStringLiteral("%1: »%2«").arg(error, picture));
        return;
    }
    // The picture alone says nothing to a screen reader.
    const QString words = TextIn(MoonPictureWords, FLanguage)
                              .arg(MoonPictureNumber(phase))
                              .arg(QLocale::system().toString(phase, 'f', 2));
    frm->DescribePicture(words, words);
    ExecModal(*frm);
}

// The language whose menu item carries the check mark, tested in menu order.
TLanguage TfrmVantu::CheckedLanguage() const
{
    if (mnuSlovensky->isChecked())
        return TLanguage::Slovak;
    if (mnuAnglicky->isChecked())
        return TLanguage::English;
    return TLanguage::Hungarian;
}

void TfrmVantu::mnuPomocClick()
{
    TShell::Open(ProductInfo::LocalHelpUrl(CheckedLanguage()));
}

void TfrmVantu::mnuOnLineClick()
{
    TShell::Open(ProductInfo::OnlineHelpUrl(CheckedLanguage()));
}

void TfrmVantu::mnuOProgrameClick()
{
    auto frm = std::make_unique<TfrmAbout>(this, FLanguage);
    frm->setWindowTitle(TextIn(MainText::AboutTitle, FLanguage));
    ExecModal(*frm);
}
