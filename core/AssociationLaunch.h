// The association launch: every line of a text is opened, as a file name or URL, with
// the application the system associates with it. A line may hold an unquoted path with
// blanks followed by parameters, so ever longer runs of its leading words are tried as
// the file name until the system accepts one.
#pragma once

#include <string>

#include "text/MappedText.h"

// Opening a file or URL with its associated application: the platform's shell service.
class ILauncher {
public:
    virtual ~ILauncher() = default;
    // Returns the system's launch result; above 32 means success. The texts' stand-ins are
    // those of the map: a name is opened with its real characters.
    virtual unsigned LaunchFile(const std::string& fileName, const std::string& parameters,
                                const std::string& directory, int showMode, const TStandInMap& standIns) = 0;
};

constexpr int kShowModeShow = 5;  // SW_SHOW

void ExecAssociation(const MappedText& text, ILauncher& launcher);
