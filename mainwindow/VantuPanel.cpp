// The main window's calculation panel (inputs, time format, results, the
// day line), its language switch and the Easter command.
#include "mainwindow/Vantu.h"

#include "calendar/CalCalc.h"
#include "common/MessageLanguage.h"
#include "common/Messages.h"
#include "common/QtTranslations.h"
#include "mainwindow/SpinEdit.h"
#include "suntime/DateUtil.h"
#include "table/ResultLines.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>

#include <algorithm>

namespace
{

// "hh:nn:ss  " + long date: time to the nearest millisecond, seconds shown
// whole, and the date of the moment (which may be the day before or after).
QString FormatResult(double value)
{
    int y, mo, d, h, mi, s, ms;
    DateUtil::DecodeDateTime(DateUtil::MomentToOle(value), y, mo, d, h, mi, s, ms);
    const QString time = QStringLiteral("%1:%2:%3")
                             .arg(h, 2, 10, QLatin1Char('0'))
                             .arg(mi, 2, 10, QLatin1Char('0'))
                             .arg(s, 2, 10, QLatin1Char('0'));
    return time + QStringLiteral("  ") +
           QLocale::system().toString(QDate(y, mo, d), QLocale::LongFormat);
}

// A label takes the size of its caption. A right-aligned one (a result's
// caption) keeps its row and its right edge, where the value begins, and
// only grows to the left should a caption need more room.
void SetLabelCaption(QLabel *label, const QString &text)
{
    label->setText(text);
    if (!(label->alignment() & Qt::AlignRight)) {
        label->adjustSize();
        return;
    }
    const QRect place = label->geometry();
    const int width = std::max(place.width(), label->sizeHint().width());
    label->setGeometry(place.x() + place.width() - width, place.y(), width, place.height());
}

} // namespace

// ---------------------------------------------------------------- languages

void TfrmVantu::mnuSlovenskyClick()
{
    SwitchLanguage(TLanguage::Slovak);
}
void TfrmVantu::mnuAnglickyClick()
{
    SwitchLanguage(TLanguage::English);
}
void TfrmVantu::mnuMadarskyClick()
{
    SwitchLanguage(TLanguage::Hungarian);
}

void TfrmVantu::SwitchLanguage(TLanguage language)
{
    const QAction *chosen = nullptr;
    QAction *items[LanguageCount] = {mnuSlovensky, mnuAnglicky, mnuMadarsky};
    chosen = ForLanguage(items, language);
    for (QAction *item : items)
        item->setChecked(item == chosen);
    CloseMapWindows();
    CloseChartWindows();
    FLanguage = language;
    ApplyLanguage(language);
    RefreshAfterLanguage();
}

void TfrmVantu::ApplyLanguage(TLanguage language)
{
    SetMessageLanguage(language);
    ApplyQtTranslations(language);

    // Only the window's own objects, looked up by name: an open table window
    // has menus of the same names that keep their texts.
    auto setCaption = [this, language](const TNamedText &entry) {
        QObject *o = FNamed.value(QString::fromLatin1(entry.ObjectName));
        const QString text = TextIn(entry.Text, language);
        if (auto *menu = qobject_cast<QMenu *>(o))
            menu->setTitle(text);
        else if (auto *action = qobject_cast<QAction *>(o))
            action->setText(text);
        else if (auto *group = qobject_cast<QGroupBox *>(o))
            group->setTitle(text);
        else if (auto *button = qobject_cast<QAbstractButton *>(o))
            button->setText(text);
        else if (auto *label = qobject_cast<QLabel *>(o))
            SetLabelCaption(label, text);
    };
    auto setHint = [this, language](const TNamedText &entry) {
        QObject *o = FNamed.value(QString::fromLatin1(entry.ObjectName));
        const QString text = TextIn(entry.Text, language);
        if (auto *menu = qobject_cast<QMenu *>(o))
            o = menu->menuAction();
        if (auto *action = qobject_cast<QAction *>(o)) {
            action->setStatusTip(text);
            if (QToolButton *button = FButtonOfItem.value(action))
                button->setStatusTip(text);
        } else if (auto *widget = qobject_cast<QWidget *>(o)) {
            widget->setStatusTip(text);
        }
    };

    for (const TNamedText &entry : MainText::Captions())
        setCaption(entry);
    if (const std::optional<TClock::TKind> format = CheckedTimeFormat())
        grpVysledky->setTitle(ResultsCaption(*format));
    for (const TNamedText &entry : MainText::Hints())
        setHint(entry);
    UpdateAccessibleNames();
}

