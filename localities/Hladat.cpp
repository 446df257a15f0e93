#include "localities/Hladat.h"

#include "common/Messages.h"
#include "common/Texts.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace
{

struct THladatTexts {
    const char *Title;
    const char *Field;
    const char *List;
    const char *Loading;
    const char *Count; // %1 cities
    const char *More;  // %1 cities, and more not listed
    const char *Unavailable;
};

// Slovak, English, Hungarian.
const THladatTexts HladatTexts[LanguageCount] = {
    {" Hľadať miesto", "&Názov mesta:", "Nájdené mestá", "Načítavajú sa mestá sveta…",
     "Nájdené mestá: %1", "Nájdené mestá: prvých %1",
     "Údaje o mestách sveta nie sú k dispozícii. Nainštalujte balík libgeonames0.\n%1"},
    {" Find a place", "&City name:", "Cities found", "Loading the world's cities…",
     "Cities found: %1", "Cities found: the first %1",
     "The data of the world's cities is not available. Install the package libgeonames0.\n%1"},
    {" Hely keresése", "&Város neve:", "Talált városok", "A világ városainak betöltése…",
     "Talált városok: %1", "Talált városok: az első %1",
     "A világ városainak adatai nem érhetők el. Telepítse a libgeonames0 csomagot.\n%1"},
};

} // namespace

TfrmHladat::TfrmHladat(QWidget *owner, TLanguage language, TGazetteer &cities)
    : QDialog(owner), FLanguage(language), FCities(cities)
{
    const THladatTexts &t = ForLanguage(HladatTexts, language);
    setObjectName(QStringLiteral("frmHladat"));
    setWindowTitle(TextOf(t.Title));

    auto *label = new QLabel(TextOf(t.Field), this);
    edtHladat = new QLineEdit(this);
    edtHladat->setObjectName(QStringLiteral("edtHladat"));
    edtHladat->setAccessibleName(QString(TextOf(t.Field)).remove(QLatin1Char('&')).chopped(1));
    label->setBuddy(edtHladat);
    lstMiesta = new QListWidget(this);
    lstMiesta->setObjectName(QStringLiteral("lstMiesta"));
    lstMiesta->setAccessibleName(TextOf(t.List));
    lstMiesta->setMinimumSize(420, 260);
    lblPocet = new QLabel(this);
    lblPocet->setObjectName(QStringLiteral("lblPocet"));
    FButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edtHladat);
    layout->addWidget(lstMiesta, 1);
    layout->addWidget(lblPocet);
    layout->addWidget(FButtons);

    edtHladat->installEventFilter(this);
    connect(edtHladat, &QLineEdit::textChanged, this, &TfrmHladat::Search);
    connect(lstMiesta, &QListWidget::itemActivated, this, &TfrmHladat::Pick);
    connect(FButtons, &QDialogButtonBox::accepted, this, &TfrmHladat::Pick);
    connect(FButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    lblPocet->setText(TextOf(t.Loading));
    FLoader = QThread::create([&cities] { cities.Load(); });
    // Load() returns at once once the thread has loaded, with its outcome.
    connect(FLoader, &QThread::finished, this, [this] { Loaded(FCities.Load()); });
    FLoader->start();
}

TfrmHladat::~TfrmHladat()
{
    // Loading takes a tenth of a second; the thread never outlives the dialog.
    FLoader->wait();
    delete FLoader;
}

bool TfrmHladat::WaitLoaded()
{
    FLoader->wait();
    Loaded(FCities.Load());
    return FReady;
}

void TfrmHladat::Loaded(bool ok)
{
    // Once, whether the thread's end or a wait tells first.
    if (FLoadSeen)
        return;
    FLoadSeen = true;
    if (!ok) {
        const THladatTexts &t = ForLanguage(HladatTexts, FLanguage);
        ShowMessage(this, TextOf(t.Title), QMessageBox::Critical,
                    TextOf(t.Unavailable).arg(FCities.Error()));
        reject();
        return;
    }
    FReady = true;
    Search();
}

void TfrmHladat::Search()
{
    if (!FReady)
        return;
    // One more than shown tells whether there are more.
    FMatches = FCities.Find(edtHladat->text(), FLanguage, MaxMatches + 1);
    lstMiesta->clear();
    for (int i = 0; i < std::min<int>(FMatches.size(), MaxMatches); ++i)
        lstMiesta->addItem(FMatches[i].ListText());
    if (lstMiesta->count() > 0)
        lstMiesta->setCurrentRow(0);
    ShowCount();
}

// The number of matches, also for a screen reader on the field being typed in.
void TfrmHladat::ShowCount()
{
    const THladatTexts &t = ForLanguage(HladatTexts, FLanguage);
    const bool more = FMatches.size() > MaxMatches;
    const QString count =
        TextOf(more ? t.More : t.Count).arg(std::min<int>(FMatches.size(), MaxMatches));
    lblPocet->setText(count);
    edtHladat->setAccessibleDescription(count);
    lstMiesta->setAccessibleDescription(count);
    QAccessibleEvent changed(edtHladat, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

void TfrmHladat::Pick()
{
    const int row = lstMiesta->currentRow();
    if (!FReady || row < 0 || row >= FMatches.size())
        return;
    FPicked = FMatches[row];
    accept();
}

bool TfrmHladat::eventFilter(QObject *watched, QEvent *event)
{
    // Down goes from the field into the list; Enter picks the current match.
    if (watched == edtHladat && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Down && lstMiesta->count() > 0) {
            lstMiesta->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
