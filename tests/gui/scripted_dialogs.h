// A UserDialogs for tests: answers the file dialogs and questions from a script and records
// every box shown, in order.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "gui/dialogs/user_dialogs.h"

namespace qlnx::test {

class ScriptedDialogs : public UserDialogs {
public:
    enum class Kind { Warning, Error, Information, Question };
    struct Box {
        Kind kind;
        QString title;
        QString text;
    };

    // Answers, used front first; an open or save dialog with no answer left fails the test.
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<SaveFileAnswer>> saveAnswers;
    std::deque<bool> questionAnswers;
    // Runs while a box is "open" (e.g. to look at the window behind it).
    std::function<void(const Box&)> onBox;

    std::vector<OpenFileRequest> openRequests;
    std::vector<SaveFileRequest> saveRequests;
    std::vector<Box> boxes;

    // Progress reports, one per operation that asked for one, with every fraction reported.
    struct ProgressRun {
        QString title;
        QString label;
        std::vector<double> fractions;
        bool cancelled = false;
    };
    std::vector<ProgressRun> progressRuns;
    // Where each operation is cancelled, front first: at its first report at or beyond the
    // fraction. An operation with no entry left (or nullopt) runs to its end.
    std::deque<std::optional<double>> cancelAt;
    // Runs at every progress report (e.g. to act on the window while the work runs).
    std::function<void(double fraction)> onProgress;

    std::unique_ptr<ProgressReport> progress(QWidget*, const QString& title,
                                             const QString& label) override {
        std::optional<double> at;
        if (!cancelAt.empty()) {
            at = cancelAt.front();
            cancelAt.pop_front();
        }
        progressRuns.push_back({title, label, {}, false});
        return std::make_unique<ScriptedProgress>(*this, progressRuns.size() - 1, at);
    }

    std::optional<QString> openFile(QWidget*, const OpenFileRequest& request) override {
        openRequests.push_back(request);
        if (openAnswers.empty()) {
            ADD_FAILURE() << "unexpected open dialog";
            return std::nullopt;
        }
        const bool chosen = openAnswers.front().has_value();
        const QString file = chosen ? *openAnswers.front() : QString();
        openAnswers.pop_front();
        if (!chosen) return std::nullopt;
        return file;
    }
    std::optional<SaveFileAnswer> saveFile(QWidget*, const SaveFileRequest& request) override {
        saveRequests.push_back(request);
        if (saveAnswers.empty()) {
            ADD_FAILURE() << "unexpected save dialog";
            return std::nullopt;
        }
        const bool chosen = saveAnswers.front().has_value();
        const SaveFileAnswer answer = chosen ? *saveAnswers.front() : SaveFileAnswer{};
        saveAnswers.pop_front();
        if (!chosen) return std::nullopt;
        return answer;
    }
    void warning(QWidget*, const QString& title, const QString& text) override {
        Show({Kind::Warning, title, text});
    }
    void error(QWidget*, const QString& title, const QString& text) override {
        Show({Kind::Error, title, text});
    }
    void information(QWidget*, const QString& title, const QString& text) override {
        Show({Kind::Information, title, text});
    }
    bool question(QWidget*, const QString& title, const QString& text) override {
        Show({Kind::Question, title, text});
        if (questionAnswers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return false;
        }
        const bool answer = questionAnswers.front();
        questionAnswers.pop_front();
        return answer;
    }

    // The boxes shown so far as "kind: text" lines, for compact expectations.
    std::vector<std::string> Shown() const {
        std::vector<std::string> lines;
        for (const Box& b : boxes) {
            const char* kind = b.kind == Kind::Warning       ? "warning"
                               : b.kind == Kind::Error       ? "error"
                               : b.kind == Kind::Information ? "information"
                                                             : "question";
            lines.push_back(std::string(kind) + " " + b.title.toStdString() + ": " +
                            b.text.toStdString());
        }
        return lines;
    }

private:
    class ScriptedProgress final : public ProgressReport {
    public:
        ScriptedProgress(ScriptedDialogs& owner, size_t run, std::optional<double> at)
            : owner_(owner), run_(run), at_(at) {}
        bool Update(double fraction) override {
            ProgressRun& run = owner_.progressRuns[run_];
            run.fractions.push_back(fraction);
            if (owner_.onProgress) owner_.onProgress(fraction);
            if (at_ && fraction >= *at_) run.cancelled = true;
            return !run.cancelled;
        }

    private:
        ScriptedDialogs& owner_;
        size_t run_;
        std::optional<double> at_;
    };

    void Show(const Box& box) {
        boxes.push_back(box);
        if (onBox) onBox(box);
    }
};

}  // namespace qlnx::test