// Screen readers name every input, button and result by its caption, or by
// its hint where it has no caption of its own.
void TfrmVantu::UpdateAccessibleNames()
{
    auto fromHint = [](QWidget *w) {
        QString hint = w->statusTip();
        if (hint.startsWith(QLatin1Char(' ')))
            hint.remove(0, 1);
        w->setAccessibleName(hint);
    };
    for (QWidget *w : std::initializer_list<QWidget *>{
             StringGrid1,  Edit1,       seHod,          seMin,      seSirkaST,    seSirkaMin,
             seSirkaSek,   PolohaS,     seDlzkaST,      seDlzkaMin, seDlzkaSek,   PolohaD,
             Kalendar,     btnVlastne,  btnDatabaza,    btnPridat,  btnZmazat,    btnSvet,
             btnSlovensko, btnVelkaNoc, btnFazeMesiaca, btnTabulka, btnTabulkaMes})
        fromHint(w);
    for (QRadioButton *r : {rbUTC, rbSEC, rbSELC, rbMiestny})
        r->setAccessibleName(r->text());
    NameResults();
}

// A result is read out as its caption with the value shown beside it. The
// other text-only displays (the day line, the status panels) are read by
// their text, which Qt takes as the name of a label that has none of its own.
void TfrmVantu::NameResults()
{
    const std::pair<QLabel *, QLabel *> results[3] = {
        {lblVychod, Sunrise}, {lblPoludnie, Noon}, {lblZapad, Sunset}};
    for (const auto &[caption, value] : results) {
        QString name = caption->text();
        if (name.endsWith(QLatin1Char(':')))
            name.chop(1);
        value->setAccessibleName(name + QLatin1Char(' ') + value->text());
    }
}

void TfrmVantu::RefreshAfterLanguage()
{
    SetGridHeader();
    FCalendarDate.WeekdayName = GetWeekdayName(FCalendarDate.Weekday, FLanguage);
    Label6->setText(LabelDayLine());
    RebuildDateText();
    if (grpLokality->isEnabled())
        StatusPanel[0]->setText(TextIn(MainText::OwnDataText, FLanguage));
    else
        ShowRecordPosition();
}

// The start day in the third status panel, in the language in force.
void TfrmVantu::RebuildDateText()
{
    FDateText = QStringLiteral(" %1.%2.%3, %4, %5. ")
                    .arg(FStartDay.day())
                    .arg(FStartDay.month())
                    .arg(FStartDay.year())
                    .arg(GetWeekdayName(FStartDay.dayOfWeek() % 7 + 1, FLanguage))
                    .arg(FStartDay.dayOfYear());
    StatusPanel[2]->setText(FDateText + TextIn(MainText::DayWord, FLanguage));
}

QString TfrmVantu::ResultsCaption(TClock::TKind format) const
{
    const TText *const captions[4] = {&MainText::ResultsCaptionUtc, &MainText::ResultsCaptionCet,
                                      &MainText::ResultsCaptionCest,
                                      &MainText::ResultsCaptionLocal};
    return TextIn(*captions[TimeFormatIndex(format)], FLanguage);
}

QRadioButton *TfrmVantu::TimeFormatButton(TClock::TKind format) const
{
    QRadioButton *const buttons[4] = {rbUTC, rbSEC, rbSELC, rbMiestny};
    return buttons[TimeFormatIndex(format)];
}

