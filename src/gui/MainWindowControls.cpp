// The main window's controls outside the stage rows: captions, tool tips,
// fonts and colours. The layout gives them their places afterwards.

#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "gui/About.h"
#include "gui/BgrColor.h"
#include "gui/LinkLabel.h"
#include "gui/MainWindow.h"
#include "gui/Pictures.h"
#include "gui/ResultGrid.h"
#include "gui/WidgetFactory.h"

namespace tw {

namespace {

QGroupBox* newFrame(QWidget* parent, const QString& name, const QString& caption) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    return frame;
}

// The first option starts checked.
void fillOptions(std::array<QRadioButton*, 3>& options, QWidget* frame, const QString& name,
                 const QStringList& captions) {
    for (size_t i = 0; i < options.size(); ++i) {
        auto* option = new QRadioButton(captions.at(static_cast<int>(i)), frame);
        option->setObjectName(name + QLatin1Char('_') + QString::number(i + 1));
        options[i] = option;
    }
    options[0]->setChecked(true);
}

QComboBox* newDropDown(QWidget* parent, const QString& name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    return combo;
}

QFrame* newShape(QWidget* parent, const QString& name, uint32_t fill) {
    auto* shape = new QFrame(parent);
    shape->setObjectName(name);
    shape->setStyleSheet(
        QStringLiteral("QFrame#%1 { background-color: %2; border: 1px solid black; }")
            .arg(name, colorFromBgr(fill).name()));
    return shape;
}

}  // namespace

void MainWindow::createFilterControls(QWidget* client) {
    playerFilterGroup =
        newFrame(client, QStringLiteral("frameFilterPlayer"), QStringLiteral("Player Filters"));
    fillOptions(playerFilterOptions, playerFilterGroup, QStringLiteral("optFilterPlayer"),
                {QStringLiteral("All"), QStringLiteral("All in Tag List"), QStringLiteral("Me")});
    gameFilterGroup =
        newFrame(client, QStringLiteral("frameFilterGame"), QStringLiteral("Game Filters"));
    fillOptions(gameFilterOptions, gameFilterGroup, QStringLiteral("optFilterGame"),
                {QStringLiteral("All"), QStringLiteral("Ranked"), QStringLiteral("Unranked")});
}

void MainWindow::createQueryControls(QWidget* client) {
    queryList = newDropDown(client, QStringLiteral("cmbQuery"));
    queryList->addItem(QStringLiteral("- Select a Query -"));
    queryList->setCurrentIndex(0);
    runQueryButton = newButton(client, QStringLiteral("cmdRunQuery"), QStringLiteral("Run"),
                               QStringLiteral("Run the query"));
    exportButton = newButton(client, QStringLiteral("cmdQryExport"), QStringLiteral("Export"),
                             QStringLiteral("Export query results to Excel"));
    // Created in this order so the chart lies above the grid.
    resultGrid = new ResultGrid(client);
    resultGrid->setObjectName(QStringLiteral("flxData"));
    resultChart = new QChartView(client);
    resultChart->setObjectName(QStringLiteral("chtData"));
    resultChart->setRenderHint(QPainter::Antialiasing);
    resultChart->hide();
    recordCount = newLabel(client, QStringLiteral("lblRecordCount"), QString(), false);
    // The sort arrows stay hidden and take no place: the grid draws their
    // pictures in the sorted column's heading.
    ascendingIcon = newPicture(client, QStringLiteral("imgAscending"),
                               pictureNamed(QStringLiteral("sort_ascending")), false);
    ascendingIcon->hide();
    descendingIcon = newPicture(client, QStringLiteral("imgDescending"),
                                pictureNamed(QStringLiteral("sort_descending")), false);
    descendingIcon->hide();
}

void MainWindow::createMakerControls(QWidget* client) {
    makerLogo = newPicture(client, QStringLiteral("picBrackenfoldLogo"),
                           pictureNamed(QStringLiteral("logo")), false);
    makerLink = new LinkLabel(client);
    makerLink->setObjectName(QStringLiteral("lblBrackenfoldLink"));
    makerLink->setText(makerLinkCaption());
    makerLink->setToolTip(makerLinkToolTip());
    makerLink->setAlignment(Qt::AlignRight | Qt::AlignTop);
    makerLink->setTextFormat(Qt::PlainText);
    makerLink->setCursor(Qt::PointingHandCursor);  // coloured with the stage texts
}

