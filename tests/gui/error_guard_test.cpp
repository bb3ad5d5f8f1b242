// The error report: what a handler lets escape becomes one error box titled "QLNX", and the
// event loop never sees an exception.
#include "gui/error_guard.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <functional>
#include <stdexcept>

#include "core/errors.h"
#include "scripted_dialogs.h"
#include "test_application.h"

namespace qlnx::test {
namespace {

TEST(RunGuarded, ShowsWhatEscapesInTheErrorBox) {
    struct Case {
        std::function<void()> handler;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {[] {}, {}},
        {[] { throw ConversionError("''x'' is not a valid integer value"); },
         {"error QLNX: ''x'' is not a valid integer value."}},
        {[] { throw std::runtime_error("Ends with a full stop."); },
         {"error QLNX: Ends with a full stop."}},
        {[] { throw std::runtime_error("List index out of bounds (1)"); },
         {"error QLNX: List index out of bounds (1)"}},  // ')' is below '.': nothing appended
        {[] { throw 42; }, {"error QLNX: "}},            // not an error object: an empty message
    };
    for (const Case& c : cases) {
        ScriptedDialogs dialogs;
        RunGuarded(dialogs, nullptr, c.handler);
        EXPECT_EQ(dialogs.Shown(), c.shown);
    }
}

// An object whose event handler fails, as an unguarded widget handler could.
class FailingObject : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw FileError("Cannot open file \"a\". Permission denied");
        return QObject::event(e);
    }
};

TEST(GuardedApplication, ReportsAnErrorThatEscapesAnEventHandler) {
    auto* app = dynamic_cast<GuardedApplication*>(&TestApplication());
    ASSERT_NE(app, nullptr);
    ScriptedDialogs dialogs;
    app->setDialogs(&dialogs);
    FailingObject object;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&object, &event));
    app->setDialogs(nullptr);
    EXPECT_EQ(dialogs.Shown(),
              std::vector<std::string>{"error QLNX: Cannot open file \"a\". Permission denied."});
}

}  // namespace
}  // namespace qlnx::test
