// The URL coder: encodes a text into its URL form (blank as '+', letters and digits as
// they are, every other byte as %XX) or decodes it back. The main window owns one for its
// whole life and the URL coding process hands it one line at a time.
//
// The bytes coded are the text's CP932 bytes, or with UTF8 its characters' UTF-8 bytes.
// In CP932 a character beyond it has no bytes of its own, so a text holding one (a
// stand-in) is left as it is, and so is a decoding that is no valid CP932 text or would
// make a stand-in's code: a failure as a malformed escape is.
#pragma once

#include <functional>
#include <string>

class TNMURL;

// Told about a failed conversion: the coder, the operation that failed and the message of
// the error.
using TOnErrorEvent =
    std::function<void(const TNMURL& Sender, const std::string& Operation, const std::string& ErrMsg)>;

class TStandInMap;

class TNMURL {
public:
    std::string InputString;
    TOnErrorEvent OnError;  // none attached: failures are silent
    bool UTF8 = false;
    // The stand-ins of InputString; a UTF-8 decoding adds to it. None: a text without any.
    TStandInMap* StandIns = nullptr;

    // The URL encoding of InputString, computed afresh on every call; InputString unchanged
    // when it cannot be encoded (OnError, when attached, is told first).
    std::string Encode() const;
    // The URL decoding of InputString, byte by byte. On a malformed escape, or bytes that
    // make no text, the result is InputString unchanged (OnError is told first).
    std::string Decode() const;

private:
    std::string Failed(const std::string& operation, const std::string& message) const;
    std::string CodedBytes() const;       // raises EEncodingError
    std::string TextOf(std::string bytes) const;  // raises EEncodingError
};
