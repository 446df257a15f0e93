// The Horizon dialog: the horizon of the main window's place as a table of
// points (azimuth, altitude of the terrain), its drawing as a silhouette over
// the azimuths, import from a profile file, clearing, and the observer's
// height above the surroundings. Modal; the caller stores what it returns.
#pragma once

#include "common/Language.h"
#include "common/Place.h"
#include "suntime/Horizon.h"

#include <QDialog>
#include <QWidget>

#include <optional>

class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;

// The profile drawn over azimuth 0 ... 360 (north at both ends), the terrain
// filled below its line; its accessible description lists the points.
class THorizonProfileView : public QWidget
{
    Q_OBJECT

public:
    explicit THorizonProfileView(QWidget *parent);
    void SetHorizon(const THorizon &horizon, TLanguage language);
    const THorizon &Horizon() const { return FHorizon; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    THorizon FHorizon;
    TLanguage FLanguage = TLanguage::Slovak;
};

class TfrmHorizont : public QDialog
{
    Q_OBJECT

public:
    TfrmHorizont(QWidget *owner, TLanguage language, const TPlace &place,
                 const std::optional<THorizon> &horizon);

    // The horizon of the table and the height (valid once accepted).
    THorizon Horizon() const;
    // Reads a profile file into the table; false, after a message naming the
    // file and line, when it cannot be used.
    bool Import(const QString &path);

    void accept() override;

private:
    void SetPoints(const std::vector<THorizonPoint> &points);
    std::vector<THorizonPoint> Points() const;
    void AddPoint();
    void RemovePoint();
    void AskImport();
    void Clear();
    void ProfileChanged();

    TLanguage FLanguage;
    QLabel *lblMiesto = nullptr;
    QTableWidget *tblBody = nullptr;
    QPushButton *btnPridat = nullptr;
    QPushButton *btnOdobrat = nullptr;
    QPushButton *btnImport = nullptr;
    QPushButton *btnVymazat = nullptr;
    QDoubleSpinBox *seVyska = nullptr;
    THorizonProfileView *pbProfil = nullptr;
    QDialogButtonBox *FButtons = nullptr;
    bool FFilling = false;
};
