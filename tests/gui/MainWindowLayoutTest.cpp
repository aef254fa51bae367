// The window's arrangement as a user sees it: what takes the room a larger
// window gains, the smallest size, the places that controls share, and the
// placement in twips.

#include <gtest/gtest.h>

#include <QLayout>
#include <QPushButton>

#include "UiTestSupport.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

class MainWindowLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::App();
        window = std::make_unique<MainWindow>();
        window->show();
        test::Settle();
    }

    QWidget* Client() const { return window->centralWidget(); }

    QWidget* Named(const QString& name) const {
        auto* widget = window->findChild<QWidget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    // The control's place in the window's client area.
    QRect Place(const QString& name) const {
        QWidget* widget = Named(name);
        return widget ? QRect(widget->mapTo(Client(), QPoint(0, 0)), widget->size()) : QRect();
    }

    void ResizeTo(int width, int height) {
        window->setOuterSizeTwips(width, height);
        test::Settle();
    }

    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowLayoutTest, OpensAtTheSmallestSize) {
    EXPECT_EQ(window->outerWidthTwips(), 11415);
    EXPECT_EQ(window->outerHeightTwips(), 7335);
    EXPECT_EQ(Client()->size(), Client()->minimumSize());
}

TEST_F(MainWindowLayoutTest, SharedPlaces) {
    Named("chtData")->show();
    Named("shpProgressEmpty")->show();
    Named("shpProgressFull")->show();
    Named("lblProgressPercent")->show();
    test::Settle();
    // The chart lies on the grid, above it.
    const QRect grid = Place("flxData");
    const QRect chart = Place("chtData");
    EXPECT_TRUE(grid.contains(chart));
    EXPECT_GT(chart.width(), grid.width() * 9 / 10);
    const QObjectList& client = Client()->children();
    EXPECT_GT(client.indexOf(Named("chtData")), client.indexOf(Named("flxData")));
    // Stop takes Download's place.
    EXPECT_EQ(Place("cmdStopDownload"), Place("cmdDownload"));
    // The full bar grows over the empty one from its left edge; the
    // percentage is drawn over both.
    const QRect empty = Place("shpProgressEmpty");
    const QRect full = Place("shpProgressFull");
    EXPECT_EQ(full.topLeft(), empty.topLeft());
    EXPECT_EQ(full.height(), empty.height());
    EXPECT_TRUE(empty.contains(Place("lblProgressPercent")));
    const QObjectList& frame = Named("frameMain")->children();
    EXPECT_GT(frame.indexOf(Named("shpProgressFull")), frame.indexOf(Named("shpProgressEmpty")));
    EXPECT_GT(frame.indexOf(Named("lblProgressPercent")), frame.indexOf(Named("shpProgressFull")));
    // The four stage kinds of a row share its place; information lies above working.
    for (int row = 1; row <= 5; ++row) {
        for (const char* kind : {"lbl", "img"}) {
            const QString base = QLatin1String(kind) + QStringLiteral("Stage");
            const QRect working = Place(base + QStringLiteral("Working_%1").arg(row));
            for (const char* other : {"Complete", "Failed", "Info"}) {
                EXPECT_EQ(Place(base + QStringLiteral("%1_%2").arg(other).arg(row)), working)
                    << kind << other << row;
            }
            EXPECT_GT(frame.indexOf(Named(base + QStringLiteral("Info_%1").arg(row))),
                      frame.indexOf(Named(base + QStringLiteral("Working_%1").arg(row))));
        }
    }
}

TEST_F(MainWindowLayoutTest, TheFullBarKeepsTheWidthTheDownloadGaveIt) {
    Named("shpProgressEmpty")->show();
    Named("shpProgressFull")->show();
    QWidget* full = Named("shpProgressFull");
    full->resize(20, full->height());
    const QRect before = Place("shpProgressEmpty");
    ResizeTo(13005, 9000);
    ASSERT_NE(Place("shpProgressEmpty").topLeft(), before.topLeft());
    EXPECT_EQ(full->width(), 20);
    EXPECT_EQ(Place("shpProgressFull").topLeft(), Place("shpProgressEmpty").topLeft());
    EXPECT_EQ(full->height(), Named("shpProgressEmpty")->height());
}

TEST_F(MainWindowLayoutTest, ShowingAndHidingStagesAndButtonsMovesNothing) {
    const QStringList watched = {"lblStageInfo_1",   "lblStageWorking_3", "cmdDownload",
                                 "shpProgressEmpty", "lblProgressText",   "lblElapsedTime"};
    QList<QRect> before;
    for (const QString& name : watched) {
        before << Place(name);
    }
    for (QWidget* label : Named("frameMain")->findChildren<QWidget*>()) {
        if (label->objectName().contains(QLatin1String("Stage"))) {
            label->hide();
        }
    }
    Named("cmdDownload")->hide();
    Named("cmdStopDownload")->show();
    Named("shpProgressEmpty")->show();
    Named("lblStageWorking_3")->show();
    test::Settle();
    for (int i = 0; i < watched.size(); ++i) {
        EXPECT_EQ(Place(watched[i]), before[i]) << watched[i].toStdString();
    }
}

