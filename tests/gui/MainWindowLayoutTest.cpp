// The window's arrangement as a user sees it: what takes the room a larger
// window gains, the smallest size, the places that controls share, and the
// placement in twips.

#include <gtest/gtest.h>

#include <QLayout>
#include <QMenuBar>
#include <QPushButton>

#include "UiTestSupport.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

class MainWindowLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::app();
        window_ = std::make_unique<MainWindow>();
        window_->show();
        test::settle();
    }

    QWidget* clientArea() const { return window_->centralWidget(); }

    QWidget* named(const QString& name) const {
        auto* widget = window_->findChild<QWidget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    // The control's place in the window's client area.
    QRect place(const QString& name) const {
        QWidget* widget = named(name);
        return widget ? QRect(widget->mapTo(clientArea(), QPoint(0, 0)), widget->size()) : QRect();
    }

    void resizeTo(int width, int height) {
        window_->setOuterSizeTwips(width, height);
        test::settle();
    }

    std::unique_ptr<MainWindow> window_;
};

// The smallest size is the designed one unless the desktop's font needs
// more; the window manager is told it, so the window cannot be dragged below.
TEST_F(MainWindowLayoutTest, OpensAtTheSmallestSizeWhichTheWindowManagerIsTold) {
    EXPECT_GE(window_->outerWidthTwips(), 11415);
    EXPECT_GE(window_->outerHeightTwips(), 7335);
    EXPECT_EQ(clientArea()->size(), clientArea()->minimumSize());
    EXPECT_EQ(window_->minimumSize(), window_->size());
    EXPECT_GE(window_->minimumHeight(),
              clientArea()->minimumHeight() + window_->menuBar()->height());
}

TEST_F(MainWindowLayoutTest, PictureButtonsCanBeHitAndTextIsNotClipped) {
    for (const char* name : {"cmdAddGamertag", "cmdRemoveGamertag", "cmdProfileGamertag"}) {
        const QRect button = place(QLatin1String(name));
        EXPECT_GE(button.width(), 24) << name;
        EXPECT_GE(button.height(), 24) << name;
    }
    // Captions and buttons get at least the room their text needs in the
    // desktop's font.
    for (const char* name : {"Label1", "Label3", "Label4", "Label11", "cmdDownload", "cmdRunQuery",
                             "cmdQryExport", "frameFilterPlayer"}) {
        QWidget* widget = named(QLatin1String(name));
        EXPECT_GE(widget->width(), widget->sizeHint().width()) << name;
        EXPECT_GE(widget->height(), widget->minimumSizeHint().height()) << name;
    }
}

TEST_F(MainWindowLayoutTest, SharedPlaces) {
    named("chtData")->show();
    named("shpProgressEmpty")->show();
    named("shpProgressFull")->show();
    named("lblProgressPercent")->show();
    test::settle();
    // The chart lies on the grid, above it.
    const QRect grid = place("flxData");
    const QRect chart = place("chtData");
    EXPECT_TRUE(grid.contains(chart));
    EXPECT_GT(chart.width(), grid.width() * 9 / 10);
    const QObjectList& client = clientArea()->children();
    EXPECT_GT(client.indexOf(named("chtData")), client.indexOf(named("flxData")));
    // Stop takes Download's place.
    EXPECT_EQ(place("cmdStopDownload"), place("cmdDownload"));
    // The full bar grows over the empty one from its left edge; the
    // percentage is drawn over both.
    const QRect empty = place("shpProgressEmpty");
    const QRect full = place("shpProgressFull");
    EXPECT_EQ(full.topLeft(), empty.topLeft());
    EXPECT_EQ(full.height(), empty.height());
    EXPECT_TRUE(empty.contains(place("lblProgressPercent")));
    const QObjectList& frame = named("frameMain")->children();
    EXPECT_GT(frame.indexOf(named("shpProgressFull")), frame.indexOf(named("shpProgressEmpty")));
    EXPECT_GT(frame.indexOf(named("lblProgressPercent")), frame.indexOf(named("shpProgressFull")));
    // The four stage kinds of a row share its place; information lies above working.
    for (int row = 1; row <= 5; ++row) {
        for (const char* kind : {"lbl", "img"}) {
            const QString base = QLatin1String(kind) + QStringLiteral("Stage");
            const QRect working = place(base + QStringLiteral("Working_%1").arg(row));
            for (const char* other : {"Complete", "Failed", "Info"}) {
                EXPECT_EQ(place(base + QStringLiteral("%1_%2").arg(other).arg(row)), working)
                    << kind << other << row;
            }
            EXPECT_GT(frame.indexOf(named(base + QStringLiteral("Info_%1").arg(row))),
                      frame.indexOf(named(base + QStringLiteral("Working_%1").arg(row))));
        }
    }
}

