// The progress display: start state, captions and colours, and ShowStage
// for every state, including the edge cases around the current row.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "UiTestSupport.h"
#include "core/Session.h"
#include "gui/MainWindow.h"

namespace tw {
namespace {

using Names = std::set<QString>;

class MainWindowStagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::App();
        window = std::make_unique<MainWindow>();
        window->show();
        test::Settle();
        state.sleep = [this](int milliseconds) { pauses.push_back(milliseconds); };
    }

    // Names of the stage labels and pictures that are shown, e.g.
    // "lblStageInfo_1"; a shown pair must have both halves shown.
    Names ShownPairs() const {
        Names shown;
        const std::pair<const char*, const ControlArray<QLabel, 5>*> pairs[] = {
            {"Working", &window->stageWorkingLabels},
            {"Complete", &window->stageCompleteLabels},
            {"Failed", &window->stageFailedLabels},
            {"Info", &window->stageInfoLabels},
        };
        const ControlArray<QLabel, 5>* pictures[] = {
            &window->stageWorkingIcons, &window->stageCompleteIcons, &window->stageFailedIcons,
            &window->stageInfoIcons};
        for (int row = 1; row <= 5; ++row) {
            for (size_t k = 0; k < std::size(pairs); ++k) {
                const bool label = !(*pairs[k].second)[row]->isHidden();
                const bool picture = !(*pictures[k])[row]->isHidden();
                EXPECT_EQ(label, picture) << pairs[k].first << " row " << row;
                if (label) {
                    shown.insert(
                        QStringLiteral("%1_%2").arg(QLatin1String(pairs[k].first)).arg(row));
                }
            }
        }
        return shown;
    }

    // Starts a player's download as the driver does: reset, row 1 working.
    void StartDownload() {
        state.CurrentStage = 1;
        window->ShowStage(state, StageState::Reset);
        window->stageWorkingLabels[1]->show();
        window->stageWorkingIcons[1]->show();
    }

    void AdvanceTo(int16_t row) {
        state.CurrentStage = row;
        window->ShowStage(state, StageState::Advance);
    }

    // The text a user sees at the centre of a row's label place.
    QString VisibleTextInRow(int row) {
        const QWidget* top =
            window->controlCenter->childAt(window->stageWorkingLabels[row]->geometry().center());
        const auto* label = qobject_cast<const QLabel*>(top);
        return label ? label->text() : QString();
    }

    std::unique_ptr<MainWindow> window;
    Session state;
    std::vector<int> pauses;
};

TEST_F(MainWindowStagesTest, StartShowsOnlyWelcome) {
    EXPECT_EQ(ShownPairs(), Names{"Info_1"});
    EXPECT_EQ(window->stageInfoLabels[1]->text(), "Welcome");
    EXPECT_EQ(VisibleTextInRow(1), "Welcome");
}

TEST_F(MainWindowStagesTest, CaptionsColoursAndFonts) {
    const char* captions[5][4] = {
        {"Establishing connection ...", "Connection established", "No connection", "Welcome"},
        {"Looking up gamertag ...", "Gamertag found", "Gamertag not found", "Skip"},
        {"Searching for new games ...", "New games found", "xx", "No new games found"},
        {"Extracting data ...", "Data extracted", "Data extraction failed", "Skip"},
        {"Optimizing database ...", "Process complete", "xx", "Skip"},
    };
    // Each kind has one colour, the same in every row.
    const QLabel* first[] = {window->stageWorkingLabels[1], window->stageCompleteLabels[1],
                             window->stageFailedLabels[1], window->stageInfoLabels[1]};
    QColor colours[4];
    for (int k = 0; k < 4; ++k) {
        colours[k] = first[k]->palette().color(QPalette::WindowText);
    }
    for (int row = 1; row <= 5; ++row) {
        const QLabel* labels[] = {window->stageWorkingLabels[row], window->stageCompleteLabels[row],
                                  window->stageFailedLabels[row], window->stageInfoLabels[row]};
        const QLabel* pictures[] = {window->stageWorkingIcons[row], window->stageCompleteIcons[row],
                                    window->stageFailedIcons[row], window->stageInfoIcons[row]};
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(labels[k]->objectName().toStdString());
            EXPECT_EQ(labels[k]->text(), QLatin1String(captions[row - 1][k]));
            EXPECT_EQ(labels[k]->palette().color(QPalette::WindowText), colours[k]);
            EXPECT_TRUE(labels[k]->font().bold());
            EXPECT_TRUE(labels[k]->autoFillBackground());
            EXPECT_EQ(pictures[k]->pixmap().deviceIndependentSize().toSize(), QSize(16, 17));
        }
        EXPECT_EQ(window->stageWorkingLabels[row]->objectName(),
                  QStringLiteral("lblStageWorking_%1").arg(row));
    }
}

