// A recording automation target for tests: keeps every lookup and invocation it receives.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "spreadsheet/auto_value.h"
#include "spreadsheet/dispatch.h"

namespace qlnx::testing {

// What the recording objects were asked, and how they answer.
struct CallRecorder {
    // One line per invocation: "get Cells#4.Left() -> R8 96", "put Shape#7.Left = I4 96",
    // "call WorkBooks#2.Add() -> Add#3", "do Shape#7.Select()". Objects are named after
    // the member that returned them and numbered in order of creation; the application
    // object is "App".
    std::vector<std::string> calls;
    // Faults in the protocol: an invocation not preceded by the lookup of its own name on
    // the same object, a locale other than 2048, a put without the single named argument -3.
    std::vector<std::string> protocolErrors;
    int lookups = 0;
    int liveObjects = 0;     // recording objects not yet released
    int objectsCreated = 0;  // objects handed out (the application not counted)

    // Names whose lookup fails (AutomationError naming the member).
    std::set<std::string> unknownNames;
    // Invocations of this member fail with description failText.
    std::string failAtMember;
    std::string failText = "The recorded target refused the call";
    // Answers of property gets that are values, not objects.
    bool hasTitle = true;
    double cellLeft = 96;
    double cellTop = 60;

    // Number of recorded calls whose text contains part.
    int Count(const std::string& part) const;
};

// A new recording application object reporting into recorder.
DispatchPtr NewRecordingApplication(std::shared_ptr<CallRecorder> recorder);

// Text of a value as it appears in the call log: "I2 5", "BSTR \"X\"", "BOOL -1".
std::string DescribeValue(const AutoValue& v);

}  // namespace qlnx::testing
