#pragma once
// Asking for a name to save under without replacing anything unasked: the
// save dialog, then, when the final name (the extension appended) is taken,
// "文件已存在，是否替换？" with "替换" / "取消"; "取消" goes back to the
// save dialog. The question names the final name below it. GUI thread.

#include <QString>
#include <functional>

#include "base/error.h"

namespace orvane {

class WindowSet;

// The existing file or folder that saving under `chosen` (as typed in the
// dialog) would replace, empty when none; a refusal when the name cannot be
// used at all.
using ReplaceCheck = std::function<Result<QString>(const QString& chosen)>;

// The name as typed in the dialog, once the user has chosen one that
// replaces nothing or agreed to replace; empty when cancelled. A refusal is
// shown in the message window and ends the choice (empty).
QString askSaveName(WindowSet& windows, const QString& title, const QString& filter,
                    const ReplaceCheck& wouldReplace);

}  // namespace orvane