// WCAG 2 relative luminance and contrast ratio.
double RelativeLuminance(const QColor& colour) {
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
           0.0722 * linear(colour.blue());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every stage text can be read on the window's background (4.5:1, the WCAG
// level for normal text) and keeps the hue that says what it means: working
// amber, complete green, failed red, info blue.
TEST_F(MainWindowStagesTest, StageTextsAreReadableOnTheWindowAndKeepTheirMeaning) {
    const QColor background = window->palette().color(QPalette::Window);
    struct Kind {
        const char* name;
        const ControlArray<QLabel, 5>* labels;
        int hueFrom;  // degrees, the range may wrap past 360
        int hueTo;
    };
    const Kind kinds[] = {{"working", &window->stageWorkingLabels, 20, 50},
                          {"complete", &window->stageCompleteLabels, 90, 150},
                          {"failed", &window->stageFailedLabels, 345, 375},
                          {"info", &window->stageInfoLabels, 210, 250}};
    for (const Kind& kind : kinds) {
        for (int row = 1; row <= 5; ++row) {
            SCOPED_TRACE(std::string(kind.name) + " row " + std::to_string(row));
            const QLabel* label = (*kind.labels)[row];
            const QColor text = label->palette().color(QPalette::WindowText);
            // The label paints its own background: that must be the window's.
            EXPECT_EQ(label->palette().color(QPalette::Window), background);
            EXPECT_GE(Contrast(text, background), 4.5)
                << text.name().toStdString() << " on " << background.name().toStdString();
            const int hue = text.hsvHue();
            ASSERT_GE(hue, 0) << "a grey says nothing";
            const int unwrapped = hue < kind.hueFrom ? hue + 360 : hue;
            EXPECT_LE(unwrapped, kind.hueTo) << hue;
            EXPECT_GE(text.hsvSaturation(), 200);
        }
    }
    // The stage text as painted: sample the darkest pixel of a shown working
    // label and compare it with the background it is painted on.
    window->stageWorkingLabels[2]->show();
    const QImage shot = window->stageWorkingLabels[2]->grab().toImage();
    QColor darkest = background;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor pixel = shot.pixelColor(x, y);
            if (RelativeLuminance(pixel) < RelativeLuminance(darkest)) {
                darkest = pixel;
            }
        }
    }
    EXPECT_EQ(shot.pixelColor(0, 0), background);
    EXPECT_GE(Contrast(darkest, background), 4.5) << darkest.name().toStdString();
}

TEST_F(MainWindowStagesTest, ResetHidesEveryPair) {
    state.CurrentStage = 3;
    window->ShowStage(state, StageState::Reset);
    EXPECT_EQ(ShownPairs(), Names{});
    EXPECT_TRUE(pauses.empty());
}

