// tallywick-screenshot OUTPUT.png [--downloading]
// Fills the main window with a believable player summary, a finished
// download and a sorted query result, then saves the window as drawn.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "app/ProgramState.h"
#include "ui/FlexGrid.h"
#include "ui/Twips.h"
#include "ui/VbColor.h"
#include "ui/frmMain.h"

namespace {

using tw::FlexGrid;
using tw::frmMain;

void FillSummary(frmMain& window) {
    window.cmbTagList->addItems({"Kestrel Nine", "O'Neil", "Master Chief"});
    window.cmbTagList->setCurrentIndex(0);
    window.lblClanName->setText("Brackenfold Irregulars");
    window.lblTotalGames->setText("1284");
    window.lblLastDownload->setText("Jan 5, 2005 3:07 PM");
    const QPixmap avatar(QStringLiteral(TALLYWICK_SOURCE_DIR "/assets/avatar/unknown.jpg"));
    window.imgAvatar->setPixmap(avatar);
}

void FinishDownload(frmMain& window, bool downloading) {
    tw::ProgramState state;
    state.sleep = [](int) {};
    state.CurrentStage = 1;
    window.ShowStage(state, tw::StageState::Reset);
    window.lblStageWorking[1]->show();
    window.imgStageWorking[1]->show();
    const int16_t last = downloading ? 4 : 5;
    for (int16_t row = 2; row <= last; ++row) {
        state.CurrentStage = row;
        window.ShowStage(state, tw::StageState::Advance);
    }
    if (downloading) {
        window.SetDownloadMode(true);
        window.shpProgressEmpty->show();
        window.shpProgressFull->show();
        window.lblProgressPercent->setText("35 %");
        window.lblProgressPercent->show();
        window.lblProgressText->setText("Game 12 of 34");
        window.lblElapsedTime->setText("00:01:12");
        window.lblDownloadedBytes->setText("1,482,113 bytes");
    } else {
        window.lblStageWorking[5]->hide();
        window.imgStageWorking[5]->hide();
        window.lblStageComplete[5]->show();
        window.imgStageComplete[5]->show();
        window.lblElapsedTime->setText("00:03:27");
    }
}

void FillGrid(frmMain& window) {
    const QStringList header{"Player_Gamertag", "Games", "Kills", "Deaths", "K/D", "Best Medal"};
    const QStringList rows[] = {
        {"Kestrel Nine", "1284", "15210", "12877", "1.18", "Killtacular"},
        {"Master Chief", "1112", "14987", "11102", "1.35", "Overkill"},
        {"Arbiter 117", "904", "10214", "10530", "0.97", "Double Kill"},
        {"O'Neil", "877", "9470", "9911", "0.96", "Triple Kill"},
        {"Sgt Johnson", "641", "6650", "7012", "0.95", "Sniper Kill"},
        {"Cortana Fan", "512", "5120", "4480", "1.14", "Killing Spree"},
        {"Red Team Ace", "433", "4201", "4760", "0.88", "Double Kill"},
        {"Blue Sky", "390", "3540", "3490", "1.01", "Assassin"},
        {"Brute Force", "288", "2711", "3120", "0.87", "Double Kill"},
        {"Guilty Spark", "201", "1870", "1655", "1.13", "Bone Cracker"},
    };
    FlexGrid& grid = *window.flxData;
    grid.SetRedraw(false);
    grid.SetCols(static_cast<int>(header.size()));
    grid.SetRows(1 + static_cast<int>(std::size(rows)));
    const QFontMetrics metrics(grid.font());
    const tw::TwipsScale scale = tw::TwipsScale::ForWidget(grid);
    for (int c = 0; c < header.size(); ++c) {
        int widest = metrics.horizontalAdvance(header[c]);
        grid.SetTextMatrix(0, c, header[c]);
        for (int r = 0; r < static_cast<int>(std::size(rows)); ++r) {
            grid.SetTextMatrix(r + 1, c, rows[r][c]);
            widest = std::max(widest, metrics.horizontalAdvance(rows[r][c]));
        }
        grid.SetColWidth(c, scale.XToTwips(widest) + 200);
        grid.SetRow(0);
        grid.SetCol(c);
        grid.SetCellAlignment(FlexGrid::CenterCenter);
    }
    grid.SetFixedRows(1);
    // Sorted by Kills, descending: the header's arrow and the grey column.
    grid.SetRow(0);
    grid.SetCol(2);
    grid.SetCellPicture(window.imgDescending->pixmap());
    grid.SetCellPictureAlignment(FlexGrid::RightCenter);
    grid.SetCellAlignment(FlexGrid::LeftCenter);
    grid.SetColWidth(2, grid.ColWidth(2) + scale.XToTwips(15));
    for (int r = 1; r < grid.Rows(); ++r) {
        grid.SetRow(r);
        grid.SetCellBackColor(tw::VbRgb(240, 240, 240));
    }
    for (int c = 0; c < grid.Cols(); ++c) {
        grid.SetRow(1);
        grid.SetCol(c);
        grid.SetCellBackColor(tw::VbRgb(0, 255, 128));
    }
    grid.SetRedraw(true);
    window.cmbQuery->addItem("Career Leaders");
    window.cmbQuery->setCurrentIndex(1);
    window.lblRecordCount->setText("10 records   0.04 secs");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tallywick-screenshot OUTPUT.png [--downloading]\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    const bool downloading = argc > 2 && QByteArray(argv[2]) == "--downloading";

    frmMain window;
    FillSummary(window);
    FinishDownload(window, downloading);
    FillGrid(window);
    window.MoveToTwips(0, 0);
    window.show();

    int result = 1;
    QTimer::singleShot(500, [&] {
        const QPixmap picture = window.grab();
        result = picture.save(output, "PNG") ? 0 : 1;
        if (result != 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        }
        app.quit();
    });
    app.exec();
    return result;
}
