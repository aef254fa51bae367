#pragma once
// The avatar of the summary panel: the current player's picture from the
// avatar folder, or "unknown.jpg". A file that is no valid picture (error
// 481) is deleted and "unknown.jpg" shown instead.

class QLabel;

namespace tw {

struct Session;

// The label's "picturePath" property names the file shown, empty when none.
void ShowAvatar(Session& state, QLabel& picture);

}  // namespace tw
