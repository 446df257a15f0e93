// The main window's locality database: loading and saving lokality.xml, the
// sorted grid, the two input modes, adding and erasing records.
#include "localities/LocalityModel.h"
#include "mainwindow/Messages.h"
#include "mainwindow/SpinEdit.h"
#include "mainwindow/Vantu.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

namespace
{

// Messages of the locality database, per language. Sentences are separated
// by LF CR LF CR.
struct TLocalityMessages {
    const char *MissingCaption;
    const char *Missing[2];
    const char *DamagedCaption;
    const char *Damaged[3];
    const char *SaveErrorCaption;
    const char *SaveError; // %1 = reason
    const char *InputErrorCaption;
    const char *InputError[2];
    const char *EraseCaption;
    const char *EraseText;
};

const TLocalityMessages Messages[LanguageCount] = {
    {" Chýba súbor",
     {"Súbor »lokality.xml« neexistuje v hlavnom adresári.",
      "Program bude spustený s preddefinovanou databázou."},
     " Chyba v súbore",
     {"Súbor »lokality.xml« je poškodený.", "Program bude ukončený.",
      "Po znovuspustení sa otvorí s preddefinovanou databázou."},
     " Chyba súboru",
     "Zmenu sa nepodarilo zapísať do súboru »lokality.xml«.\n%1",
     " Chyba vstupných údajov",
     {"Prosím, vyplňte všetky vstupné údaje,", "číselné údaje v povolenom rozsahu!"},
     " Mazanie záznamu",
     "Vymazať tento záznam?"},
    {" File error",
     {"File »lokality.xml« is missing in main folder.",
      "Program will start with predefine database."},
     " Error in data",
     {"File »lokality.xml« is demaged.", "Program will be stopped.",
      "After reloading the program will start with predefine database."},
     " File error",
     "The change could not be written to »lokality.xml«.\n%1",
     " Input data error",
     {"You must fill in all dates to input,", "numeric data in authorise range!"},
     " Erase",
     "Erase this record?"},
    {" Hiba",
     {"Hiányzik a »lokality.xml« fájl.", "A program új alap-adatbázissal indul."},
     " Hiba az adatokban",
     {"A »lokality.xml« fájl sérült.", "Kényszerkilépés a programból.",
      "A program újraindításával új alap-adatbázis készül."},
     " Fájlhiba",
     "A változást nem sikerült a »lokality.xml« fájlba írni.\n%1",
     " Hibás adatbelépés",
     {"Kérem, minden adatot töltsön ki ,", "ezeket a megengedett értékekben!"},
     " Törlés",
     "Törölni az adatot?"},
};

const QString SentenceBreak = QStringLiteral("\n\r\n\r");

template <std::size_t N> QString Sentences(const char *const (&parts)[N], const QString &sep)
{
    QStringList list;
    for (const char *p : parts)
        list << QString::fromUtf8(p);
    return list.join(sep);
}

} // namespace

const TLocalityMessages &LocalityMessages(int language)
{
    return Messages[(language >= 0 && language < LanguageCount) ? language : 0];
}

void TfrmVantu::ShowLocalityMessage(int kind)
{
    const TLocalityMessages &m = LocalityMessages(FLanguageIndex);
    if (kind == 0)
        ShowMessage(this, QString::fromUtf8(m.MissingCaption), QMessageBox::Warning,
                    Sentences(m.Missing, SentenceBreak));
    else
        ShowMessage(this, QString::fromUtf8(m.DamagedCaption), QMessageBox::Warning,
                    Sentences(m.Damaged, SentenceBreak));
}

// ---------------------------------------------------------------- file

void TfrmVantu::LoadLocalities()
{
    if (!QFile::exists(FLocalityFile.Path())) {
        ShowLocalityMessage(0);
        SetGridHeader();
        FillPredefined();
        FLocalityFile.StartFromSkeleton(FProgramFolder);
        SaveLocalities();
        return;
    }

    TLocalityList list;
    const TLoadStatus status = FLocalityFile.Load(list);
    // The header is filled also for a file that does not parse, so the grid
    // never stands without its titles during the seconds before the end.
    SetGridHeader();
    if (status == TLoadStatus::Loaded || !list.isEmpty()) {
        FLocalities = list;
        FGridModel->Reset();
    }
    if (status == TLoadStatus::Damaged) {
        ShowLocalityMessage(1);
        // The user's records are moved aside, not destroyed; the next start
        // finds no lokality.xml and builds the predefined database.
        FLocalityFile.MoveAside();
        FDatabaseDamaged = true;
    }
}

bool TfrmVantu::SaveLocalities()
{
    // After a damaged file was reported the program ends within seconds; a
    // write now would bring the damaged records back.
    if (FDatabaseDamaged)
        return false;
    QString error;
    if (FLocalityFile.Save(FLocalities, &error))
        return true;
    const TLocalityMessages &m = LocalityMessages(FLanguageIndex);
    ShowMessage(this, QString::fromUtf8(m.SaveErrorCaption), QMessageBox::Critical,
                QString::fromUtf8(m.SaveError).arg(error));
    return false;
}