TEST_F(MainWindowLayoutTest, TheFullBarKeepsTheWidthTheDownloadGaveIt) {
    named("shpProgressEmpty")->show();
    named("shpProgressFull")->show();
    QWidget* full = named("shpProgressFull");
    full->resize(20, full->height());
    const QRect before = place("shpProgressEmpty");
    resizeTo(13005, 9000);
    ASSERT_NE(place("shpProgressEmpty").topLeft(), before.topLeft());
    EXPECT_EQ(full->width(), 20);
    EXPECT_EQ(place("shpProgressFull").topLeft(), place("shpProgressEmpty").topLeft());
    EXPECT_EQ(full->height(), named("shpProgressEmpty")->height());
}

TEST_F(MainWindowLayoutTest, ShowingAndHidingStagesAndButtonsMovesNothing) {
    const QStringList watched = {"lblStageInfo_1",   "lblStageWorking_3", "cmdDownload",
                                 "shpProgressEmpty", "lblProgressText",   "lblElapsedTime"};
    QList<QRect> before;
    for (const QString& name : watched) {
        before << place(name);
    }
    for (QWidget* label : named("frameMain")->findChildren<QWidget*>()) {
        if (label->objectName().contains(QLatin1String("Stage"))) {
            label->hide();
        }
    }
    named("cmdDownload")->hide();
    named("cmdStopDownload")->show();
    named("shpProgressEmpty")->show();
    named("lblStageWorking_3")->show();
    test::settle();
    for (int i = 0; i < watched.size(); ++i) {
        EXPECT_EQ(place(watched[i]), before[i]) << watched[i].toStdString();
    }
}

TEST_F(MainWindowLayoutTest, TheGridTakesWhatTheWindowGains) {
    QMap<QString, QRect> small;
    const QStringList names = {"flxData",         "frameMain",          "cmdDownload",
                               "lblProgressText", "lblStageInfo_1",     "cmbQuery",
                               "lblRecordCount",  "picBrackenfoldLogo", "frameFilterGame",
                               "cmdRunQuery",     "cmdQryExport"};
    for (const QString& name : names) {
        small[name] = place(name);
    }
    const QSize smallClient = clientArea()->size();
    const int openWidth = window_->outerWidthTwips();
    const int openHeight = window_->outerHeightTwips();
    resizeTo(openWidth + 1590, openHeight + 1665);
    EXPECT_EQ(window_->outerWidthTwips(), openWidth + 1590);
    EXPECT_EQ(window_->outerHeightTwips(), openHeight + 1665);
    const int dx = clientArea()->width() - smallClient.width();
    const int dy = clientArea()->height() - smallClient.height();
    ASSERT_GT(dx, 50);
    ASSERT_GT(dy, 50);
    EXPECT_EQ(place("flxData"), small["flxData"].adjusted(0, 0, dx, dy));
    EXPECT_EQ(place("frameMain"), small["frameMain"].adjusted(0, 0, 0, dy));
    // The download block follows the Control Center's bottom edge; the
    // stage rows stay at its top.
    EXPECT_EQ(place("cmdDownload"), small["cmdDownload"].translated(0, dy));
    EXPECT_EQ(place("lblProgressText"), small["lblProgressText"].translated(0, dy));
    EXPECT_EQ(place("lblStageInfo_1"), small["lblStageInfo_1"]);
    // The record count follows the bottom edge, the logo the bottom right
    // corner; the query list grows, Run and Export follow the right edge;
    // the filters stay.
    EXPECT_EQ(place("lblRecordCount"), small["lblRecordCount"].translated(0, dy));
    EXPECT_EQ(place("picBrackenfoldLogo"), small["picBrackenfoldLogo"].translated(dx, dy));
    EXPECT_EQ(place("cmbQuery"), small["cmbQuery"].adjusted(0, 0, dx, 0));
    EXPECT_EQ(place("cmdRunQuery"), small["cmdRunQuery"].translated(dx, 0));
    EXPECT_EQ(place("cmdQryExport"), small["cmdQryExport"].translated(dx, 0));
    EXPECT_EQ(place("frameFilterGame"), small["frameFilterGame"]);

    // And gives it back when the window shrinks again.
    resizeTo(openWidth, openHeight);
    for (const QString& name : names) {
        EXPECT_EQ(place(name), small[name]) << name.toStdString();
    }
}

