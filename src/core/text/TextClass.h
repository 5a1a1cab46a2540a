#pragma once

// The kind of a printed line: selects the line's colour setting, or, for
// Html, says that the text is ready HTML to be written unchanged. Any value
// above Error is drawn like Info.
enum class TextClass : int {
    Html = -1,
    Info = 0,
    Text = 1,
    High = 2,
    Error = 3,
};