TEST_F(MainWindowStagesTest, AdvancePausesOneSecondThenMovesTheWorkingRow) {
    StartDownload();
    AdvanceTo(2);
    EXPECT_EQ(ShownPairs(), (Names{"Complete_1", "Working_2"}));
    AdvanceTo(3);
    EXPECT_EQ(ShownPairs(), (Names{"Complete_1", "Complete_2", "Working_3"}));
    EXPECT_EQ(VisibleTextInRow(2), "Gamertag found");
    EXPECT_EQ(VisibleTextInRow(3), "Searching for new games ...");
    EXPECT_EQ(pauses, (std::vector<int>{1000, 1000}));
}

TEST_F(MainWindowStagesTest, InfoCoversTheWorkingPairAndClearsTheFlags) {
    StartDownload();
    AdvanceTo(2);
    AdvanceTo(3);
    state.DownloadInProgress = true;
    state.StopRequested = true;
    window->ShowStage(state, StageState::Info);
    // Row 3's working pair stays shown beneath the info pair.
    EXPECT_EQ(ShownPairs(), (Names{"Complete_1", "Complete_2", "Working_3", "Info_3"}));
    EXPECT_EQ(VisibleTextInRow(3), "No new games found");
    EXPECT_FALSE(state.DownloadInProgress);
    EXPECT_FALSE(state.StopRequested);
    EXPECT_EQ(pauses.size(), 2u);
}

TEST_F(MainWindowStagesTest, InfoHidesThePreviousRowsWorkingPair) {
    StartDownload();
    AdvanceTo(2);
    state.CurrentStage = 3;
    window->ShowStage(state, StageState::Info);
    EXPECT_EQ(ShownPairs(), (Names{"Complete_1", "Info_3"}));
    EXPECT_EQ(VisibleTextInRow(3), "No new games found");
    EXPECT_EQ(pauses.size(), 1u);
}

TEST_F(MainWindowStagesTest, FailedShowsTheFailedPairAndClearsTheFlags) {
    StartDownload();
    for (int16_t row = 2; row <= 4; ++row) {
        AdvanceTo(row);
    }
    state.DownloadInProgress = true;
    state.StopRequested = true;
    window->ShowStage(state, StageState::Failed);
    EXPECT_EQ(ShownPairs(), (Names{"Complete_1", "Complete_2", "Complete_3", "Failed_4"}));
    EXPECT_EQ(VisibleTextInRow(4), "Data extraction failed");
    EXPECT_FALSE(state.DownloadInProgress);
    EXPECT_FALSE(state.StopRequested);
}

TEST_F(MainWindowStagesTest, FailedOnTheFirstRowShowsNoConnection) {
    StartDownload();
    window->ShowStage(state, StageState::Failed);
    EXPECT_EQ(ShownPairs(), Names{"Failed_1"});
    EXPECT_EQ(VisibleTextInRow(1), "No connection");
}

TEST_F(MainWindowStagesTest, UnknownStateChangesNothing) {
    StartDownload();
    AdvanceTo(2);
    state.DownloadInProgress = true;
    for (int16_t value : {int16_t{4}, int16_t{-1}, int16_t{100}}) {
        window->ShowStage(state, value);
    }
    EXPECT_EQ(ShownPairs(), (Names{"Complete_1", "Working_2"}));
    EXPECT_TRUE(state.DownloadInProgress);
    EXPECT_EQ(pauses.size(), 1u);
}

TEST_F(MainWindowStagesTest, RowZeroIsACallerErrorThatChangesNothing) {
    StartDownload();
    state.CurrentStage = 1;
    state.DownloadInProgress = true;
    for (int16_t value : {StageState::Advance, StageState::Info}) {
        try {
            window->ShowStage(state, value);
            ADD_FAILURE() << "no error for row 0, state " << value;
        } catch (const AppError& error) {
            EXPECT_EQ(error.number(), 340);
            EXPECT_EQ(error.description(), "Control array element '0' doesn't exist");
        }
    }
    EXPECT_EQ(ShownPairs(), Names{"Working_1"});
    EXPECT_TRUE(state.DownloadInProgress);
}

}  // namespace
}  // namespace tw
