// The main window's locality database commands: loading at start, the
// sorted grid, the two input modes, adding and erasing records. The list and
// its file belong to TLocalityDatabase; this file shows what it reports.
#include "mainwindow/Vantu.h"

#include "localities/Hladat.h"
#include "localities/Horizont.h"

#include "common/Messages.h"
#include "common/ModalRun.h"
#include "common/Texts.h"
#include "localities/LocalityModel.h"
#include "mainwindow/SpinEdit.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace
{

// Messages of the locality database. Sentences are separated by LF CR LF CR.
namespace LocalityText
{

constexpr TText MissingCaption{" Chýba súbor", " File error", " Hiba"};
constexpr TText Missing[2] = {
    {"Súbor »lokality.xml« neexistuje v hlavnom adresári.",
     "File »lokality.xml« is missing in main folder.", "Hiányzik a »lokality.xml« fájl."},
    {"Program bude spustený s preddefinovanou databázou.",
     "Program will start with predefine database.", "A program új alap-adatbázissal indul."}};
constexpr TText DamagedCaption{" Chyba v súbore", " Error in data", " Hiba az adatokban"};
constexpr TText Damaged[3] = {
    {"Súbor »lokality.xml« je poškodený.", "File »lokality.xml« is demaged.",
     "A »lokality.xml« fájl sérült."},
    {"Program bude ukončený.", "Program will be stopped.", "Kényszerkilépés a programból."},
    {"Po znovuspustení sa otvorí s preddefinovanou databázou.",
     "After reloading the program will start with predefine database.",
     "A program újraindításával új alap-adatbázis készül."}};
// %1 = reason
constexpr TText SaveError{"Zmenu sa nepodarilo zapísať do súboru »lokality.xml«.\n%1",
                          "The change could not be written to »lokality.xml«.\n%1",
                          "A változást nem sikerült a »lokality.xml« fájlba írni.\n%1"};
constexpr TText InputErrorCaption{" Chyba vstupných údajov", " Input data error",
                                  " Hibás adatbelépés"};
constexpr TText InputError[2] = {
    {"Prosím, vyplňte všetky vstupné údaje,", "You must fill in all dates to input,",
     "Kérem, minden adatot töltsön ki ,"},
    {"číselné údaje v povolenom rozsahu!", "numeric data in authorise range!",
     "ezeket a megengedett értékekben!"}};
constexpr TText EraseCaption{" Mazanie záznamu", " Erase", " Törlés"};
constexpr TText EraseText{"Vymazať tento záznam?", "Erase this record?", "Törölni az adatot?"};
// %1 = the path the damaged file was moved to
constexpr TText HorizonsDamaged[2] = {
    {"Súbor »horizonty.xml« je poškodený; horizonty miest sa nenačítali.",
     "File »horizonty.xml« is damaged; the horizons of the places were not read.",
     "A »horizonty.xml« fájl sérült; a helyek horizontjai nem töltődtek be."},
    {"Bol odložený ako »%1«.", "It was set aside as »%1«.", "Félretéve: »%1«."}};
constexpr TText HorizonNoName{"Horizont sa ukladá k názvu miesta: zadajte najprv názov.",
                              "A horizon is stored with the place's name: enter a name first.",
                              "A horizont a hely nevéhez tárolódik: előbb adjon meg egy nevet."};
// %1 = reason
constexpr TText HorizonSaveError{"Horizont sa nepodarilo zapísať do súboru »horizonty.xml«.\n%1",
                                 "The horizon could not be written to »horizonty.xml«.\n%1",
                                 "A horizontot nem sikerült a »horizonty.xml« fájlba írni.\n%1"};

} // namespace LocalityText

const QString SentenceBreak = QStringLiteral("\n\r\n\r");

template <std::size_t N>
QString Sentences(const TText (&parts)[N], TLanguage language, const QString &sep)
{
    QStringList list;
    for (const TText &p : parts)
        list << TextIn(p, language);
    return list.join(sep);
}

} // namespace

// ---------------------------------------------------------------- file

