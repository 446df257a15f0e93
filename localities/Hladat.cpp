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
#include <QVBoxLayout>

namespace
{

namespace FindText
{

constexpr TText Title{" Hľadať miesto", " Find a place", " Hely keresése"};
constexpr TText Field{"&Názov mesta:", "&City name:", "&Város neve:"};
constexpr TText List{"Nájdené mestá", "Cities found", "Talált városok"};
constexpr TText Loading{"Načítavajú sa mestá sveta…", "Loading the world's cities…",
                        "A világ városainak betöltése…"};
// %1 cities
constexpr TText Count{"Nájdené mestá: %1", "Cities found: %1", "Talált városok: %1"};
// %1 cities, and more not listed
constexpr TText More{"Nájdené mestá: prvých %1", "Cities found: the first %1",
                     "Talált városok: az első %1"};
// The reasons (module paths) stay out of the box: vantu-cli --verbose tells them.
constexpr TText Unavailable{
    "Údaje o mestách sveta nie sú k dispozícii. Nainštalujte balík libgeonames0.",
    "The data of the world's cities is not available. Install the package libgeonames0.",
    "A világ városainak adatai nem érhetők el. Telepítse a libgeonames0 csomagot."};

} // namespace FindText

} // namespace

TfrmHladat::TfrmHladat(QWidget *owner, TLanguage language, TGazetteer &cities)
    : QDialog(owner), FLanguage(language), FCities(cities)
{
    setObjectName(QStringLiteral("frmHladat"));
    setWindowTitle(TextIn(FindText::Title, FLanguage));

    auto *label = new QLabel(TextIn(FindText::Field, FLanguage), this);
    edtHladat = new QLineEdit(this);
    edtHladat->setObjectName(QStringLiteral("edtHladat"));
    edtHladat->setAccessibleName(
        QString(TextIn(FindText::Field, FLanguage)).remove(QLatin1Char('&')).chopped(1));
    label->setBuddy(edtHladat);
    lstMiesta = new QListWidget(this);
    lstMiesta->setObjectName(QStringLiteral("lstMiesta"));
    lstMiesta->setAccessibleName(TextIn(FindText::List, FLanguage));
    lstMiesta->setMinimumSize(420, 260);
    lblPocet = new QLabel(this);
    lblPocet->setObjectName(QStringLiteral("lblPocet"));
    FButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    NameStandardButtons(FButtons, FLanguage);

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

    lblPocet->setText(TextIn(FindText::Loading, FLanguage));
    // Load() returns at once once the thread has loaded, with its outcome.
    FLoader = std::thread([this, &cities] {
        cities.Load();
        QMetaObject::invokeMethod(
            this, [this] { WaitLoaded(); }, Qt::QueuedConnection);
    });
}

TfrmHladat::~TfrmHladat()
{
    // Loading takes a tenth of a second; the thread never outlives the dialog.
    if (FLoader.joinable())
        FLoader.join();
}

bool TfrmHladat::WaitLoaded()
{
    if (FLoader.joinable())
        FLoader.join();
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
        ShowMessage(this, TextIn(FindText::Title, FLanguage), QMessageBox::Critical,
                    TextIn(FindText::Unavailable, FLanguage));
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
    const bool more = FMatches.size() > MaxMatches;
    const QString count = TextIn(more ? FindText::More : FindText::Count, FLanguage)
                              .arg(std::min<int>(FMatches.size(), MaxMatches));
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
