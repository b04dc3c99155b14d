// The line operations every line-based text process shares: split a text into lines on
// any of the three line-break forms, and join lines back with CR LF. Together they make a
// process drop one final line break and normalise lone CR and lone LF to CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Lines of `text`, without their breaks. A line ends at CR LF, a lone CR or a lone LF
// (LF CR is two breaks around an empty line). A break at the very end makes no empty last
// line, an empty text has no lines, and a zero byte ends the text.
std::vector<std::string> SplitLines(std::string_view text);

// The lines with CR LF between them and nothing after the last.
std::string JoinLines(const std::vector<std::string>& lines);