// The checked time-format button, tested in the order UTC, SEČ, SELČ, local.
std::optional<TClock::TKind> TfrmVantu::CheckedTimeFormat() const
{
    for (int i = 0; i < 4; ++i)
        if (TimeFormatButton(TClock::TKind(i))->isChecked())
            return TClock::TKind(i);
    return std::nullopt;
}

TPlace TfrmVantu::Place() const
{
    TPlace place;
    place.Name = Edit1->text();
    place.Latitude = FSunTime.Latitude().Value();
    // The calculator's longitude is west positive.
    place.Longitude = -FSunTime.Longitude().Value();
    place.Zone = FPlaceZone;
    return place;
}

TClock TfrmVantu::Clock() const
{
    return ClockOf(FTimeFormat);
}

// The minutes are added whatever the sign of the hours.
int TfrmVantu::FieldsOffset() const
{
    return seHod->Value() * 3600 + seMin->Value() * 60;
}

TClock TfrmVantu::ClockOf(TClock::TKind format) const
{
    switch (format) {
    case TClock::TKind::Utc:
        return TClock::Utc();
    case TClock::TKind::Cest:
        return TClock::Cest();
    case TClock::TKind::Local:
        return OwnClock(Place(), FieldsOffset());
    default:
        return TClock::Cet();
    }
}

// ---------------------------------------------------------------- calculation panel

double TfrmVantu::KalendarDate() const
{
    const QDate date = Kalendar->date();
    return DateUtil::EncodeDate(date.year(), date.month(), date.day());
}

void TfrmVantu::ApplyInputs()
{
    TLatitude &lat = FSunTime.Latitude();
    lat.SetDegrees(static_cast<uint16_t>(seSirkaST->Value()));
    lat.SetMinutes(static_cast<uint16_t>(seSirkaMin->Value()));
    lat.SetSeconds(static_cast<uint16_t>(seSirkaSek->Value()));
    lat.SetDir(PolohaS->currentIndex() == 1 ? dSouth : dNorth);

    TLongitude &lon = FSunTime.Longitude();
    lon.SetDegrees(static_cast<uint16_t>(seDlzkaST->Value()));
    lon.SetMinutes(static_cast<uint16_t>(seDlzkaMin->Value()));
    lon.SetSeconds(static_cast<uint16_t>(seDlzkaSek->Value()));
    lon.SetDir(PolohaD->currentIndex() == 1 ? dEast : dWest);

    if (const std::optional<TClock::TKind> format = CheckedTimeFormat())
        SetTimeFormatClock(*format);
}

// Writes the clock of a time format into the calculator and names it in the
// results caption. The calculator takes no offset beyond ±12 h and none that
// changes within the day: it gets the place's own offset as the fields show
// it (a city's zone's on the calendar's day), held to ±12 h, and the results
// are moved onto the clock itself as they are shown. An own offset beyond the
// clocks of the Earth leaves the previous clock in force.
void TfrmVantu::SetTimeFormatClock(TClock::TKind format)
{
    grpVysledky->setTitle(ResultsCaption(format));
    const TClock clock = ClockOf(format);
    const int offset = format == TClock::TKind::Local ? FieldsOffset() : clock.FixedOffset();
    if (offset < EarliestClockOffset || offset > LatestClockOffset)
        return;
    FSunTime.SetTimeZone(std::clamp(offset, -12 * 3600, 12 * 3600) / 3600.0);
    FResultClock = clock;
}

void TfrmVantu::ShowResults()
{
    const std::pair<int, QLabel *> rows[3] = {{1, Sunrise}, {3, Noon}, {2, Sunset}};
    for (const auto &[index, label] : rows) {
        const double value =
            ResultOnClock(FSunTime.EventTime(index), FSunTime.TimeZone(), FResultClock);
        label->setText(value != 0 ? FormatResult(value) : TextIn(MainText::NoEventText, FLanguage));
    }
    NameResults();
    FeedChartWindows();
}

