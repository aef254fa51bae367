// The main window's controls outside the progress display: captions, tool
// tips, fonts and colours. Places are set from the layout table afterwards.

#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/DesignedFont.h"
#include "ui/FlexGrid.h"
#include "ui/LinkLabel.h"
#include "ui/Pictures.h"
#include "ui/VbColor.h"
#include "ui/WidgetFactory.h"
#include "ui/frmMain.h"

namespace tw {

namespace {

QGroupBox* NewFrame(QWidget* parent, const QString& name, const QString& caption) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    return frame;
}

template <int Count>
void FillOptions(ControlArray<QRadioButton, Count>& options, QWidget* frame, const QString& name,
                 const QStringList& captions) {
    for (int i = 1; i <= Count; ++i) {
        auto* option = new QRadioButton(captions.at(i - 1), frame);
        option->setObjectName(ControlArray<QRadioButton, Count>::ElementName(name, i));
        options.Set(i, option);
    }
    options[1]->setChecked(true);
}

QComboBox* NewDropDown(QWidget* parent, const QString& name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    return combo;
}

QFrame* NewShape(QWidget* parent, const QString& name, uint32_t fill) {
    auto* shape = new QFrame(parent);
    shape->setObjectName(name);
    shape->setStyleSheet(
        QStringLiteral("QFrame#%1 { background-color: %2; border: 1px solid black; }")
            .arg(name, ColorFromVb(fill).name()));
    return shape;
}

}  // namespace

void frmMain::CreateFilterControls(QWidget* client) {
    frameFilterPlayer =
        NewFrame(client, QStringLiteral("frameFilterPlayer"), QStringLiteral("Player Filters"));
    FillOptions(optFilterPlayer, frameFilterPlayer, QStringLiteral("optFilterPlayer"),
                {QStringLiteral("All"), QStringLiteral("All in Tag List"), QStringLiteral("Me")});
    frameFilterGame =
        NewFrame(client, QStringLiteral("frameFilterGame"), QStringLiteral("Game Filters"));
    FillOptions(optFilterGame, frameFilterGame, QStringLiteral("optFilterGame"),
                {QStringLiteral("All"), QStringLiteral("Ranked"), QStringLiteral("Unranked")});
}

void frmMain::CreateQueryControls(QWidget* client) {
    cmbQuery = NewDropDown(client, QStringLiteral("cmbQuery"));
    cmbQuery->addItem(QStringLiteral("- Select a Query -"));
    cmbQuery->setCurrentIndex(0);
    cmdRunQuery = NewButton(client, QStringLiteral("cmdRunQuery"), QStringLiteral("Run"),
                            QStringLiteral("Run the query"));
    cmdQryExport = NewButton(client, QStringLiteral("cmdQryExport"), QStringLiteral("Export"),
                             QStringLiteral("Export query results to Excel"));
    // Created in this order so the chart lies above the grid.
    flxData = new FlexGrid(client);
    flxData->setObjectName(QStringLiteral("flxData"));
    flxData->setFont(DesignedFont(false));
    chtData = new QChartView(client);
    chtData->setObjectName(QStringLiteral("chtData"));
    chtData->setRenderHint(QPainter::Antialiasing);
    chtData->hide();
    lblRecordCount = NewLabel(client, QStringLiteral("lblRecordCount"), QString(), false);
    imgAscending = NewPicture(client, QStringLiteral("imgAscending"),
                              Picture(QStringLiteral("sort_ascending")), false);
    imgAscending->hide();
    imgDescending = NewPicture(client, QStringLiteral("imgDescending"),
                               Picture(QStringLiteral("sort_descending")), false);
    imgDescending->hide();
}