void TfrmVantu::LoadLocalities()
{
    const TLoadStatus status = FGridModel->Change([this] { return FDatabase.Load(); });
    if (status == TLoadStatus::Missing) {
        ShowMessage(this, TextIn(LocalityText::MissingCaption, FLanguage), QMessageBox::Warning,
                    Sentences(LocalityText::Missing, FLanguage, SentenceBreak));
        SetGridHeader();
        ReportSaveFailure(FGridModel->Change(
            [this] { return FDatabase.CreatePredefined(FLocations.TempFolder); }));
        return;
    }
    // The header is filled also for a file that does not parse, so the grid
    // never stands without its titles during the seconds before the end.
    SetGridHeader();
    if (status == TLoadStatus::Damaged) {
        ShowMessage(this, TextIn(LocalityText::DamagedCaption, FLanguage), QMessageBox::Warning,
                    Sentences(LocalityText::Damaged, FLanguage, SentenceBreak));
        // The user's records are moved aside, not destroyed; the next start
        // finds no lokality.xml and builds the predefined database.
        FDatabase.SetAsideDamaged();
    }
}

// A damaged file of horizons is set aside as lokality.xml is, and the places
// go on with flat horizons; nothing forces the program to stop.
void TfrmVantu::LoadHorizons()
{
    if (FHorizons.Load() != TLoadStatus::Damaged)
        return;
    const QString aside = QDir::toNativeSeparators(FHorizons.SetAsideDamaged());
    ShowMessage(this, TextIn(LocalityText::DamagedCaption, FLanguage), QMessageBox::Warning,
                TextIn(LocalityText::HorizonsDamaged[0], FLanguage) + SentenceBreak +
                    TextIn(LocalityText::HorizonsDamaged[1], FLanguage).arg(aside));
}

std::optional<THorizon> TfrmVantu::PlaceHorizon() const
{
    return FHorizons.HorizonOf(Place());
}

// The horizon of the place in the inputs; stored at once, and the open chart
// windows follow.
void TfrmVantu::mnuHorizontClick()
{
    const TPlace place = Place();
    if (place.Name.isEmpty()) {
        ShowMessage(this, TextIn(LocalityText::InputErrorCaption, FLanguage), QMessageBox::Warning,
                    TextIn(LocalityText::HorizonNoName, FLanguage));
        Edit1->setFocus();
        return;
    }
    TfrmHorizont dialog(this, FLanguage, place, FHorizons.HorizonOf(place));
    if (ExecModal(dialog) != QDialog::Accepted)
        return;
    QString error;
    if (!FHorizons.Set(place, dialog.Horizon(), &error)) {
        ShowMessage(this, TextIn(FileErrorCaption, FLanguage), QMessageBox::Critical,
                    TextIn(LocalityText::HorizonSaveError, FLanguage).arg(error));
        return;
    }
    FeedChartWindows();
}

bool TfrmVantu::SaveLocalities()
{
    const TSaveResult result = FDatabase.Save();
    ReportSaveFailure(result);
    return result.Outcome == TSaveOutcome::Written;
}

void TfrmVantu::ReportSaveFailure(const TSaveResult &result)
{
    if (!result.Failed())
        return;
    ShowMessage(this, TextIn(FileErrorCaption, FLanguage), QMessageBox::Critical,
                TextIn(LocalityText::SaveError, FLanguage).arg(result.Error));
}

void TfrmVantu::FillPredefined()
{
    FGridModel->Change([this] { FDatabase.CreatePredefined(FLocations.TempFolder); });
}

// ---------------------------------------------------------------- grid

void TfrmVantu::SetGridHeader()
{
    QStringList titles;
    for (const TText &title : MainText::GridHeaderText)
        titles << TextIn(title, FLanguage);
    FGridModel->SetHeader(titles);
}

