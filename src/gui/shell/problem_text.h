#pragma once
// How the windows word what went wrong. The core hands over a problem and
// its facts (UserError); every text the windows show about a failure is
// made here, in Chinese. A problem the windows do not know is shown in the
// core's own words when those are already Chinese (the program's documented
// messages), or after "操作未能完成：" otherwise. Any thread.

#include <QString>
#include <vector>

#include "base/error.h"
#include "templates/catalogue.h"

namespace orvane {

// One failure, as the message window shows it. For an encoder failure the
// reason comes first, the library's own words on the next line.
QString problemText(const UserError& error);

// The templates refused when the catalogue was built, one line each.
QString refusedTemplatesText(const std::vector<RefusedTemplate>& refused);

// The message of an album made without some of its parts:
// "相册已制作，但以下内容未能使用：" and one line per part.
QString leftOutText(const std::vector<UserError>& leftOut);

}  // namespace orvane
