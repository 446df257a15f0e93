#include "app/ChartWindow.h"

#include "common/Messages.h"
#include "common/StandardDialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>

namespace
{

namespace ChartText
{

constexpr TText ExportPng{"Graf ako obrázok &PNG…", "Chart as &PNG picture…",
                          "Grafikon &PNG képként…"};
// Not &P: the PNG item above has it in Slovak.
constexpr TText ExportPdf{"Graf ako P&DF…", "Chart as P&DF…", "Grafikon P&DF-ként…"};
constexpr TText FilterPng{"obrázok PNG (*.png)", "PNG picture (*.png)", "PNG kép (*.png)"};
constexpr TText FilterPdf{"dokument PDF (*.pdf)", "PDF document (*.pdf)", "PDF dokumentum (*.pdf)"};

} // namespace ChartText

} // namespace

TChartWindow::TChartWindow(QWidget *owner, TLanguage language, const TChartKind &kind)
    : QWidget(owner, Qt::Window), FLanguage(language), FKind(kind)
{
    setObjectName(QString::fromLatin1(kind.ObjectName));
    setAttribute(Qt::WA_DeleteOnClose);
}

// Styles size a button by its text alone and then draw the menu's arrow
// over the text's end; a long word ("Exportálás") gets cramped.
void RoomForMenuArrow(QPushButton *button)
{
    const int arrow = button->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, button);
    const int text = button->fontMetrics().horizontalAdvance(button->text().remove(u'&'));
    button->setMinimumWidth(text + arrow +
                            4 * button->style()->pixelMetric(QStyle::PM_ButtonMargin));
}

void TChartWindow::CreateExportButton()
{
    btnExport = new QPushButton(this);
    btnExport->setObjectName(QStringLiteral("btnExport"));
    auto *menu = new QMenu(btnExport);
    actPng = menu->addAction(QString(), this, [this] { ExportPng(); });
    actPdf = menu->addAction(QString(), this, [this] { ExportPdf(); });
    actPng->setObjectName(QStringLiteral("actPng"));
    actPdf->setObjectName(QStringLiteral("actPdf"));
    btnExport->setMenu(menu);
}

void TChartWindow::ApplyLanguage(TLanguage language)
{
    FLanguage = language;
    btnExport->setText(TextIn(ChartFileText::Export, FLanguage));
    RoomForMenuArrow(btnExport);
    actPng->setText(TextIn(ChartText::ExportPng, FLanguage));
    actPdf->setText(TextIn(ChartText::ExportPdf, FLanguage));
}

void TChartWindow::UpdateWindowTitle()
{
    QString title = TextIn(FKind.Title, FLanguage);
    if (!FRequest.Place.Name.trimmed().isEmpty())
        title += QStringLiteral(" – ") + FRequest.Place.Name.trimmed();
    setWindowTitle(title);
}

QImage TChartWindow::ChartImage() const
{
    return ChartPicture(FKind.ExportSize, Painter());
}

TChartPainter TChartWindow::Painter() const
{
    return [this](QPainter &p, const QSizeF &size) { PaintChart(p, size); };
}

QString FileNameBase(const QString &placeName)
{
    QString base = placeName.trimmed();
    base.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|,\\s]+")), QStringLiteral("_"));
    return base.isEmpty() ? QStringLiteral("Vantu") : base;
}

// The place's name, then the date: "Bécs, Ausztria" in 2026 gives
// Bécs_Ausztria_2026.
QString TChartWindow::ProposedName(const QString &suffix) const
{
    const QString base = FileNameBase(FRequest.Place.Name);
    const QString date = FKind.FileDate == TChartKind::TDatePart::Year
                             ? QString::number(FRequest.Day.year())
                             : FRequest.Day.toString(Qt::ISODate);
    return QStringLiteral("%1_%2.%3").arg(base, date, suffix);
}

QString TChartWindow::AskExportFile(const QString &suffix, const TText &filter)
{
    return AskSaveFileName(this, ProposedName(suffix), suffix, TextIn(filter, FLanguage));
}

bool TChartWindow::ExportPng()
{
    const QString path = AskExportFile(QStringLiteral("png"), ChartText::FilterPng);
    if (path.isEmpty())
        return false;
    return WriteFileOrTell(this, path, ChartPng(FKind.ExportSize, Painter()), FLanguage);
}

bool TChartWindow::ExportPdf()
{
    const QString path = AskExportFile(QStringLiteral("pdf"), ChartText::FilterPdf);
    if (path.isEmpty())
        return false;
    // The chart keeps the proportions of the PNG, scaled to the page.
    return WriteFileOrTell(
        this, path,
        ChartPdf(FKind.ExportSize, Painter(), FKind.PdfOrientation, windowTitle().trimmed()),
        FLanguage);
}

void TChartWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}