TEST_F(MainWindowLayoutTest, TheGridTakesWhatTheWindowGains) {
    QMap<QString, QRect> small;
    const QStringList names = {"flxData",         "frameMain",          "cmdDownload",
                               "lblProgressText", "lblStageInfo_1",     "cmbQuery",
                               "lblRecordCount",  "picBrackenfoldLogo", "frameFilterGame"};
    for (const QString& name : names) {
        small[name] = Place(name);
    }
    const QSize smallClient = Client()->size();
    ResizeTo(13005, 9000);
    EXPECT_EQ(window->outerWidthTwips(), 13005);
    EXPECT_EQ(window->outerHeightTwips(), 9000);
    const int dx = Client()->width() - smallClient.width();
    const int dy = Client()->height() - smallClient.height();
    ASSERT_GT(dx, 50);
    ASSERT_GT(dy, 50);
    EXPECT_EQ(Place("flxData"), small["flxData"].adjusted(0, 0, dx, dy));
    EXPECT_EQ(Place("frameMain"), small["frameMain"].adjusted(0, 0, 0, dy));
    // The download block follows the Control Center's bottom edge; the
    // stage rows stay at its top.
    EXPECT_EQ(Place("cmdDownload"), small["cmdDownload"].translated(0, dy));
    EXPECT_EQ(Place("lblProgressText"), small["lblProgressText"].translated(0, dy));
    EXPECT_EQ(Place("lblStageInfo_1"), small["lblStageInfo_1"]);
    // The record count follows the bottom edge, the logo the bottom right
    // corner; the rows above the grid stay.
    EXPECT_EQ(Place("lblRecordCount"), small["lblRecordCount"].translated(0, dy));
    EXPECT_EQ(Place("picBrackenfoldLogo"), small["picBrackenfoldLogo"].translated(dx, dy));
    EXPECT_EQ(Place("cmbQuery"), small["cmbQuery"]);
    EXPECT_EQ(Place("frameFilterGame"), small["frameFilterGame"]);

    // And gives it back when the window shrinks again.
    ResizeTo(11415, 7335);
    for (const QString& name : names) {
        EXPECT_EQ(Place(name), small[name]) << name.toStdString();
    }
}

TEST_F(MainWindowLayoutTest, TheWindowNeverGetsSmallerThanTheSmallestSize) {
    const QSize smallest = Client()->size();
    ResizeTo(13005, 9000);
    window->resize(200, 150);
    test::Settle();
    EXPECT_EQ(Client()->size(), smallest);
    EXPECT_EQ(window->outerWidthTwips(), 11415);
    EXPECT_EQ(window->outerHeightTwips(), 7335);
    // Everything fits in it: no control is squeezed below what it needs.
    EXPECT_TRUE(Client()->layout()->minimumSize().width() <= smallest.width() &&
                Client()->layout()->minimumSize().height() <= smallest.height());
    EXPECT_LT(Place("lblStageInfo_5").bottom(), Place("lblElapsedTime").top());
    EXPECT_GT(Place("flxData").height(), 200);
}

// A saved placement comes back in twips; a size too small either way (or
// none saved) opens at the smallest size, 11415 x 7335.
TEST_F(MainWindowLayoutTest, SavedPlacementsInTwips) {
    struct Case {
        int left, top, width, height;
        int shownWidth, shownHeight;
    };
    const Case cases[] = {
        {1500, 900, 12000, 8010, 12000, 8010}, {0, 0, 0, 0, 11415, 7335},
        {0, 0, 10005, 6000, 11415, 7335},      {0, 0, 10005, 9000, 11415, 7335},
        {0, 0, 13005, 6000, 11415, 7335},
    };
    for (const Case c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.left << "," << c.top << " " << c.width << " x " << c.height);
        ResizeTo(13005, 9000);
        window->moveToTwips(c.left, c.top);
        ResizeTo(c.width, c.height);
        EXPECT_EQ(window->leftTwips(), c.left);
        EXPECT_EQ(window->topTwips(), c.top);
        EXPECT_EQ(window->outerWidthTwips(), c.shownWidth);
        EXPECT_EQ(window->outerHeightTwips(), c.shownHeight);
    }
}

TEST(MainWindowUnshownTest, ControlsHaveTheirPlacesBeforeTheWindowIsShown) {
    test::App();
    MainWindow window;
    EXPECT_GT(window.findChild<QWidget*>("shpProgressEmpty")->width(), 100);
    EXPECT_GT(window.findChild<QWidget*>("flxData")->height(), 200);
    EXPECT_GT(window.findChild<QWidget*>("cmdDownload")->y(),
              window.findChild<QWidget*>("lblStageInfo_5")->y());
}

}  // namespace
}  // namespace tw