void frmMain::CreateMakerControls(QWidget* client) {
    picBrackenfoldLogo = NewPicture(client, QStringLiteral("picBrackenfoldLogo"),
                                    Picture(QStringLiteral("logo")), false);
    lblBrackenfoldLink = new LinkLabel(client);
    lblBrackenfoldLink->setObjectName(QStringLiteral("lblBrackenfoldLink"));
    lblBrackenfoldLink->setText(MakerLinkCaption());
    lblBrackenfoldLink->setToolTip(MakerLinkToolTip());
    lblBrackenfoldLink->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lblBrackenfoldLink->setTextFormat(Qt::PlainText);
    lblBrackenfoldLink->setCursor(Qt::PointingHandCursor);
    QPalette palette = lblBrackenfoldLink->palette();
    palette.setColor(QPalette::WindowText, ColorFromVb(0xC00000));
    lblBrackenfoldLink->setPalette(palette);
}

void frmMain::CreatePlayerControls() {
    Label1 = NewLabel(frameMain, QStringLiteral("Label1"), QStringLiteral("Tag List:"), true,
                      Qt::AlignRight | Qt::AlignVCenter);
    cmbTagList = NewDropDown(frameMain, QStringLiteral("cmbTagList"));
    cmdAddGamertag =
        NewPictureButton(frameMain, QStringLiteral("cmdAddGamertag"),
                         Picture(QStringLiteral("button_add")), QStringLiteral("Add gamertag"));
    cmdRemoveGamertag = NewPictureButton(frameMain, QStringLiteral("cmdRemoveGamertag"),
                                         Picture(QStringLiteral("button_remove")),
                                         QStringLiteral("Remove gamertag"));
    cmdProfileGamertag = NewPictureButton(frameMain, QStringLiteral("cmdProfileGamertag"),
                                          Picture(QStringLiteral("button_profile")),
                                          QStringLiteral("Profile gamertag"));
    imgAvatar = NewPicture(frameMain, QStringLiteral("imgAvatar"), QPixmap(), false);
    imgAvatar->setScaledContents(true);
    Label3 = NewLabel(frameMain, QStringLiteral("Label3"), QStringLiteral("Clan:"), true);
    lblClanName = NewLabel(frameMain, QStringLiteral("lblClanName"), QString(), false);
    Label4 =
        NewLabel(frameMain, QStringLiteral("Label4"), QStringLiteral("Downloaded Games:"), true);
    lblTotalGames = NewLabel(frameMain, QStringLiteral("lblTotalGames"), QString(), false);
    Label11 = NewLabel(frameMain, QStringLiteral("Label11"), QStringLiteral("Last Update:"), true);
    lblLastDownload = NewLabel(frameMain, QStringLiteral("lblLastDownload"), QString(), false);
    Line1 = new QFrame(frameMain);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setStyleSheet(QStringLiteral("QFrame#Line1 { background-color: %1; border: none; }")
                             .arg(ColorFromVb(0x808080).name()));
}

void frmMain::CreateDownloadControls() {
    lblElapsedTime = NewLabel(frameMain, QStringLiteral("lblElapsedTime"), QString(), false);
    lblDownloadedBytes = NewLabel(frameMain, QStringLiteral("lblDownloadedBytes"), QString(), false,
                                  Qt::AlignRight | Qt::AlignVCenter);
    cmdDownload = NewButton(frameMain, QStringLiteral("cmdDownload"), QStringLiteral("Download"),
                            QStringLiteral("Download your stats"));
    cmdStopDownload = NewButton(frameMain, QStringLiteral("cmdStopDownload"),
                                QStringLiteral("Stop"), QStringLiteral("Stop the download"));
    cmdStopDownload->hide();
    // Created in this order: the full bar over the empty one, the percentage
    // over both.
    shpProgressEmpty = NewShape(frameMain, QStringLiteral("shpProgressEmpty"), 0xC0FFFF);
    shpProgressEmpty->hide();
    shpProgressFull = NewShape(frameMain, QStringLiteral("shpProgressFull"), 0xFF8080);
    shpProgressFull->hide();
    lblProgressPercent = NewLabel(frameMain, QStringLiteral("lblProgressPercent"),
                                  QStringLiteral("0 %"), true, Qt::AlignCenter);
    lblProgressPercent->hide();
    lblProgressText = NewLabel(frameMain, QStringLiteral("lblProgressText"), QString(), false);
}

}  // namespace tw
