// Help > About and the maker's page.

#include <gtest/gtest.h>

#include "support/RecordingDialogs.h"
#include "gui/About.h"
#include "core/ProgramState.h"

namespace tw {
namespace {

class OpeningDialogs : public RecordingDialogs {
  public:
    bool OpenDocument(const QString& pathOrUrl) override {
        opened << pathOrUrl;
        return false;
    }
    QStringList opened;
};

TEST(AboutTest, AboutBoxShowsNameAndVersionThenOwnerThenProduct) {
    OpeningDialogs dialogs;
    ProgramState state;
    state.dialogs = &dialogs;
    aboutClicked(state);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const RecordedMessage& about = dialogs.messages[0];
    EXPECT_EQ(about.text,
              QStringLiteral("Tallywick        v1.1.0\r\n"
                             "Copyright (C) Brackenfold Software. All rights reserved.\r\n"
                             "Halo 2 statistics tracker - https://tallywick.org/"));
    EXPECT_EQ(about.title, QStringLiteral("About..."));
    EXPECT_EQ(about.icon, MsgIcon::Information);
    EXPECT_EQ(about.buttons, MsgButtons::Ok);
    EXPECT_TRUE(dialogs.opened.isEmpty());
}

TEST(AboutTest, TheMakersPageOpensWithoutAnyMessageWhetherOrNotItOpened) {
    OpeningDialogs dialogs;
    ProgramState state;
    state.dialogs = &dialogs;
    OpenMakerPage(state);
    EXPECT_EQ(dialogs.opened, QStringList({"https://tallywick.org/"}));
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace tw