void TfrmVantu::FillPredefined()
{
    FLocalities = PredefinedLocalities();
    FGridModel->Reset();
}

// ---------------------------------------------------------------- grid

void TfrmVantu::SetGridHeader()
{
    QStringList titles;
    for (const char *title : FTexts->GridHeaderText)
        titles << QString::fromUtf8(title);
    FGridModel->SetHeader(titles);
}

int TfrmVantu::CurrentRecord() const
{
    if (FLocalities.isEmpty())
        return 0;
    const QModelIndex current = StringGrid1->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TfrmVantu::SetCurrentRecord(int record)
{
    FUpdatingGrid = true;
    if (record >= 1 && record <= FLocalities.size()) {
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
    ::SortLocalities(FLocalities);
    FGridModel->Reset();
    SetCurrentRecord(1);
    ShowLocality();
}

void TfrmVantu::ShowLocality()
{
    const int r = CurrentRecord();
    if (r > 0) {
        const TLocality &rec = FLocalities[r - 1];
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
    StatusPanel[0]->setText(QString::fromUtf8(FTexts->RecordNoText) +
                            QStringLiteral("%1/%2").arg(CurrentRecord()).arg(FLocalities.size()));
}

void TfrmVantu::VyberLOK()
{
    if (FLocalities.isEmpty())
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
    mnuVlastne->setEnabled(database);
    mnuDatabaza->setEnabled(!database);
    mnuPridat->setEnabled(!database);
    mnuZmazat->setEnabled(database);
    // A button that is down and disabled marks a command of the other mode.
    auto setButton = [](QToolButton *b, bool available) {
        b->setEnabled(available);
        b->setChecked(!available);
    };
    setButton(btnVlastne, database);
    setButton(btnDatabaza, !database);
    setButton(btnPridat, !database);
    setButton(btnZmazat, database);
}

void TfrmVantu::mnuVlastneClick()
{
    SetDatabaseMode(false);
    Edit1->clear();
    for (TSpinEdit *s : {seHod, seMin, seSirkaST, seSirkaMin, seSirkaSek})
        s->SetText(QStringLiteral("0"));
    PolohaS->setCurrentIndex(0);
    for (TSpinEdit *s : {seDlzkaST, seDlzkaMin, seDlzkaSek})
        s->SetText(QStringLiteral("0"));
    PolohaD->setCurrentIndex(1);
    StatusPanel[0]->setText(QString::fromUtf8(FTexts->OwnDataText));
}

void TfrmVantu::mnuDatabazaClick()
{
    SetDatabaseMode(true);
    ShowLocality();
    ApplyInputs();
    ShowResults();
}

// ---------------------------------------------------------------- editing

void TfrmVantu::mnuPridatClick()
{
    if (!grpLokality->isEnabled())
        return;
    struct TCheck {
        QWidget *input;
        QString text;
        int lo, hi;
    };
    const TCheck numeric[] = {
        {seHod, seHod->Text(), -12, 12},         {seMin, seMin->Text(), 0, 45},
        {seSirkaST, seSirkaST->Text(), 0, 90},   {seSirkaMin, seSirkaMin->Text(), 0, 59},
        {seSirkaSek, seSirkaSek->Text(), 0, 59}, {seDlzkaST, seDlzkaST->Text(), 0, 180},
        {seDlzkaMin, seDlzkaMin->Text(), 0, 59}, {seDlzkaSek, seDlzkaSek->Text(), 0, 59},
    };
    QWidget *failed = nullptr;
    if (Edit1->text().isEmpty()) {
        failed = Edit1;
    } else {
        for (const TCheck &c : numeric) {
            if (!IsIntegerInRange(c.text, c.lo, c.hi)) {
                failed = c.input;
                break;
            }
        }
    }
    if (failed) {
        const TLocalityMessages &m = LocalityMessages(FLanguageIndex);
        ShowMessage(this, QString::fromUtf8(m.InputErrorCaption), QMessageBox::Critical,
                    Sentences(m.InputError, QStringLiteral("\r\n\r\n")));
        failed->setFocus();
        return;
    }

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
    FLocalities.append(rec);
    SortLocalities();
    SaveLocalities();
}

void TfrmVantu::mnuZmazatClick()
{
    if (!StringGrid1->isEnabled() || FLocalities.isEmpty())
        return;
    const TLocalityMessages &m = LocalityMessages(FLanguageIndex);
    const auto answer = ShowMessage(this, QString::fromUtf8(m.EraseCaption), QMessageBox::Question,
                                    QString::fromUtf8(m.EraseText),
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        const int r = CurrentRecord();
        if (r > 0) {
            FLocalities.removeAt(r - 1);
            FGridModel->Reset();
            SetCurrentRecord(qMin(r, int(FLocalities.size())));
        }
    }
    ShowLocality();
    if (!FLocalities.isEmpty()) {
        ApplyInputs();
        ShowResults();
    }
    SaveLocalities();
}