void TfrmVantu::PlaceChanged()
{
    // The program filling in a picked city computes once, at the end.
    if (FFillingPlace)
        return;
    // An input edited by hand is no longer the picked city's.
    FPlaceZone.clear();
    if (!grpLokality->isEnabled())
        return;
    ApplyInputs();
    ShowResults();
}

void TfrmVantu::seSirkaSTChange()
{
    PlaceChanged();
}
void TfrmVantu::seSirkaMinChange()
{
    PlaceChanged();
}
void TfrmVantu::seSirkaSekChange()
{
    PlaceChanged();
}
void TfrmVantu::PolohaSChange()
{
    PlaceChanged();
}
void TfrmVantu::seDlzkaSTChange()
{
    PlaceChanged();
}
void TfrmVantu::seDlzkaMinChange()
{
    PlaceChanged();
}
void TfrmVantu::seDlzkaSekChange()
{
    PlaceChanged();
}
void TfrmVantu::PolohaDChange()
{
    PlaceChanged();
}
void TfrmVantu::seHodChange()
{
    PlaceChanged();
}
void TfrmVantu::seMinChange()
{
    PlaceChanged();
}

void TfrmVantu::KalendarChange()
{
    const QDate d = Kalendar->date();
    SetCalendarDate(d);
    Label6->setText(LabelDayLine());
    FSunTime.SetDate(KalendarDate());
    // A picked city's clocks may show another offset on the new day.
    if (!FPlaceZone.isEmpty()) {
        FillOffsetFields(Place());
        ApplyInputs();
    }
    ShowResults();
}

void TfrmVantu::SetCalendarDate(const QDate &date)
{
    const double ole = DateUtil::EncodeDate(date.year(), date.month(), date.day());
    FCalendarDate.Year = static_cast<int16_t>(date.year());
    FCalendarDate.Month = static_cast<uint16_t>(date.month());
    FCalendarDate.Day = static_cast<uint16_t>(date.day());
    FCalendarDate.Weekday = static_cast<int16_t>(DateUtil::DayOfWeek(ole));
    FCalendarDate.DayOfYear = static_cast<int16_t>(DateUtil::DayOfYear(ole));
    FCalendarDate.WeekdayName = GetWeekdayName(FCalendarDate.Weekday, FLanguage);
}

QString TfrmVantu::LabelDayLine() const
{
    return FCalendarDate.WeekdayName + QStringLiteral(", ") +
           QString::number(FCalendarDate.DayOfYear) + QStringLiteral(". ") +
           TextIn(MainText::DayWord, FLanguage);
}

void TfrmVantu::rbUTCClick()
{
    TimeFormatClicked(TClock::TKind::Utc);
}

void TfrmVantu::rbSECClick()
{
    TimeFormatClicked(TClock::TKind::Cet);
}

void TfrmVantu::rbSELCClick()
{
    TimeFormatClicked(TClock::TKind::Cest);
}

void TfrmVantu::rbMiestnyClick()
{
    TimeFormatClicked(TClock::TKind::Local);
}

void TfrmVantu::TimeFormatClicked(TClock::TKind format)
{
    SetTimeFormatClock(format);
    ShowResults();
    FTimeFormat = format;
    FeedChartWindows();
}

// Checking a button that is not checked runs its click handler; the one
// that is checked already runs nothing.
void TfrmVantu::SelectTimeFormat(TClock::TKind format)
{
    if (!TimeFormatButton(format)->isChecked())
        TimeFormatButton(format)->click();
}

// ---------------------------------------------------------------- Easter

void TfrmVantu::mnuVelkaNocClick()
{
    const QString text = EasterMessage(FCalendarDate.Year, FLanguage);
    ShowMessage(this, EasterCaption(FLanguage), QMessageBox::Information, text);
}
