// The main window's layout. The Control Center (the tag list, the player's
// summary and below it the progress display) runs down the left; the filters,
// the query row, the grid (the chart on the same place) and the record count
// with the maker's logo fill the right. The grid and the query list take
// whatever width the window gains, the grid and the Control Center whatever
// height, its download block following the bottom edge. The designed sizes
// (twips, at the screen's logical DPI) are the least a control gets: with the
// desktop's font a control takes the room its text needs.

#include <QBoxLayout>
#include <QChartView>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "gui/LinkLabel.h"
#include "gui/MainWindow.h"
#include "gui/ResultGrid.h"
#include "gui/Twips.h"

namespace tw {

namespace {

constexpr int kLineHeight = 255;  // one-line label
// The least a picture button measures either way, so it can be hit.
constexpr int kLeastButtonPixels = 24;

// Designed sizes in twips, as pixels on the window's screen.
class Designed {
  public:
    explicit Designed(const QWidget& widget) : scale_(TwipsScale::forWidget(widget)) {}
    int x(int twips) const { return scale_.xToPixels(twips); }
    int y(int twips) const { return scale_.yToPixels(twips); }
    QSize size(int width, int height) const { return {x(width), y(height)}; }

  private:
    TwipsScale scale_;
};

// The full progress bar shares the empty bar's place and height; its width
// is the download's progress, so the layout leaves it alone.
class ProgressBarItem : public QWidgetItem {
  public:
    using QWidgetItem::QWidgetItem;
    void setGeometry(const QRect& rect) override {
        widget()->setGeometry(QRect(rect.topLeft(), QSize(widget()->width(), rect.height())));
    }
};

QHBoxLayout* newRow() {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    return row;
}

QVBoxLayout* newColumn() {
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    return column;
}

// A control whose place is taken by another now and then keeps it empty
// while hidden, so nothing else moves.
void keepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

// A caption: at least its designed width, more if its text needs it.
void sizeCaption(const Designed& d, QLabel* label, int width) {
    label->setMinimumSize(d.size(width, kLineHeight).expandedTo(label->sizeHint()));
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

// A value shown at run time: at least its designed width, the width of
// `widest` (its longest usual text) in the desktop's font, and one line of
// the font; a longer text takes free room but never widens the window.
void sizeValue(const Designed& d, QLabel* label, int width, const char* widest = "") {
    const QFontMetrics metrics(label->font());
    const QSize text(
        metrics.horizontalAdvance(QString::fromLatin1(widest)) + metrics.averageCharWidth(),
        metrics.height());
    label->setMinimumSize(d.size(width, kLineHeight).expandedTo(text));
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

// A control with text: at least its designed size, more if the font needs it.
void sizeControl(const Designed& d, QWidget* widget, int width, int height) {
    widget->setMinimumSize(d.size(width, height).expandedTo(widget->sizeHint()));
    widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QHBoxLayout* captionAndValue(const Designed& d, QLabel* caption, int captionWidth, QLabel* value,
                             int valueWidth, const char* widest = "") {
    sizeCaption(d, caption, captionWidth);
    sizeValue(d, value, valueWidth, widest);
    QHBoxLayout* row = newRow();
    row->addWidget(caption);
    row->addSpacing(d.x(45));
    row->addWidget(value);
    row->addStretch();
    return row;
}

void layOutOptions(const Designed& d, QGroupBox* frame, const QList<QRadioButton*>& options,
                   const QList<int>& widths) {
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(d.x(120), 0, d.x(60), 0);
    row->setSpacing(d.x(45));
    for (int i = 0; i < options.size(); ++i) {
        options[i]->setMinimumWidth(d.x(widths[i]));
        row->addWidget(options[i]);
    }
    row->addStretch();
}

}  // namespace

void MainWindow::layOutClient() {
    const Designed d(*this);
    layOutControlCenter();
    controlCenter->setFixedWidth(std::max(d.x(4575), controlCenter->sizeHint().width()));

    layOutOptions(d, playerFilterGroup,
                  {playerFilterOptions[0], playerFilterOptions[1], playerFilterOptions[2]},
                  {675, 1395, 615});
    sizeControl(d, playerFilterGroup, 3015, 615);
    layOutOptions(d, gameFilterGroup,
                  {gameFilterOptions[0], gameFilterOptions[1], gameFilterOptions[2]},
                  {675, 1035, 1215});
    sizeControl(d, gameFilterGroup, 3255, 615);
    QHBoxLayout* filters = newRow();
    filters->addWidget(playerFilterGroup);
    filters->addSpacing(d.x(105));
    filters->addWidget(gameFilterGroup);
    filters->addStretch();

    // The query list grows with the window, Run and Export at its right.
    queryList->setMinimumSize(d.size(4815, 315));
    queryList->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    sizeControl(d, runQueryButton, 615, 310);
    sizeControl(d, exportButton, 735, 310);
    QHBoxLayout* queryRow = newRow();
    queryRow->addWidget(queryList, 1);
    queryRow->addSpacing(d.x(105));
    queryRow->addWidget(runQueryButton);
    queryRow->addSpacing(d.x(105));
    queryRow->addWidget(exportButton);

    // The chart lies on the grid, a little inside it.
    resultGrid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    resultChart->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto* results = new QGridLayout;
    results->setContentsMargins(0, 0, 0, 0);
    results->addWidget(resultGrid, 0, 0);
    QVBoxLayout* chartPlace = newColumn();
    chartPlace->setContentsMargins(d.x(120), d.y(120), d.x(120), d.y(120));
    chartPlace->addWidget(resultChart);
    results->addLayout(chartPlace, 0, 0);

    sizeValue(d, recordCount, 2055, "99999 records   999.99 secs");
    makerLink->setMinimumSize(d.size(2175, 495));
    makerLink->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    makerLogo->setFixedSize(d.size(495, 495));
    QHBoxLayout* bottom = newRow();
    bottom->addWidget(recordCount, 0, Qt::AlignTop);
    bottom->addStretch();
    QVBoxLayout* link = newColumn();
    link->addSpacing(d.y(75));
    link->addWidget(makerLink);
    bottom->addLayout(link);
    bottom->addSpacing(d.x(135));
    bottom->addWidget(makerLogo, 0, Qt::AlignTop);

    QVBoxLayout* right = newColumn();
    right->addLayout(filters);
    right->addSpacing(d.y(105));
    right->addLayout(queryRow);
    right->addSpacing(d.y(165));
    right->addLayout(results, 1);
    right->addSpacing(d.y(105));
    right->addLayout(bottom);

    QVBoxLayout* left = newColumn();
    left->addWidget(controlCenter, 1);
    left->addSpacing(d.y(675));

    auto* root = new QHBoxLayout(client_);
    root->setContentsMargins(d.x(120), d.y(240), d.x(120), d.y(75));
    root->setSpacing(d.x(105));
    root->addLayout(left);
    root->addLayout(right, 1);
}

void MainWindow::layOutControlCenter() {
    const Designed d(*this);
    auto* box = new QVBoxLayout(controlCenter);
    box->setContentsMargins(d.x(120), d.y(200), d.x(120), d.y(120));
    box->setSpacing(0);

    sizeCaption(d, gamertagCaption, 855);
    tagListBox->setMinimumSize(d.size(2055, 315));
    tagListBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QHBoxLayout* tags = newRow();
    tags->addWidget(gamertagCaption);
    tags->addSpacing(d.x(105));
    tags->addWidget(tagListBox, 1);
    tags->addSpacing(d.x(105));
    const int side = std::max({kLeastButtonPixels, d.x(310), d.y(310)});
    for (QPushButton* button : {addButton, removeButton, profileButton}) {
        button->setFixedSize(side, side);
        tags->addWidget(button);
        if (button != profileButton) {
            tags->addSpacing(d.x(50));
        }
    }
    box->addLayout(tags);
    box->addSpacing(d.y(330));

    avatarPicture->setFixedSize(d.size(1035, 1035));
    QVBoxLayout* facts = newColumn();
    facts->addSpacing(d.y(120));
    facts->addLayout(captionAndValue(d, clanCaption, 435, clanName, 2535));
    facts->addSpacing(d.y(105));
    facts->addLayout(captionAndValue(d, totalGamesCaption, 1755, totalGames, 1215, "99999"));
    facts->addSpacing(d.y(105));
    facts->addLayout(
        captionAndValue(d, lastDownloadCaption, 1155, lastDownload, 1815, "Sep 30, 2026 12:59 PM"));
    facts->addStretch();
    QHBoxLayout* summary = newRow();
    summary->addSpacing(d.x(120));
    summary->addWidget(avatarPicture, 0, Qt::AlignTop);
    summary->addSpacing(d.x(165));
    summary->addLayout(facts, 1);
    // With no player yet the hint takes the summary's place.
    auto* summaryPlace = new QGridLayout;
    summaryPlace->setContentsMargins(0, 0, 0, 0);
    summaryPlace->addLayout(summary, 0, 0);
    firstRunHint->setWordWrap(true);
    firstRunHint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    summaryPlace->addWidget(firstRunHint, 0, 0);
    for (QWidget* part : QList<QWidget*>{avatarPicture, clanCaption, clanName, totalGamesCaption,
                                         totalGames, lastDownloadCaption, lastDownload}) {
        keepPlaceWhenHidden(part);
    }
    box->addLayout(summaryPlace);
    box->addSpacing(d.y(285));

    separatorLine->setFixedSize(d.x(4080), std::max(1, d.y(15)));
    QHBoxLayout* line = newRow();
    line->addSpacing(d.x(120));
    line->addWidget(separatorLine);
    line->addStretch();
    box->addLayout(line);
    box->addSpacing(d.y(225));

    // Each row holds the four kinds of stage on one place; the rows keep
    // their places whichever kinds are shown.
    auto* stages = new QGridLayout;
    stages->setContentsMargins(d.x(360), 0, 0, 0);
    stages->setHorizontalSpacing(d.x(120));
    stages->setVerticalSpacing(d.y(105));
    for (int row = 1; row <= kStageRows; ++row) {
        const StageRow& stage = stageRow(row);
        for (const StagePair& pair : {stage.working, stage.complete, stage.failed, stage.info}) {
            pair.icon->setFixedSize(d.size(240, kLineHeight));
            pair.label->setMinimumSize(
                d.size(2415, kLineHeight).expandedTo(pair.label->sizeHint()));
            pair.label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
            keepPlaceWhenHidden(pair.icon);
            keepPlaceWhenHidden(pair.label);
            stages->addWidget(pair.icon, row - 1, 0);
            stages->addWidget(pair.label, row - 1, 1);
        }
    }
    stages->setColumnStretch(2, 1);
    box->addLayout(stages);
    box->addStretch(1);

    sizeValue(d, elapsedTime, 720, "00:00:00");
    sizeValue(d, downloadedBytes, 1665, "99,999,999 bytes");
    QHBoxLayout* times = newRow();
    times->addSpacing(d.x(1680));
    times->addWidget(elapsedTime);
    times->addWidget(downloadedBytes);
    times->addStretch();
    box->addLayout(times);

    // Stop takes Download's place while a download runs.
    auto* buttons = new QGridLayout;
    // Both at the size the longer caption needs, so neither moves a thing.
    const QSize buttonSize =
        d.size(1095, 375).expandedTo(downloadButton->sizeHint()).expandedTo(stopButton->sizeHint());
    for (QPushButton* button : {downloadButton, stopButton}) {
        button->setFixedSize(buttonSize);
        keepPlaceWhenHidden(button);
        buttons->addWidget(button, 0, 0);
    }
    // The full bar over the empty one, the percentage over both.
    auto* bar = new QGridLayout;
    progressEmpty->setFixedSize(d.size(2415, 375));
    keepPlaceWhenHidden(progressEmpty);
    progressFull->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    progressFull->resize(d.size(855, 375));
    keepPlaceWhenHidden(progressFull);
    sizeValue(d, progressPercent, 2415);
    keepPlaceWhenHidden(progressPercent);
    bar->addWidget(progressEmpty, 0, 0);
    bar->addItem(new ProgressBarItem(progressFull), 0, 0);
    bar->addWidget(progressPercent, 0, 0, Qt::AlignBottom);
    QHBoxLayout* progress = newRow();
    progress->addSpacing(d.x(240));
    progress->addLayout(buttons);
    progress->addSpacing(d.x(345));
    progress->addLayout(bar);
    progress->addStretch();
    box->addLayout(progress);
    box->addSpacing(d.y(105));

    // The game count with the time left after it needs the box's width.
    progressText->setFixedHeight(d.y(kLineHeight));
    progressText->setMinimumWidth(d.x(2415));
    QHBoxLayout* text = newRow();
    text->addSpacing(d.x(240));
    text->addWidget(progressText, 1);
    box->addLayout(text);
}

}  // namespace tw
