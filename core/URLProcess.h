// The URL coding process: URL-encodes or decodes every line of the text by itself, so line
// breaks are never encoded.
#pragma once

#include <string>

#include "core/EditSettings.h"
#include "core/NMURL.h"

// Converts each line with `coder` (encode when set.EnDeCd is Encode, decode otherwise) and
// joins the results with CR LF. A line that fails to decode comes back unchanged; the
// others are still converted. Leaves the last line in coder.InputString.
// The coder works in set.URLUtf8's bytes and with the text's stand-ins (none: null).
std::string ProcessURL(const std::string& text, const EditSet& set, TNMURL& coder, TStandInMap* standIns = nullptr);
