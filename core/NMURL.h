// The URL coder: encodes a text into its URL form (blank as '+', letters and digits as
// they are, every other byte as %XX) or decodes it back. The main window owns one for its
// whole life and the URL coding process hands it one line at a time.
#pragma once

#include <functional>
#include <string>

class TNMURL;

// Told about a failed conversion: the coder, the operation that failed and the message of
// the error.
using TOnErrorEvent =
    std::function<void(const TNMURL& Sender, const std::string& Operation, const std::string& ErrMsg)>;

class TNMURL {
public:
    std::string InputString;
    TOnErrorEvent OnError;  // none attached: failures are silent

    // The URL encoding of InputString, computed afresh on every call.
    std::string Encode() const;
    // The URL decoding of InputString, byte by byte. On a malformed escape the result is
    // InputString unchanged (OnError, when attached, is told first).
    std::string Decode() const;
};
