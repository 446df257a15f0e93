// The main window's two commands that write result lines into the results
// table window.
#include "mainwindow/Vantu.h"
#include "suntime/DateUtil.h"
#include "table/ResultLines.h"
#include "table/Tabulka.h"

#include <QLineEdit>
#include <memory>

namespace
{
const QString LineEnd = QStringLiteral("\r\n");
}

// The window that receives lines: the current one while it holds unsaved
// lines, else a new one placed right under the main window.
TfrmTabulka *TfrmVantu::TableWindow()
{
    if (!FTableInUse)
        frmTabulka = nullptr;
    if (!frmTabulka) {
        // Only the window that holds the unsaved lines may clear the marker:
        // saving or closing an older table must not let unsaved lines go.
        auto self = std::make_shared<QPointer<TfrmTabulka>>();
        auto *table = new TfrmTabulka(this, FLanguageIndex, [this, self] {
            if (*self && frmTabulka == *self)
                FTableInUse = false;
        });
        *self = table;
        frmTabulka = table;
        table->move(x(), y() + 438);
    }
    frmTabulka->SetModified(true);
    frmTabulka->show();
    FTableInUse = true;
    frmTabulka->setWindowTitle(QString::fromUtf8(FTexts->TableTitle));
    return frmTabulka;
}

QString TfrmVantu::ResultTag() const
{
    switch (FTimeFormat) {
    case 0:
        return QString::fromUtf8(FTexts->ResultTagUtc);
    case 1:
        return QString::fromUtf8(FTexts->ResultTagCet);
    case 2:
        return QString::fromUtf8(FTexts->ResultTagCest);
    case 3:
        return QString::fromUtf8(FTexts->ResultTagLocal);
    default:
        return QString();
    }
}

void TfrmVantu::mnuTabulkaClick()
{
    TfrmTabulka *table = TableWindow();
    const double day = KalendarDate();
    table->AppendText(ResultLineFor(FSunTime, day, Edit1->text(), ResultTag(),
                                    QString::fromUtf8(FTexts->NoEventText), QLocale::system()));
}

void TfrmVantu::mnuTabulkaMesClick()
{
    TfrmTabulka *table = TableWindow();
    const QString tag = ResultTag();
    const QString noEvent = QString::fromUtf8(FTexts->NoEventText);
    const QLocale locale = QLocale::system();
    const int year = FCalendarDate.Year;
    const int month = FCalendarDate.Month;
    const int days = DateUtil::DaysInMonth(year, month);
    for (int day = 1; day <= days; ++day) {
        const double date = DateUtil::EncodeDate(year, month, day);
        table->AppendText(ResultLineFor(FSunTime, date, Edit1->text(), tag, noEvent, locale));
    }
    table->AppendText(LineEnd);
    // The panel goes on computing for the calendar's day.
    FSunTime.SetDate(KalendarDate());
}