TEST_F(MainWindowLayoutTest, TheWindowNeverGetsSmallerThanTheSmallestSize) {
    const QSize smallest = clientArea()->size();
    const int openWidth = window_->outerWidthTwips();
    const int openHeight = window_->outerHeightTwips();
    resizeTo(openWidth + 1590, openHeight + 1665);
    window_->resize(200, 150);
    test::settle();
    EXPECT_EQ(clientArea()->size(), smallest);
    EXPECT_EQ(window_->outerWidthTwips(), openWidth);
    EXPECT_EQ(window_->outerHeightTwips(), openHeight);
    // Everything fits in it: no control is squeezed below what it needs.
    EXPECT_TRUE(clientArea()->layout()->minimumSize().width() <= smallest.width() &&
                clientArea()->layout()->minimumSize().height() <= smallest.height());
    EXPECT_LT(place("lblStageInfo_5").bottom(), place("lblElapsedTime").top());
    EXPECT_GT(place("flxData").height(), 200);
}

// A saved placement comes back in twips; a size below the designed smallest
// (11415 x 7335) either way, or none saved, opens at the smallest size, which
// the desktop's font may make larger.
TEST_F(MainWindowLayoutTest, SavedPlacementsInTwips) {
    const int w = window_->outerWidthTwips();
    const int h = window_->outerHeightTwips();
    struct Case {
        int left, top, width, height;
        int shownWidth, shownHeight;
    };
    const Case cases[] = {
        {1500, 900, w + 585, h + 675, w + 585, h + 675},
        {0, 0, 0, 0, w, h},
        {0, 0, 10005, 6000, w, h},
        {0, 0, 10005, h + 1665, w, h},
        {0, 0, w + 1590, 6000, w, h},
    };
    for (const Case c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.left << "," << c.top << " " << c.width << " x " << c.height);
        resizeTo(w + 1590, h + 1665);
        window_->moveToTwips(c.left, c.top);
        resizeTo(c.width, c.height);
        EXPECT_EQ(window_->leftTwips(), c.left);
        EXPECT_EQ(window_->topTwips(), c.top);
        EXPECT_EQ(window_->outerWidthTwips(), c.shownWidth);
        EXPECT_EQ(window_->outerHeightTwips(), c.shownHeight);
    }
}

TEST(MainWindowUnshownTest, ControlsHaveTheirPlacesBeforeTheWindowIsShown) {
    test::app();
    MainWindow window;
    EXPECT_GT(window.findChild<QWidget*>("shpProgressEmpty")->width(), 100);
    EXPECT_GT(window.findChild<QWidget*>("flxData")->height(), 200);
    EXPECT_GT(window.findChild<QWidget*>("cmdDownload")->y(),
              window.findChild<QWidget*>("lblStageInfo_5")->y());
}

}  // namespace
}  // namespace tw
