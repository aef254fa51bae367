// Help > About.

#include <gtest/gtest.h>

#include "core/Session.h"
#include "gui/About.h"
#include "support/RecordingPrompter.h"

namespace tw {
namespace {

TEST(AboutTest, AboutBoxShowsNameAndVersionThenOwnerThenProductThenFolderInUse) {
    RecordingPrompter prompter;
    Session state;
    state.prompter = &prompter;
    state.programDir = QStringLiteral("/home/ann/.local/share/tallywick");
    aboutClicked(state);
    ASSERT_EQ(prompter.messages.size(), 1u);
    const RecordedMessage& about = prompter.messages[0];
    EXPECT_EQ(about.text,
              QStringLiteral("Tallywick        v1.1.0\r\n"
                             "Copyright (C) Brackenfold Software. All rights reserved.\r\n"
                             "Halo 2 statistics tracker - https://tallywick.org/\r\n"
                             "Program folder: /home/ann/.local/share/tallywick"));
    EXPECT_EQ(about.title, QStringLiteral("About..."));
    EXPECT_EQ(about.icon, MsgIcon::Information);
    EXPECT_EQ(about.buttons, MsgButtons::Ok);
}

}  // namespace
}  // namespace tw