void MainWindow::createPlayerControls() {
    gamertagCaption = newLabel(controlCenter, QStringLiteral("Label1"), QStringLiteral("Tag List:"),
                               true, Qt::AlignRight | Qt::AlignVCenter);
    tagListBox = newDropDown(controlCenter, QStringLiteral("cmbTagList"));
    addButton = newPictureButton(controlCenter, QStringLiteral("cmdAddGamertag"),
                                 pictureNamed(QStringLiteral("button_add")),
                                 QStringLiteral("Add gamertag"));
    removeButton = newPictureButton(controlCenter, QStringLiteral("cmdRemoveGamertag"),
                                    pictureNamed(QStringLiteral("button_remove")),
                                    QStringLiteral("Remove gamertag"));
    profileButton = newPictureButton(controlCenter, QStringLiteral("cmdProfileGamertag"),
                                     pictureNamed(QStringLiteral("button_profile")),
                                     QStringLiteral("Profile gamertag"));
    avatarPicture = newPicture(controlCenter, QStringLiteral("imgAvatar"), QPixmap(), false);
    avatarPicture->setScaledContents(true);
    clanCaption = newLabel(controlCenter, QStringLiteral("Label3"), QStringLiteral("Clan:"), true);
    clanName = newLabel(controlCenter, QStringLiteral("lblClanName"), QString(), false);
    totalGamesCaption = newLabel(controlCenter, QStringLiteral("Label4"),
                                 QStringLiteral("Downloaded Games:"), true);
    totalGames = newLabel(controlCenter, QStringLiteral("lblTotalGames"), QString(), false);
    lastDownloadCaption =
        newLabel(controlCenter, QStringLiteral("Label11"), QStringLiteral("Last Update:"), true);
    lastDownload = newLabel(controlCenter, QStringLiteral("lblLastDownload"), QString(), false);
    firstRunHint = newLabel(controlCenter, QStringLiteral("lblFirstRunHint"),
                            QStringLiteral("Add a player with + to begin."), false,
                            Qt::AlignLeft | Qt::AlignTop);
    firstRunHint->hide();
    separatorLine = new QFrame(controlCenter);
    separatorLine->setObjectName(QStringLiteral("Line1"));
    separatorLine->setStyleSheet(
        QStringLiteral("QFrame#Line1 { background-color: %1; border: none; }")
            .arg(colorFromBgr(0x808080).name()));
}

void MainWindow::createDownloadControls() {
    elapsedTime = newLabel(controlCenter, QStringLiteral("lblElapsedTime"), QString(), false);
    downloadedBytes = newLabel(controlCenter, QStringLiteral("lblDownloadedBytes"), QString(),
                               false, Qt::AlignRight | Qt::AlignVCenter);
    downloadButton = newButton(controlCenter, QStringLiteral("cmdDownload"),
                               QStringLiteral("Download"), QStringLiteral("Download your stats"));
    stopButton = newButton(controlCenter, QStringLiteral("cmdStopDownload"), QStringLiteral("Stop"),
                           QStringLiteral("Stop the download"));
    stopButton->hide();
    // Created in this order: the full bar over the empty one, the percentage
    // over both.
    progressEmpty = newShape(controlCenter, QStringLiteral("shpProgressEmpty"), 0xC0FFFF);
    progressEmpty->hide();
    progressFull = newShape(controlCenter, QStringLiteral("shpProgressFull"), 0xFF8080);
    progressFull->hide();
    progressPercent = newLabel(controlCenter, QStringLiteral("lblProgressPercent"),
                               QStringLiteral("0 %"), true, Qt::AlignCenter);
    progressPercent->hide();
    progressText = newLabel(controlCenter, QStringLiteral("lblProgressText"), QString(), false);
}

}  // namespace tw