int TfrmVantu::CurrentRecord() const
{
    if (Localities().isEmpty())
        return 0;
    const QModelIndex current = StringGrid1->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TfrmVantu::SetCurrentRecord(int record)
{
    FUpdatingGrid = true;
    if (record >= 1 && record <= Localities().size()) {
        const QModelIndex index = FGridModel->index(record - 1, 0);
        StringGrid1->setCurrentIndex(index);
        StringGrid1->scrollTo(index);
    } else {
        StringGrid1->setCurrentIndex(QModelIndex());
    }
    FUpdatingGrid = false;
}

void TfrmVantu::SortLocalities()
{
    FGridModel->Change([this] { FDatabase.Sort(); });
    SetCurrentRecord(1);
    ShowLocality();
}

void TfrmVantu::ShowLocality()
{
    const int r = CurrentRecord();
    if (r > 0) {
        const TLocality &rec = Localities()[r - 1];
        Edit1->setText(rec.Field[fMesto]);
        seHod->SetText(rec.Field[fHod]);
        seMin->SetText(rec.Field[fMin]);
        seSirkaST->SetText(rec.Field[fZS1]);
        seSirkaMin->SetText(rec.Field[fZS2]);
        seSirkaSek->SetText(rec.Field[fZS3]);
        PolohaS->setCurrentIndex(rec.Field[fZS4] == QLatin1String("N") ? 0 : 1);
        seDlzkaST->SetText(rec.Field[fZD1]);
        seDlzkaMin->SetText(rec.Field[fZD2]);
        seDlzkaSek->SetText(rec.Field[fZD3]);
        PolohaD->setCurrentIndex(rec.Field[fZD4] == QLatin1String("E") ? 1 : 0);
    }
    // With an empty list the inputs keep what they show.
    ShowRecordPosition();
}

void TfrmVantu::ShowRecordPosition()
{
    StatusPanel[0]->setText(TextIn(MainText::RecordNoText, FLanguage) +
                            QStringLiteral("%1/%2").arg(CurrentRecord()).arg(Localities().size()));
}

void TfrmVantu::VyberLOK()
{
    FPlaceZone.clear();
    if (Localities().isEmpty())
        return;
    ShowLocality();
    ApplyInputs();
    ShowResults();
}

// ---------------------------------------------------------------- modes

void TfrmVantu::SetDatabaseMode(bool database)
{
    grpLokality->setEnabled(!database);
    StringGrid1->setEnabled(database);
    // A command of the other mode is not available: its button stays down.
    auto state = [](bool available) {
        return available ? TCommandState::Available : TCommandState::Unavailable;
    };
    SetCommandState(mnuVlastne, state(database));
    SetCommandState(mnuDatabaza, state(!database));
    SetCommandState(mnuPridat, state(!database));
    SetCommandState(mnuZmazat, state(database));
}

void TfrmVantu::mnuVlastneClick()
{
    FPlaceZone.clear();
    SetDatabaseMode(false);
    Edit1->clear();
    for (TSpinEdit *s : {seHod, seMin, seSirkaST, seSirkaMin, seSirkaSek})
        s->SetText(QStringLiteral("0"));
    PolohaS->setCurrentIndex(0);
    for (TSpinEdit *s : {seDlzkaST, seDlzkaMin, seDlzkaSek})
        s->SetText(QStringLiteral("0"));
    PolohaD->setCurrentIndex(1);
    StatusPanel[0]->setText(TextIn(MainText::OwnDataText, FLanguage));
    // The drop-downs set here signal nothing: the results follow the inputs
    // only when computed again.
    ApplyInputs();
    ShowResults();
}

void TfrmVantu::mnuDatabazaClick()
{
    FPlaceZone.clear();
    SetDatabaseMode(true);
    ShowLocality();
    ApplyInputs();
    ShowResults();
}

// ---------------------------------------------------------------- a city of the world

void TfrmVantu::mnuHladatClick()
{
    TfrmHladat dialog(this, FLanguage, Cities());
    if (ExecModal(dialog) == QDialog::Accepted && dialog.Picked())
        PickCity(dialog.Picked()->Place());
}

// Own data, as typed: the name, degrees, minutes and whole seconds with their
// hemispheres, and the offset of the city's zone on the calendar's day; then
// the results. The zone stays with the place until an input is edited.
void TfrmVantu::PickCity(const TPlace &city)
{
    if (!grpLokality->isEnabled())
        mnuVlastneClick();
    FFillingPlace = true;
    Edit1->setText(city.Name.left(Edit1->maxLength()));
    const std::pair<TDmsAngle, std::array<TSpinEdit *, 3>> angles[2] = {
        {city.LatitudeDms(), {seSirkaST, seSirkaMin, seSirkaSek}},
        {city.LongitudeDms(), {seDlzkaST, seDlzkaMin, seDlzkaSek}}};
    for (const auto &[dms, fields] : angles) {
        fields[0]->SetText(QString::number(dms.Degrees));
        fields[1]->SetText(QString::number(dms.Minutes));
        fields[2]->SetText(QString::number(dms.Seconds));
    }
    PolohaS->setCurrentIndex(city.Latitude < 0 ? 1 : 0);
    PolohaD->setCurrentIndex(city.Longitude < 0 ? 0 : 1);
    FillOffsetFields(city);
    FFillingPlace = false;
    FPlaceZone = city.Zone;
    ApplyInputs();
    ShowResults();
}

void TfrmVantu::FillOffsetFields(const TPlace &place)
{
    const std::optional<int> offset = ZoneOffsetOn(place, Kalendar->date());
    if (!offset)
        return;
    const TOffsetFields fields = OffsetFields(*offset);
    const bool filling = FFillingPlace;
    FFillingPlace = true;
    seHod->SetText(QString::number(fields.Hours));
    seMin->SetText(QString::number(fields.Minutes));
    FFillingPlace = filling;
}

// ---------------------------------------------------------------- editing

void TfrmVantu::mnuPridatClick()
{
    if (!grpLokality->isEnabled())
        return;
    TLocality rec;
    rec.Field[fMesto] = Edit1->text();
    rec.Field[fHod] = seHod->Text();
    rec.Field[fMin] = seMin->Text();
    rec.Field[fZS1] = seSirkaST->Text();
    rec.Field[fZS2] = seSirkaMin->Text();
    rec.Field[fZS3] = seSirkaSek->Text();
    rec.Field[fZS4] = PolohaS->currentIndex() == 0 ? QStringLiteral("N") : QStringLiteral("S");
    rec.Field[fZD1] = seDlzkaST->Text();
    rec.Field[fZD2] = seDlzkaMin->Text();
    rec.Field[fZD3] = seDlzkaSek->Text();
    rec.Field[fZD4] = PolohaD->currentIndex() == 0 ? QStringLiteral("W") : QStringLiteral("E");

    const TAddResult result = FGridModel->Change([&] { return FDatabase.Add(rec); });
    if (!result.Added()) {
        QWidget *const inputs[LocalityFieldCount] = {Edit1,      seHod,      seMin,   seSirkaST,
                                                     seSirkaMin, seSirkaSek, PolohaS, seDlzkaST,
                                                     seDlzkaMin, seDlzkaSek, PolohaD};
        ShowMessage(this, TextIn(LocalityText::InputErrorCaption, FLanguage), QMessageBox::Critical,
                    Sentences(LocalityText::InputError, FLanguage, QStringLiteral("\r\n\r\n")));
        inputs[result.InvalidField]->setFocus();
        return;
    }
    SetCurrentRecord(1);
    // The first record replaces the typed inputs, its hemispheres too: the
    // results are computed from exactly what is now shown.
    VyberLOK();
    ReportSaveFailure(result.Save);
}

void TfrmVantu::mnuZmazatClick()
{
    if (!StringGrid1->isEnabled() || Localities().isEmpty())
        return;
    const auto answer =
        ShowMessage(this, TextIn(LocalityText::EraseCaption, FLanguage), QMessageBox::Question,
                    TextIn(LocalityText::EraseText, FLanguage), QMessageBox::Yes | QMessageBox::No,
                    QMessageBox::No);
    const int r = CurrentRecord();
    TSaveResult saved;
    if (answer == QMessageBox::Yes && r > 0) {
        saved = FGridModel->Change([&] { return FDatabase.Erase(r - 1); });
        SetCurrentRecord(qMin(r, int(Localities().size())));
    } else {
        // A declined erasure still writes the file, as every use of the command does.
        saved = FDatabase.Save();
    }
    ShowLocality();
    if (!Localities().isEmpty()) {
        ApplyInputs();
        ShowResults();
    }
    ReportSaveFailure(saved);
}
